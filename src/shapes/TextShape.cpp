#include "TextShape.h"

#include "Config.h"
#include "FullName.h"
#include "ImageFiles.h"
#include "ParameterGroups.h"
#include "SafeFileName.h"
#include "ShapeRules.h"
#include "lex.h"

#include <osg/CopyOp>
#include <osgText/Font>
#include <cmath>

namespace {

const ParameterKey sizeKey("size"), labelKey("label"), fontKey("font");

const std::string defaultFontName = "BigCaslon.ttf";
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
    BasicShape::setName(fullName(userName, objectName));

    setColor(osg::Vec4(1.0f, 1.0f, 1.0f, 1.0f));
    setCharacterSize(10.0f);
    setFontResolution(40, 40);
    fontDir = Config::getInstance()->get("Font");
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
    bool newLabel = !redrawn;
    bool newFont = !redrawn;
    redrawn = true;

    {
        ParameterRead read(*this);
        readPosition(read, position);
        readColour(read, colour);
        read.number(sizeKey, size);
        newLabel |= read.text(labelKey, label);
        newFont |= read.text(fontKey, font);
    }

    if (!std::isfinite(size))
        size = getCharacterHeight();
    const unsigned int resolution = fontResolution(size);

    // The font and its resolution first, so that the glyphs are laid out once for them.
    if (newFont) {
        // The name of the font read last passed this rule already.
        const bool useDefault = font.empty() || (font != fontName && !isSafeFileName(font));
        setFontName(useDefault ? defaultFontName : font);
    }
    setFontResolution(resolution, resolution);
    // Only this redraw sets the text: an unchanged label is laid out already.
    if (newLabel)
        setText(ReplaceEscapeSequences(label), osgText::String::ENCODING_UTF8);
    setCharacterSize(size);
    setPosition(position);
    setRotation(osg::Quat());
    setColor(colour);
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

void TextShape::setFontName(const std::string& name)
{
    if (name == fontName)
        return;
    fontName = name;
    const std::string path = fontDir + name;
    setFont(guardedRead([&] { return osgText::readRefFontFile(path); }));
}
