#include "TextShape.h"

#include "Config.h"
#include "ImageFiles.h"
#include "ParameterGroups.h"
#include "SafeFileName.h"
#include "ShapeRules.h"
#include "lex.h"

#include <osg/CopyOp>
#include <osgText/Font>
#include <cmath>

namespace {

const char* const startFontPath = "/Library/Fonts/BigCaslon.ttf";
const char* const defaultFontName = "BigCaslon.ttf";
const unsigned int minFontResolution = 1;
const unsigned int maxFontResolution = 256;

}  // namespace

unsigned int fontResolution(float size)
{
    if (!(size >= static_cast<float>(minFontResolution)))
        return minFontResolution;
    if (size >= static_cast<float>(maxFontResolution))
        return maxFontResolution;
    return static_cast<unsigned int>(size);
}

TextShape::TextShape(std::string userName, std::string objectName)
{
    createMapping(userName, objectName, "text", this);
    BasicShape::setName(userName + ":" + objectName);

    setColor(osg::Vec4(1.0f, 1.0f, 1.0f, 1.0f));
    setCharacterSize(10.0f);
    setFontResolution(40, 40);
    fontDir = Config::getInstance()->get("Font");
    setFontPath(startFontPath, true);
    setAlignment(osgText::TextBase::CENTER_CENTER);
    setAxisAlignment(osgText::TextBase::SCREEN);
    setBackdropType(osgText::Text::NONE);
    assignStateSet();
}

void TextShape::redraw()
{
    osg::Vec3f position = getPosition();
    osg::Vec4f colour = getColor();
    float size = getCharacterHeight();
    std::string label;
    std::string font;

    readPosition(*this, position);
    readColour(*this, colour);
    getParameterValue("size", size);
    getParameterString("label", label);
    getParameterString("font", font);

    if (!std::isfinite(size))
        size = getCharacterHeight();
    if (font.empty())
        font = defaultFontName;

    setText(ReplaceEscapeSequences(label), osgText::String::ENCODING_UTF8);
    setCharacterSize(size);
    setPosition(position);
    setRotation(osg::Quat());
    setColor(colour);
    setFontPath(fontDir + font, isSafeFileName(font));
    const unsigned int resolution = fontResolution(size);
    setFontResolution(resolution, resolution);
    dirtyBound();
    applyColourBin(*getOrCreateStateSet(), {colour.a()});
}

osg::StateSet* TextShape::createStateSet()
{
    osg::ref_ptr<osg::StateSet> shared = osgText::Text::createStateSet();
    osg::StateSet* own = shared.valid() ? new osg::StateSet(*shared, osg::CopyOp::SHALLOW_COPY) : new osg::StateSet();
    own->setMode(GL_BLEND, osg::StateAttribute::ON);
    own->setMode(GL_LIGHTING, osg::StateAttribute::OFF);
    applyColourBin(*own, {getColor().a()});
    return own;
}

void TextShape::setFontPath(const std::string& path, bool readable)
{
    if (path == fontPath)
        return;
    fontPath = path;
    osg::ref_ptr<osgText::Font> font;
    if (readable)
        font = guardedRead([&] { return osgText::readRefFontFile(path); });
    setFont(font);
}
