// What keeps thousands of shapes cheap must not show: an idle shape's
// update takes no lock yet loses no change, and cubes share one state set
// until one needs its own, without one cube's change reaching another.

#include "CubeShape.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Material>
#include <osg/Program>

#include <atomic>
#include <thread>

namespace {

// Redraws copy the generation that was current when they ran.
class GenerationShape : public GeometryShape {
public:
    std::string getType() override { return "generation"; }
    std::atomic<int> generation{0};
    int drawn = -1;
    int redraws = 0;

protected:
    void redraw() override
    {
        drawn = generation;
        ++redraws;
    }
};

// A writer changes the generation and marks the shape while frames run:
// the frame after the writer's last mark draws its last generation, and no
// frame redraws an idle shape.
TEST(ShapesIdleUpdate, NoChangeIsLostWhileFramesRun)
{
    osg::ref_ptr<GenerationShape> shape = new GenerationShape();
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        for (int i = 1; i <= 2000; ++i) {
            shape->generation = i;
            shape->dirty();
            if (i % 64 == 0)
                std::this_thread::yield();
        }
        writing = false;
    });
    while (writing)
        shape->update();
    writer.join();
    shape->update();
    EXPECT_EQ(shape->drawn, 2000);
    const int redraws = shape->redraws;
    for (int frame = 0; frame < 10; ++frame)
        shape->update();
    EXPECT_EQ(shape->redraws, redraws);
}

class ShapesSharedState : public testing::Test {
protected:
    void SetUp() override
    {
        ensureShapeDefs();
        user = freshUser("shared");
    }
    CubeShape* cube(const std::string& name)
    {
        auto* made = new CubeShape(user, name);
        keepForever(made);
        redraw(made);
        return made;
    }
    void set(const std::string& object, const std::string& parameter, const std::string& value, ParamType kind)
    {
        Variables::getInstance()->add(nullptr, user + ":" + object + "." + parameter, value, kind);
    }
    static void redraw(CubeShape* shape)
    {
        shape->dirty();
        shape->update();
    }
    std::string user;
};

TEST_F(ShapesSharedState, DefaultCubesShareTheStateEveryCubeStartsWith)
{
    CubeShape* a = cube("a");
    CubeShape* b = cube("b");
    ASSERT_NE(a->getStateSet(), nullptr);
    EXPECT_EQ(a->getStateSet(), b->getStateSet());
    const osg::StateSet& state = *a->getStateSet();
    EXPECT_EQ(state.getRenderingHint(), osg::StateSet::DEFAULT_BIN);
    for (GLenum mode : {GLenum(GL_BLEND), GLenum(GL_LIGHTING), GLenum(GL_LIGHT0), GLenum(GL_LIGHT7)})
        EXPECT_EQ(state.getMode(mode), osg::StateAttribute::ON) << mode;
    auto* material = dynamic_cast<const osg::Material*>(state.getAttribute(osg::StateAttribute::MATERIAL));
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->getColorMode(), osg::Material::AMBIENT_AND_DIFFUSE);
    auto* program = dynamic_cast<const osg::Program*>(state.getAttribute(osg::StateAttribute::PROGRAM));
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->getNumShaders(), 0u);
    EXPECT_EQ(state.getTextureAttribute(0, osg::StateAttribute::TEXTURE), nullptr);
}

