// Hand-over of bound shapes to the redraw set, and the set's flush.

#include "ShapeUpdates.h"
#include "shapes/BasicShape.h"
#include "support/CountingShape.h"
#include "vars_test_support.h"

#include <OpenThreads/ScopedLock>

using namespace vars_test;

namespace {

class VarsRedraw : public testing::Test {
protected:
    void SetUp() override
    {
        user = freshUser();
        ShapeUpdates::getInstance()->dirty();  // start from an empty set
    }
    void bind(const std::string& name, BasicShape* shape)
    {
        Type* value = nullptr;
        ASSERT_TRUE(store()->get(user + ":" + name, value));
        value->addAssocObject(shape);
    }
    int marksAfterFlush(CountingShape& shape)
    {
        const int before = shape.marks;
        ShapeUpdates::getInstance()->dirty();
        return shape.marks - before;
    }
    std::string user;
};

TEST_F(VarsRedraw, StoringANumberHandsOverItsShapesEvenUnchanged)
{
    CountingShape shape;
    addCapturing(user + ":x", "1", PARAM_NUMBER);
    bind("x", &shape);
    bind("x", &shape);  // bound once
    EXPECT_EQ(marksAfterFlush(shape), 0);
    addCapturing(user + ":x", "1", PARAM_NUMBER);
    EXPECT_EQ(marksAfterFlush(shape), 1);
    EXPECT_EQ(marksAfterFlush(shape), 0);  // the flush emptied the set
}

TEST_F(VarsRedraw, DependantsHandOverTheirShapesOnce)
{
    CountingShape top, side, unrelated;
    addCapturing(user + ":d", "1", PARAM_NUMBER);
    addCapturing(user + ":b", "d+1", PARAM_EXPRESSION);
    addCapturing(user + ":c", "d+2", PARAM_EXPRESSION);
    addCapturing(user + ":a", "b+c", PARAM_EXPRESSION);
    addCapturing(user + ":other", "5", PARAM_NUMBER);
    bind("a", &top);
    bind("b", &side);
    bind("c", &side);
    bind("other", &unrelated);
    ShapeUpdates::getInstance()->dirty();

    addCapturing(user + ":d", "2", PARAM_NUMBER);
    EXPECT_EQ(marksAfterFlush(top), 1);
    EXPECT_EQ(side.marks, 1);
    EXPECT_EQ(unrelated.marks, 0);
}

TEST_F(VarsRedraw, StringsHandOverSchedulesDoNot)
{
    CountingShape shape;
    addCapturing(user + ":box.label", "hello", PARAM_STRING);
    addCapturing(user + ":Main.add", "", PARAM_SCHEDULE);
    bind("box.label", &shape);
    bind("Main.add", &shape);

    addCapturing(user + ":Main.add", "1 cube a", PARAM_SCHEDULE);
    EXPECT_EQ(marksAfterFlush(shape), 0);
    addCapturing(user + ":box.label", "hello", PARAM_STRING);
    EXPECT_EQ(marksAfterFlush(shape), 1);
}

TEST_F(VarsRedraw, RefusedChangesHandOverNothing)
{
    CountingShape shape;
    addCapturing(user + ":x", "1", PARAM_NUMBER);
    bind("x", &shape);
    addCapturing(user + ":x", "1+", PARAM_NUMBER);
    addCapturing(user + ":x", "x+1", PARAM_EXPRESSION);
    addCapturing(user + ":x", "text", PARAM_STRING);
    EXPECT_EQ(marksAfterFlush(shape), 0);
}

TEST_F(VarsRedraw, UnboundShapeLeavesNoTrace)
{
    CountingShape shape;
    addCapturing(user + ":x", "1", PARAM_NUMBER);
    bind("x", &shape);
    Type* value = nullptr;
    ASSERT_TRUE(store()->get(user + ":x", value));
    EXPECT_FALSE(value->isAssocObjectEmpty());
    value->removeAssocObject(&shape);
    value->removeAssocObject(&shape);
    EXPECT_TRUE(value->isAssocObjectEmpty());
    addCapturing(user + ":x", "2", PARAM_NUMBER);
    EXPECT_EQ(marksAfterFlush(shape), 0);
}

}  // namespace
