#pragma once
// The shape of type word "text": a label of one or several lines (escape
// sequences \n, \t and \\) centred on (`x`, `y`, `z`), always facing the
// viewer, in the colour (`r`, `g`, `b`, `a`), `size` high, in the font file
// that the setting Font followed directly by `font` names ("BigCaslon.ttf"
// when `font` is empty or no safe file name, see SafeFileName.h).
//
// Every text has a state set of its own: osgText hands texts of the same
// font and resolution one shared state set, so the render bin that one
// text's alpha chooses would move the others.
//
// Threading as every shape (DrawableBinding.h). Fonts are read and set only
// in the redraw, in the main thread: osgText keeps caches in each font that
// one thread at a time may change, and a text shows nothing before its
// first redraw gives it a label.

#include "DrawableBinding.h"

#include <osgText/Text>
#include <string>

// The font resolution (width and height) for a character size: the size
// truncated to a whole number, kept within 1 to 256 (NaN gives 1).
unsigned int fontResolution(float size);

class TextShape : public RedrawFrame<osgText::Text> {
public:
    typedef UpdateCallback TextUpdateCallback;

    TextShape(std::string userName, std::string objectName);

    std::string getType() override { return "text"; }

protected:
    void redraw() override;

    // The state set osgText would choose, copied for this text alone, with
    // blending on, lighting off and the render bin of the text's colour.
    osg::StateSet* createStateSet() override;

private:
    // Reads the font <fontDir><name> when the name differs from the last one.
    void setFontName(const std::string& name);

    std::string fontDir;
    std::string fontName;  // the name the font was last read under
    // The `label` and `font` texts as the last redraw read them: the label
    // is laid out, and the font rule applied, again only when its text
    // changes (and in the first redraw).
    std::string label;
    std::string font;
    bool redrawn = false;
};
