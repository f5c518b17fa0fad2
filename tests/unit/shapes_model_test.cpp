// The model: which file it reads when, where its transform hangs, and how
// the transform places and colours it.

#include "ModelShape.h"
#include "shapes_test_files.h"
#include "shapes_test_objects.h"

#include <gtest/gtest.h>

#include <osg/Material>
#include <osgDB/Registry>
#include <map>
#include <string>

namespace {

// A square of half edge 1 facing -y, as a Wavefront file (whose y is up).
const char* const squareObj = "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvn 0 0 1\nf 1//1 2//1 3//1 4//1\n";

// Counts every model file that a reader is asked for.
class NodeReadCounter : public osgDB::ReadFileCallback {
public:
    osgDB::ReaderWriter::ReadResult readNode(const std::string& file, const osgDB::Options* options) override
    {
        ++reads[file];
        return osgDB::ReadFileCallback::readNode(file, options);
    }
    int total() const
    {
        int sum = 0;
        for (const auto& entry : reads)
            sum += entry.second;
        return sum;
    }
    std::map<std::string, int> reads;
};

class ShapesModel : public testing::Test {
protected:
    void SetUp() override
    {
        dir.writeText("square.obj", squareObj);
        dir.writeText("other.obj", squareObj);
        osgDB::Registry::instance()->setReadFileCallback(counter.get());
    }
    void TearDown() override { osgDB::Registry::instance()->setReadFileCallback(nullptr); }

    // Redraws with the output captured; gives standard error.
    std::string redrawCapturing(PlacedObject<ModelShape>& model)
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        model.redraw();
        printed = testing::internal::GetCapturedStdout();
        return testing::internal::GetCapturedStderr();
    }
    osg::PositionAttitudeTransform& transform(PlacedObject<ModelShape>& model) { return *model.shape->getTransform(); }
    osg::Matrixd placing(PlacedObject<ModelShape>& model)
    {
        osg::Matrixd matrix;
        transform(model).computeLocalToWorldMatrix(matrix, nullptr);
        return matrix;
    }
    std::string errorLine(const std::string& name) { return "Error no model found: " + dir.file(name) + "\n"; }

    ShapesTempDir dir;
    ScopedSetting modelDir{"ModelDir", dir.path};
    osg::ref_ptr<NodeReadCounter> counter = new NodeReadCounter();
    std::string printed;  // standard output of the last captured redraw
};

TEST_F(ShapesModel, NoneReadsNothingAndALaterNameIsRead)
{
    PlacedObject<ModelShape> model("model");
    EXPECT_EQ(redrawCapturing(model), "");
    EXPECT_EQ(printed, "");
    EXPECT_EQ(counter->total(), 0);
    EXPECT_EQ(transform(model).getNumChildren(), 0u);

    model.string("file", "square.obj");
    EXPECT_EQ(occurrences(redrawCapturing(model), "Error"), 0);
    EXPECT_EQ(printed, "filename: " + dir.file("square.obj") + "\n");
    EXPECT_EQ(counter->reads[dir.file("square.obj")], 1);
    ASSERT_EQ(transform(model).getNumChildren(), 1u);
    EXPECT_EQ(transform(model).getChild(0)->getStateSet(), model.shape->getStateSet())
        << "the model shares the shape's lighting and material";

    model.number("x", "5");  // the same name: nothing read, the line again
    redrawCapturing(model);
    EXPECT_EQ(printed, "filename: " + dir.file("square.obj") + "\n");
    EXPECT_EQ(counter->total(), 1);
}

TEST_F(ShapesModel, NewNameReplacesTheModelAndAFailedOneKeepsIt)
{
    PlacedObject<ModelShape> model("model");
    model.string("file", "square.obj");
    redrawCapturing(model);
    const osg::Node* first = transform(model).getChild(0);

    model.string("file", "other.obj");
    redrawCapturing(model);
    ASSERT_EQ(transform(model).getNumChildren(), 1u);
    EXPECT_NE(transform(model).getChild(0), first);
    const osg::Node* second = transform(model).getChild(0);

    model.string("file", "missing.obj");
    EXPECT_EQ(occurrences(redrawCapturing(model), errorLine("missing.obj")), 1);
    model.number("y", "1");
    EXPECT_EQ(occurrences(redrawCapturing(model), errorLine("missing.obj")), 0) << "tried once per name";
    ASSERT_EQ(transform(model).getNumChildren(), 1u);
    EXPECT_EQ(transform(model).getChild(0), second);

    dir.writeText("missing.obj", squareObj);
    model.string("file", "square.obj");
    redrawCapturing(model);
    model.string("file", "missing.obj");  // named again after another name: read again
    EXPECT_EQ(occurrences(redrawCapturing(model), "Error"), 0);
    EXPECT_EQ(counter->reads[dir.file("missing.obj")], 2);
}

