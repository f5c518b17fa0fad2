#pragma once
// The shape of type word "video": a flat square of edge `size` facing -y in
// its own frame, placed by the placement rule, lit, in one overall colour,
// that shows the picture or image sequence named by `file` (read from
// TextureDir only when the name changes) through four free texture
// coordinates. `texture`, `shader` and `go` change nothing that is drawn.
// Threading as every shape (DrawableBinding.h).

#include "FlatQuadShape.h"

#include <string>

class VideoShape : public FlatQuadShape {
public:
    VideoShape(std::string userName, std::string objectName);

    std::string getType() override { return "video"; }

protected:
    void redraw() override;
};
