#pragma once
// The shape of type word "point": one vertex drawn as a square dot of
// `size` pixels in its own colour, unlit. Every redraw writes the size
// drawn until then to standard error, as a bare number. Threading as every
// shape (DrawableBinding.h).

#include "VertexShape.h"

#include <osg/Point>
#include <string>

class PointShape : public VertexShape<1> {
public:
    PointShape(std::string userName, std::string objectName);

    // Sizes that are not finite or not above 0 are not drawable: the last
    // drawable size stays.
    void setSize(float size);
    float getSize() const { return pointAttribute->getSize(); }

protected:
    void redraw() override;

private:
    osg::Point* pointAttribute;
};
