// The text and light shapes: their number rules, the light's search of the
// scene root, the text's size, font and state set.

#include "Config.h"
#include "SafeFileName.h"
#include "LightShape.h"
#include "MainNode.h"
#include "TextShape.h"
#include "Variables.h"
#include "shapes_test_files.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

TEST(ShapesLightNumber, OnlyZeroToSevenAfterTruncation)
{
    struct Case {
        float num;
        int light;  // -1: no light
    };
    const std::vector<Case> cases = {
        {0, 0},    {1, 1},     {2, 2},    {3, 3},      {4, 4},     {5, 5},    {6, 6}, {7, 7},
        {2.9f, 2}, {7.99f, 7}, {-0.5f, 0}, {8, -1},    {-1, -1},   {1e10f, -1}, {-1e10f, -1},
        {nan, -1}, {inf, -1},  {-inf, -1},
    };
    for (const Case& c : cases) {
        const std::optional<int> number = lightNumber(c.num);
        if (c.light < 0)
            EXPECT_FALSE(number) << c.num;
        else
            EXPECT_EQ(number, std::optional<int>(c.light)) << c.num;
    }
}

TEST(ShapesTextSize, FontResolutionIsTheTruncatedSizeFromOneTo256)
{
    const std::vector<std::pair<float, unsigned int>> cases = {
        {24, 24}, {24.9f, 24}, {1, 1},     {1.5f, 1},     {0.5f, 1},   {0, 1},  {-5, 1}, {-1e30f, 1},
        {256, 256}, {256.5f, 256}, {1000, 256}, {1e30f, 256}, {nan, 1}, {inf, 256}, {-inf, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fontResolution(c.first), c.second) << c.first;
}

// Shapes made as the dispatcher makes them: each in a geode queued under a scene root.
class ShapesInScene : public testing::Test {
protected:
    void SetUp() override
    {
        ensureShapeDefs();
        user = freshUser("textlight");
    }

    // A new shape in a geode that the root has taken in.
    template <typename Shape>
    Shape* place(const std::string& object)
    {
        Shape* shape = new Shape(user, object);
        keepForever(shape);
        osg::Geode* geode = new osg::Geode();
        geode->addDrawable(shape->asDrawable());
        root->addElement(geode);
        frame();
        return shape;
    }
    void set(const std::string& object, const std::string& parameter, const std::string& value)
    {
        Variables::getInstance()->add(nullptr, user + ":" + object + "." + parameter, value, PARAM_NUMBER);
    }
    void setText(const std::string& object, const std::string& parameter, const std::string& value)
    {
        Variables::getInstance()->add(nullptr, user + ":" + object + "." + parameter, value, PARAM_STRING);
    }
    // A frame in which the shape redraws.
    void redraw(BasicShape* shape)
    {
        shape->dirty();
        frame();
    }
    // Then one in which the root takes in what the redraw queued.
    void redrawAndAttach(BasicShape* shape)
    {
        redraw(shape);
        frame();
    }
    void frame() { frames.at(++time); }

    std::vector<osg::LightSource*> lightSources()
    {
        std::vector<osg::LightSource*> found;
        for (unsigned int i = 0; i < root->getNumChildren(); ++i)
            if (auto* source = dynamic_cast<osg::LightSource*>(root->getChild(i)))
                found.push_back(source);
        return found;
    }

    std::string user;
    osg::ref_ptr<MainNode> root = new MainNode();
    UpdateFrames frames{root.get()};
    double time = 0.0;
};

using ShapesLightSearch = ShapesInScene;

TEST_F(ShapesLightSearch, OwnLightSourceIsQueuedOnceAndTakesEachNewNumber)
{
    LightShape* light = place<LightShape>("l");
    redraw(light);
    EXPECT_TRUE(lightSources().empty()) << "queued in the traversal, attached in the next frame";
    frame();
    ASSERT_EQ(lightSources().size(), 1u);
    const osg::Light* own = lightSources()[0]->getLight();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->getLightNum(), 0);
    EXPECT_EQ(own->getPosition(), osg::Vec4(0, 0, 0, 1)) << "positional at the origin by default";
    EXPECT_EQ(own->getDiffuse(), osg::Vec4(1, 1, 1, 1));
    EXPECT_EQ(own->getAmbient(), osg::Vec4(0, 0, 0, 1));

    for (const char* num : {"3", "0", "5.5"}) {
        set("l", "num", num);
        redrawAndAttach(light);
        EXPECT_EQ(root->getNumChildren(), 2u) << "num " << num << ": the geode and one light source";
        EXPECT_EQ(lightSources().at(0)->getLight(), own);
    }
    EXPECT_EQ(own->getLightNum(), 5);
}

