#include "Config.h"
#include "FullName.h"
#include "GeometryShape.h"
#include "MainNode.h"
#include "ScheduleType.h"
#include "ShapeDefinitions.h"
#include "ShapeUpdates.h"
#include "StringType.h"
#include "VarType.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <OpenThreads/ScopedLock>
#include <osg/Geode>
#include <cmath>
#include <list>
#include <string>

namespace {

// A shape of any registered type that rebuilds one vertex at (x, y, z)
// from its parameters, as the catalogue's shapes rebuild theirs.
class VertexShape : public GeometryShape {
public:
    VertexShape(const std::string& userName, const std::string& objectName, const std::string& typeWord)
        : typeWord(typeWord)
    {
        createMapping(userName, objectName, typeWord, this);
        BasicShape::setName(fullName(userName, objectName));
    }
    void dirty() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        dirtyFlag = true;
    }
    std::string getType() override { return typeWord; }
    void update() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        if (!dirtyFlag)
            return;
        osg::Vec3 at;
        getParameterValue("x", at.x());
        getParameterValue("y", at.y());
        getParameterValue("z", at.z());
        osg::ref_ptr<osg::Vec3Array> vertices = new osg::Vec3Array();
        vertices->push_back(at);
        setVertexArray(vertices.get());
        ++rebuilds;
        dirtyFlag = false;
    }

    bool marked() { return isDirty(); }
    osg::Vec3 vertex()
    {
        auto* vertices = dynamic_cast<osg::Vec3Array*>(getVertexArray());
        return vertices != nullptr && !vertices->empty() ? vertices->front() : osg::Vec3(NAN, NAN, NAN);
    }
    int rebuilds = 0;

private:
    std::string typeWord;
};

VertexShape* makeShape(const std::string& user, const std::string& object, const std::string& typeWord = "cube")
{
    auto* shape = new VertexShape(user, object, typeWord);
    keepForever(shape);
    return shape;
}

Type* stored(const std::string& fullName)
{
    Type* value = nullptr;
    Variables::getInstance()->get(fullName, value);
    return value;
}

void store(const std::string& fullName, const std::string& text, ParamType kind = PARAM_NUMBER)
{
    Variables::getInstance()->add(nullptr, fullName, text, kind);
}

class ShapesBinding : public testing::Test {
protected:
    void SetUp() override { ensureShapeDefs(); }
    const std::string user = freshUser("bind");
};

TEST_F(ShapesBinding, EveryRowGetsItsDefaultValue)
{
    makeShape(user, "box");
    for (const auto& row : *ShapeDefinitions::getInstance()->getDefinition("cube")) {
        const std::string fullName = user + ":box." + row.first;
        Type* value = stored(fullName);
        ASSERT_NE(value, nullptr) << fullName;
        const std::string& defaultText = row.second.first;
        switch (row.second.second) {
        case PARAM_STRING:
            ASSERT_NE(value->asStringType(), nullptr) << fullName;
            EXPECT_EQ(value->asStringType()->getString(), defaultText) << fullName;
            break;
        case PARAM_NUMBER:
            ASSERT_NE(value->asVarType(), nullptr) << fullName;
            EXPECT_EQ(value->asVarType()->getValue(), std::stod(defaultText)) << fullName;
            break;
        default:
            ADD_FAILURE() << fullName << " has an unexpected kind";
        }
    }
    EXPECT_EQ(stored(user + ":box.name")->asStringType()->getString(), "cube");
}

TEST_F(ShapesBinding, EveryBoundValueHandsItsShapeToTheRedrawSet)
{
    VertexShape* shape = makeShape(user, "box");
    for (const auto& row : *ShapeDefinitions::getInstance()->getDefinition("cube")) {
        shape->update();  // clean again
        ASSERT_FALSE(shape->marked()) << row.first;
        const ParamType kind = row.second.second;
        store(user + ":box." + row.first, kind == PARAM_STRING ? "changed" : "2", kind);
        ShapeUpdates::getInstance()->dirty();
        EXPECT_TRUE(shape->marked()) << row.first;
    }
}

TEST_F(ShapesBinding, ExistingValuesAreAdoptedAndReadersKeepOtherKindsOut)
{
    store(user + ":box.x", "5");
    store(user + ":box.size", "big", PARAM_STRING);
    VertexShape* shape = makeShape(user, "box");

    float x = 0, size = 7, missing = 3;
    shape->getParameterValue("x", x);
    shape->getParameterValue("size", size);
    shape->getParameterValue("nosuch", missing);
    EXPECT_EQ(x, 5.0f);
    EXPECT_EQ(size, 7.0f);  // a string is no number: left alone
    EXPECT_EQ(missing, 3.0f);
    std::string label = "kept";
    shape->getParameterString("x", label);
    EXPECT_EQ(label, "kept");
    shape->getParameterString("size", label);
    EXPECT_EQ(label, "big");

    store(user + ":box.y", "0.1");
    float y = 0;
    shape->getParameterValue("y", y);
    EXPECT_EQ(y, 0.1f);  // the float nearest to 0.1

    shape->BasicShape::setName("");
    EXPECT_EQ(shape->BasicShape::getName(), user + ":box");
}

TEST_F(ShapesBinding, ScheduleReaderCopiesTheEventsInOrder)
{
    VertexShape* shape = makeShape(user, "clock", "scheduler");
    for (const char* entry : {"3 c", "1 a", "2 b"})
        store(user + ":clock.add", entry, PARAM_SCHEDULE);
    std::list<Event> events(5, Event(9.0, "old"));
    shape->getParameterSchedule("add", events);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events.front().command, " a");
    EXPECT_EQ(events.back().command, " c");
    shape->getParameterSchedule("play", events);  // a number: left alone
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(ShapesBinding, ChangedValueRedrawsItsOwnShapeInTheNextFrame)
{
    osg::ref_ptr<MainNode> root = new MainNode();
    UpdateFrames frames(root.get());
    VertexShape* a = makeShape(user, "a");
    VertexShape* b = makeShape(user, "b");
    for (VertexShape* shape : {a, b}) {
        // As the dispatcher does with a new shape.
        osg::ref_ptr<osg::Geode> geode = new osg::Geode();
        geode->addDrawable(shape->asDrawable());
        root->addElement(geode.get());
        ShapeUpdates::getInstance()->addShape(shape);
    }
    store(user + ":a.x", "2");
    store(user + ":a.z", "4");
    ShapeUpdates::getInstance()->dirty();
    EXPECT_TRUE(a->marked());
    frames.at(1.0);
    EXPECT_EQ(a->rebuilds, 1);  // two changes, one rebuild
    EXPECT_EQ(a->vertex(), osg::Vec3(2, 0, 4));
    EXPECT_EQ(b->vertex(), osg::Vec3(0, 0, 0));
    EXPECT_FALSE(a->marked());

    store(user + ":b.y", "3");
    EXPECT_FALSE(b->marked());  // waits in the redraw set until a flush
    frames.at(2.0);
    EXPECT_EQ(b->rebuilds, 1);
    ShapeUpdates::getInstance()->dirty();
    EXPECT_TRUE(b->marked());
    EXPECT_FALSE(a->marked());
    frames.at(3.0);
    EXPECT_EQ(b->vertex(), osg::Vec3(0, 3, 0));
    EXPECT_EQ(a->rebuilds, 1);
    EXPECT_EQ(b->rebuilds, 2);
}

}  // namespace