TEST_F(ShapesModel, RefusedNamesAreReportedAndNotRead)
{
    dir.writeText("run.lua", "os.exit(3)");
    PlacedObject<ModelShape> model("model");
    for (const std::string name : {"../square.obj", "sub/../../square.obj", "square\x1b.obj", "run.lua",
                                   "square.obj.gz", "scene.p3d", "", "http://example.org/a.obj"}) {
        model.string("file", name);
        const std::string errors = redrawCapturing(model);
        EXPECT_EQ(occurrences(errors, "Error no model found: "), 1) << name;
        EXPECT_EQ(errors.find('\x1b'), std::string::npos) << name;
        EXPECT_EQ(printed.find('\x1b'), std::string::npos) << name;
    }
    EXPECT_EQ(counter->total(), 0);
    EXPECT_EQ(transform(model).getNumChildren(), 0u);
}

TEST_F(ShapesModel, MalformedFileIsNotFound)
{
    dir.writeText("broken.osgb", std::string("\x1c\xdf\x4a\xd4\x00\x00", 6) + "garbage that is no scene");
    PlacedObject<ModelShape> model("model");
    model.string("file", "broken.osgb");
    EXPECT_EQ(occurrences(redrawCapturing(model), errorLine("broken.osgb")), 1);
    EXPECT_EQ(transform(model).getNumChildren(), 0u);
}

TEST_F(ShapesModel, TransformIsQueuedUnderTheRootOnce)
{
    PlacedObject<ModelShape> model("model");
    model.string("file", "square.obj");
    for (int frame = 0; frame < 3; ++frame)
        redrawCapturing(model);
    ASSERT_EQ(model.root->getNumChildren(), 2u);
    EXPECT_EQ(model.root->getChild(0), model.geode.get());
    EXPECT_EQ(model.root->getChild(1), &transform(model));
}

TEST_F(ShapesModel, TransformScalesTurnsAndMoves)
{
    PlacedObject<ModelShape> model("model");
    model.number("scale", "2");
    model.number("rot", "90");
    model.number("rotz", "1");
    model.number("tilt", "90");
    model.number("tiltx", "1");
    model.number("x", "10");
    model.number("y", "20");
    model.number("z", "30");
    model.redraw();
    const osg::Vec3d placed = osg::Vec3d(1, 0, 0) * placing(model);
    EXPECT_NEAR(placed.x(), 10.0, 1e-5);
    EXPECT_NEAR(placed.y(), 20.0, 1e-5);
    EXPECT_NEAR(placed.z(), 32.0, 1e-5) << "scaled, turned to +y, tilted to +z, moved";

    model.number("rotz", "0");  // a zero axis turns nothing
    model.number("tiltx", "0");
    model.redraw();
    EXPECT_NEAR((osg::Vec3d(1, 0, 0) * placing(model)).x(), 12.0, 1e-5);
}

TEST_F(ShapesModel, ColourReachesOnlyTheMaterial)
{
    PlacedObject<ModelShape> model("model");
    model.number("g", "0.5");
    model.number("a", "0.5");
    model.redraw();
    osg::StateSet* stateSet = model.shape->getStateSet();
    auto* material = dynamic_cast<osg::Material*>(stateSet->getAttribute(osg::StateAttribute::MATERIAL));
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->getDiffuse(osg::Material::FRONT), osg::Vec4(1, 0.5f, 1, 0.5f));
    EXPECT_EQ(material->getAmbient(osg::Material::BACK), osg::Vec4(1, 0.5f, 1, 0.5f));
    EXPECT_EQ(stateSet->getRenderingHint(), osg::StateSet::DEFAULT_BIN);
    EXPECT_EQ(stateSet->getMode(GL_BLEND), osg::StateAttribute::INHERIT);
}

}  // namespace