TEST_F(ShapesSharedState, ACubeThatChangesItsStateGetsItsOwn)
{
    CubeShape* plain = cube("plain");
    CubeShape* clear = cube("clear");
    CubeShape* shaded = cube("shaded");
    const osg::StateSet* shared = plain->getStateSet();

    set("clear", "a", "0.5", PARAM_NUMBER);
    redraw(clear);
    EXPECT_NE(clear->getStateSet(), shared);
    EXPECT_EQ(clear->getStateSet()->getRenderingHint(), osg::StateSet::TRANSPARENT_BIN);
    EXPECT_EQ(plain->getStateSet(), shared);
    EXPECT_EQ(shared->getRenderingHint(), osg::StateSet::DEFAULT_BIN);

    set("clear", "a", "1", PARAM_NUMBER);
    redraw(clear);
    EXPECT_EQ(clear->getStateSet()->getRenderingHint(), osg::StateSet::DEFAULT_BIN);

    set("shaded", "shader", "glow", PARAM_STRING);
    testing::internal::CaptureStderr();  // the shader files do not exist
    redraw(shaded);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(shaded->getStateSet(), shared);
    EXPECT_NE(shaded->getStateSet()->getAttribute(osg::StateAttribute::PROGRAM),
              shared->getAttribute(osg::StateAttribute::PROGRAM));
    EXPECT_EQ(plain->getStateSet(), shared);
    // Still lit as every cube.
    EXPECT_EQ(shaded->getStateSet()->getMode(GL_LIGHTING), osg::StateAttribute::ON);
}

// Cubes share the list of their parameter names; a name one cube is given
// stays with that cube.
TEST_F(ShapesSharedState, AParameterAddedToOneCubeStaysWithIt)
{
    CubeShape* given = cube("given");
    CubeShape* other = cube("other");
    set("given", "size", "3", PARAM_NUMBER);
    Variables::getInstance()->add(nullptr, user + ":extra", "7", PARAM_NUMBER);
    Type* extra = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(user + ":extra", extra));
    given->addParameter("extra", extra);

    float read = 0;
    given->getParameterValue("extra", read);
    EXPECT_EQ(read, 7.0f);
    given->getParameterValue("size", read);
    EXPECT_EQ(read, 3.0f);
    EXPECT_TRUE(given->unboundParameterReads().empty());

    read = -1;
    other->getParameterValue("extra", read);
    EXPECT_EQ(read, -1.0f);
    EXPECT_EQ(other->unboundParameterReads().count("extra"), 1u);
    other->getParameterValue("size", read);
    EXPECT_EQ(read, 1.0f);
}

// Redraws read by key. A key finds what a read by name finds: made before
// the cubes' list of names or after it, on a cube with a list of its own,
// after a value is given an expression of another number; a key of no row
// reads nothing and is noted.
const ParameterKey sizeKeyMadeEarly("size");
const ParameterKey xKeyMadeEarly("x");

TEST_F(ShapesSharedState, ReadsByKeyFindWhatReadsByNameFind)
{
    CubeShape* plain = cube("plain");
    CubeShape* own = cube("own");
    Variables::getInstance()->add(nullptr, user + ":extra", "7", PARAM_NUMBER);
    Variables::getInstance()->add(nullptr, user + ":k", "5", PARAM_NUMBER);
    Type* extra = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(user + ":extra", extra));
    own->addParameter("extra", extra);
    set("plain", "size", "3", PARAM_NUMBER);
    set("own", "size", "4", PARAM_NUMBER);
    set("plain", "x", "k * 2", PARAM_EXPRESSION);
    const ParameterKey sizeKeyMadeLate("size"), extraKey("extra"), misspelt("sise");

    const struct {
        CubeShape* shape;
        const ParameterKey& key;
        float expected;
    } cases[] = {
        {plain, sizeKeyMadeEarly, 3}, {plain, sizeKeyMadeLate, 3}, {plain, xKeyMadeEarly, 10},
        {own, sizeKeyMadeEarly, 4},   {own, sizeKeyMadeLate, 4},   {own, extraKey, 7},
        {plain, extraKey, -1},        {plain, misspelt, -1},
    };
    for (const auto& c : cases) {
        float byKey = -1, byName = -1;
        {
            BasicShape::ParameterRead read(*c.shape);
            read.number(c.key, byKey);
        }
        c.shape->getParameterValue(c.key.name(), byName);
        EXPECT_EQ(byKey, c.expected) << c.key.name();
        EXPECT_EQ(byKey, byName) << c.key.name();
        EXPECT_EQ(c.shape->unboundParameterReads().count(c.key.name()), c.expected == -1 ? 1u : 0u) << c.key.name();
    }

    Variables::getInstance()->add(nullptr, user + ":k", "6", PARAM_NUMBER);
    float x = 0;
    BasicShape::ParameterRead(*plain).number(xKeyMadeEarly, x);
    EXPECT_EQ(x, 12.0f);
    set("plain", "x", "extra", PARAM_EXPRESSION);
    BasicShape::ParameterRead(*plain).number(xKeyMadeEarly, x);
    EXPECT_EQ(x, 7.0f);
}