TEST_F(ShapesLightSearch, SetsTheFirstLightSourceOfItsNumberAndSkipsSourcesWithoutALight)
{
    osg::ref_ptr<osg::LightSource> lightless = new osg::LightSource();
    lightless->setLight(nullptr);
    osg::ref_ptr<osg::LightSource> other = new osg::LightSource();
    other->getLight()->setLightNum(1);
    osg::ref_ptr<osg::LightSource> existing = new osg::LightSource();
    existing->getLight()->setLightNum(2);
    for (osg::LightSource* source : {lightless.get(), other.get(), existing.get()})
        root->addElement(source);
    LightShape* light = place<LightShape>("l");
    set("l", "num", "2");
    set("l", "x", "5");
    set("l", "type", "0");
    set("l", "g", "0.25");
    redrawAndAttach(light);
    EXPECT_EQ(root->getNumChildren(), 4u) << "no light source of its own";
    EXPECT_EQ(existing->getLight()->getPosition(), osg::Vec4(5, 0, 0, 0));
    EXPECT_EQ(existing->getLight()->getDiffuse(), osg::Vec4(1, 0.25f, 1, 1));
    EXPECT_EQ(other->getLight()->getPosition(), osg::Vec4(0, 0, 1, 0)) << "OpenSceneGraph's default";

    // A second light shape of the number sets the same light source.
    LightShape* second = place<LightShape>("m");
    set("m", "num", "2");
    set("m", "b", "0");
    redrawAndAttach(second);
    EXPECT_EQ(root->getNumChildren(), 5u) << "its geode only";
    EXPECT_EQ(existing->getLight()->getDiffuse(), osg::Vec4(1, 1, 0, 1));
}

TEST_F(ShapesLightSearch, NumbersOutsideZeroToSevenChangeNoLightButTheMarkerFollows)
{
    osg::ref_ptr<osg::LightSource> zero = new osg::LightSource();
    root->addElement(zero.get());
    LightShape* light = place<LightShape>("l");
    const osg::Vec4 untouched = zero->getLight()->getDiffuse();
    struct Case {
        const char* num;
        float x;
    };
    const std::vector<Case> cases = {{"8", 100}, {"-1", 200}, {"0/0", 300}, {"1/0", 400}, {"-1/0", 500}, {"1e12", 600}};
    for (const Case& c : cases) {
        set("l", "num", c.num);
        set("l", "x", std::to_string(c.x));
        set("l", "radius", "10");
        set("l", "r", "0");
        redrawAndAttach(light);
        EXPECT_EQ(root->getNumChildren(), 2u) << c.num;
        EXPECT_EQ(zero->getLight()->getDiffuse(), untouched) << c.num;
        // The marker moved and its colour changed all the same.
        const osg::BoundingBox& box = light->getBoundingBox();
        EXPECT_NEAR(box.center().x(), c.x, 1e-3) << c.num;
        EXPECT_NEAR(box.xMax() - box.xMin(), 20.0, 0.1) << c.num;
        EXPECT_EQ(light->getColor(), osg::Vec4(0, 1, 1, 1)) << c.num;
    }
}