// A row that holds another kind of value (stored before the cube was made)
// reads as nothing when a number is asked for, and as its text when a text
// is; neither is an unbound read.
TEST_F(ShapesSharedState, ReadsByKeyOfAnotherKindLeaveTheValueAsItWas)
{
    set("worded", "size", "big", PARAM_STRING);
    CubeShape* worded = cube("worded");
    float size = -1;
    std::string text;
    {
        BasicShape::ParameterRead read(*worded);
        read.number(sizeKeyMadeEarly, size);
        read.text(sizeKeyMadeEarly, text);
    }
    EXPECT_EQ(size, -1.0f);
    EXPECT_EQ(text, "big");
    EXPECT_TRUE(worded->unboundParameterReads().empty());
}

// A text read copies the stored text only when it differs from the one
// held, and tells whether it did; a row of another kind, or of no such
// name, leaves the held text and tells no change.
TEST_F(ShapesSharedState, TextReadsTellWhetherTheHeldTextChanged)
{
    set("worded", "texture", "wood.png", PARAM_STRING);
    CubeShape* worded = cube("worded");
    const ParameterKey textureKey("texture"), shaderKey("shader"), noSuchKey("texturee");
    const struct {
        const ParameterKey& key;
        const char* held;
        bool changed;
        const char* after;
    } cases[] = {
        {textureKey, "", true, "wood.png"},      {textureKey, "wood.png", false, "wood.png"},
        {textureKey, "wood.pn", true, "wood.png"}, {textureKey, "Wood.png", true, "wood.png"},
        {shaderKey, "None", false, "None"},      {shaderKey, "wood.png", true, "None"},
        {sizeKeyMadeEarly, "kept", false, "kept"}, {noSuchKey, "kept", false, "kept"},
    };
    for (const auto& c : cases) {
        std::string byKey = c.held, byName = c.held;
        bool keyChanged = false;
        {
            BasicShape::ParameterRead read(*worded);
            keyChanged = read.text(c.key, byKey);
        }
        const bool nameChanged = BasicShape::ParameterRead(*worded).text(c.key.name(), byName);
        EXPECT_EQ(keyChanged, c.changed) << c.key.name() << " held " << c.held;
        EXPECT_EQ(nameChanged, c.changed) << c.key.name() << " held " << c.held;
        EXPECT_EQ(byKey, c.after) << c.key.name() << " held " << c.held;
        EXPECT_EQ(byName, c.after) << c.key.name() << " held " << c.held;
    }
}

// A cube keeps the shader name it read last: every change of the name is
// drawn, also back to "None" and between redraws that change only other
// parameters.
TEST_F(ShapesSharedState, EveryChangeOfTheShaderNameIsDrawn)
{
    CubeShape* shaded = cube("shaded");
    const osg::StateAttribute* none = shaded->getStateSet()->getAttribute(osg::StateAttribute::PROGRAM);
    const struct {
        const char* shader;  // null: only the size changes
        bool withoutShader;
    } steps[] = {{"glow", false}, {nullptr, false}, {"None", true}, {nullptr, true},
                 {"glow", false}, {"none", false},  {"None", true}};
    float size = 1;
    for (const auto& step : steps) {
        if (step.shader != nullptr)
            set("shaded", "shader", step.shader, PARAM_STRING);
        else
            set("shaded", "size", std::to_string(++size), PARAM_NUMBER);
        testing::internal::CaptureStderr();  // the shader files do not exist
        redraw(shaded);
        testing::internal::GetCapturedStderr();
        const osg::StateAttribute* program = shaded->getStateSet()->getAttribute(osg::StateAttribute::PROGRAM);
        EXPECT_EQ(program == none, step.withoutShader) << (step.shader ? step.shader : "size");
    }
}

}  // namespace