TEST_F(ShapesLightSearch, MarkerIsRebuiltWhereItsParametersSayInItsColour)
{
    LightShape* light = place<LightShape>("l");
    set("l", "num", "8");
    redraw(light);
    EXPECT_NEAR(light->getBoundingBox().radius(), std::sqrt(3.0), 1e-2) << "radius 1 at the origin";
    EXPECT_EQ(light->getColor(), osg::Vec4(1, 1, 1, 1));
    EXPECT_EQ(light->getStateSet()->getRenderingHint(), osg::StateSet::DEFAULT_BIN);
    EXPECT_EQ(light->getStateSet()->getMode(GL_LIGHTING), osg::StateAttribute::OFF);

    set("l", "x", "-300");
    set("l", "z", "200");
    set("l", "radius", "40");
    set("l", "a", "0.5");
    set("l", "b", "0");
    redraw(light);
    const osg::BoundingBox& box = light->getBoundingBox();
    EXPECT_NEAR(box.center().x(), -300, 1e-3);
    EXPECT_NEAR(box.center().z(), 200, 1e-3);
    EXPECT_NEAR(box.zMax() - box.zMin(), 80, 0.1);
    EXPECT_EQ(light->getColor(), osg::Vec4(1, 1, 0, 0.5f));
    EXPECT_EQ(light->getStateSet()->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
}

class ShapesText : public ShapesInScene {
protected:
    void SetUp() override
    {
        ShapesInScene::SetUp();
        savedFontDir = Config::getInstance()->get("Font");
        Config::getInstance()->add("Font", fontDir);
    }
    void TearDown() override { Config::getInstance()->add("Font", savedFontDir); }

    static std::string label(TextShape* text) { return text->getText().createUTF8EncodedString(); }

    const std::string fontDir = "/usr/share/fonts/truetype/dejavu/";
    std::string savedFontDir;
};

TEST_F(ShapesText, SizeSetsTheCharacterSizeAndAClampedResolution)
{
    TextShape* text = place<TextShape>("t");
    setText("t", "label", "ab\\ncd");  // laid out at every size
    struct Case {
        const char* size;
        float characterSize;
        unsigned int resolution;
    };
    // In order: a size that is not a finite number keeps the one before.
    const std::vector<Case> cases = {
        {"24", 24, 24},        {"24.9", 24.9f, 24}, {"0/0", 24.9f, 24}, {"1.5", 1.5f, 1},
        {"1/0", 1.5f, 1},      {"0.5", 0.5f, 1},    {"-5", -5, 1},      {"1000", 1000, 256},
        {"-1/0", 1000, 256},   {"1e30", 1e30f, 256},
    };
    for (const Case& c : cases) {
        set("t", "size", c.size);
        redraw(text);
        EXPECT_EQ(text->getCharacterHeight(), c.characterSize) << c.size;
        EXPECT_EQ(text->getFontWidth(), c.resolution) << c.size;
        EXPECT_EQ(text->getFontHeight(), c.resolution) << c.size;
    }
}

TEST_F(ShapesText, EachTextHasAStateSetOfItsOwn)
{
    TextShape* first = place<TextShape>("t");
    TextShape* second = place<TextShape>("u");
    for (const char* object : {"t", "u"})
        set(object, "size", "30");
    set("t", "a", "0.5");
    redraw(first);
    redraw(second);
    ASSERT_NE(first->getStateSet(), second->getStateSet());
    EXPECT_EQ(first->getStateSet()->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
    EXPECT_EQ(second->getStateSet()->getRenderingHint(), osg::StateSet::DEFAULT_BIN);

    // A new resolution makes osgText choose again; the text keeps its own modes and bin.
    set("u", "size", "60");
    redraw(second);
    EXPECT_NE(first->getStateSet(), second->getStateSet());
    EXPECT_EQ(first->getStateSet()->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
    EXPECT_EQ(second->getStateSet()->getRenderingHint(), osg::StateSet::DEFAULT_BIN);
    for (TextShape* text : {first, second}) {
        EXPECT_EQ(text->getStateSet()->getMode(GL_LIGHTING), osg::StateAttribute::OFF);
        EXPECT_EQ(text->getStateSet()->getMode(GL_BLEND), osg::StateAttribute::ON);
    }
}

TEST_F(ShapesText, FontIsReadFromTheFontFolderAndRefusedNamesReadTheDefault)
{
    TextShape* text = place<TextShape>("t");
    auto fontFileFor = [&](const std::string& font) {
        setText("t", "font", font);
        redraw(text);
        return text->getFont() != nullptr ? text->getFont()->getFileName() : "no font";
    };
    // BigCaslon.ttf is missing here: the font system stands in for it.
    const std::string standIn = fontFileFor("");
    ASSERT_NE(standIn, "no font");
    ASSERT_EQ(standIn.find("Serif"), std::string::npos) << standIn;

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"DejaVuSerif.ttf", fontDir + "DejaVuSerif.ttf"},
        {"../dejavu/DejaVuSerifCondensed.ttf", standIn},
        {"DejaVuSansMono.ttf", fontDir + "DejaVuSansMono.ttf"},
        {"", standIn},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fontFileFor(c.first), c.second) << c.first;
}

TEST_F(ShapesText, FontNamesWithControlCharactersAreRefused)
{
    ShapesTempDir folder;
    const std::vector<std::pair<std::string, bool>> cases = {
        {"serif.ttf", true}, {"serif\x01.ttf", false}, {"serif\n.ttf", false}, {"serif\x7f.ttf", false}};
    for (const auto& c : cases)
        std::filesystem::copy_file(fontDir + "DejaVuSerif.ttf", folder.file(c.first));
    Config::getInstance()->add("Font", folder.path + "/");
    TextShape* text = place<TextShape>("t");
    for (const auto& c : cases) {
        setText("t", "font", c.first);
        redraw(text);
        ASSERT_NE(text->getFont(), nullptr);
        EXPECT_EQ(text->getFont()->getFileName() == folder.file(c.first), c.second) << printableText(c.first);
    }
}

TEST_F(ShapesText, LabelPositionAndColourComeFromTheParameters)
{
    TextShape* text = place<TextShape>("t");
    redraw(text);
    EXPECT_EQ(label(text), "");
    EXPECT_EQ(text->getColor(), osg::Vec4(1, 1, 1, 1));
    EXPECT_EQ(text->getCharacterHeight(), 1.0f);

    setText("t", "label", "a\\nb\\tc");
    set("t", "x", "10");
    set("t", "z", "-20");
    set("t", "r", "0.5");
    redraw(text);
    EXPECT_EQ(label(text), "a\nb\tc");
    EXPECT_EQ(text->getPosition(), osg::Vec3(10, 0, -20));
    EXPECT_EQ(text->getColor(), osg::Vec4(0.5f, 1, 1, 1));
    EXPECT_EQ(text->getAxisAlignment(), osgText::TextBase::SCREEN);
    EXPECT_EQ(text->getAlignment(), osgText::TextBase::CENTER_CENTER);
}

// The label is laid out again only when its text changes: every change is
// shown, also back to an earlier text, and redraws that change only other
// parameters keep it.
TEST_F(ShapesText, EveryChangeOfTheLabelIsShown)
{
    TextShape* text = place<TextShape>("t");
    const struct {
        const char* label;  // null: only x changes
        const char* shown;
    } steps[] = {
        {"one", "one"}, {nullptr, "one"}, {"two\\n", "two\n"}, {"two\\n", "two\n"}, {nullptr, "two\n"},
        {"", ""},       {nullptr, ""},    {"one", "one"},        {"a\\tb", "a\tb"},   {"one", "one"},
    };
    float x = 0;
    for (const auto& step : steps) {
        if (step.label != nullptr)
            setText("t", "label", step.label);
        else
            set("t", "x", std::to_string(++x));
        redraw(text);
        EXPECT_EQ(label(text), step.shown) << (step.label ? step.label : "x");
        EXPECT_EQ(text->getPosition().x(), x) << (step.label ? step.label : "x");
    }
}

}  // namespace
