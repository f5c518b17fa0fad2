// The command thread stores while the main thread's shapes read and flush:
// readers never see a half-changed value and the locks never deadlock. Run
// under ThreadSanitizer by the test script.

#include "ShapeUpdates.h"
#include "shapes/BasicShape.h"
#include "vars_test_support.h"

#include <OpenThreads/ScopedLock>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <list>
#include <thread>

using namespace vars_test;

namespace {

// Reads its bound values in update(), under its own lock, as shapes do.
class ReadingShape : public BasicShape {
public:
    void dirty() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        dirtyFlag = true;
    }
    osg::Geode* getParent() override { return nullptr; }
    osg::Drawable* asDrawable() override { return nullptr; }
    std::string getType() override { return "reading"; }
    void update() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        if (!dirtyFlag)
            return;
        getParameterValue("x", x);
        getParameterString("label", label);
        getParameterSchedule("add", events);
        dirtyFlag = false;
    }
    float x = 0;
    std::string label;
    std::list<Event> events;
};

// Run alone (as CTest runs each test), the two threads race to make them.
TEST(VarsConcurrency, SingletonsMadeOnceFromTwoThreads)
{
    Variables* stores[2] = {nullptr, nullptr};
    ShapeUpdates* sets[2] = {nullptr, nullptr};
    std::thread other([&] {
        stores[1] = Variables::getInstance();
        sets[1] = ShapeUpdates::getInstance();
    });
    sets[0] = ShapeUpdates::getInstance();
    stores[0] = Variables::getInstance();
    other.join();
    EXPECT_NE(stores[0], nullptr);
    EXPECT_EQ(stores[0], stores[1]);
    EXPECT_NE(sets[0], nullptr);
    EXPECT_EQ(sets[0], sets[1]);
}

TEST(VarsConcurrency, StoringWhileShapesReadAndFlush)
{
    const std::string user = freshUser();
    addCapturing(user + ":s.x", "0", PARAM_NUMBER);
    addCapturing(user + ":s.double", "s.x*2", PARAM_EXPRESSION);
    addCapturing(user + ":s.label", "", PARAM_STRING);
    addCapturing(user + ":s.add", "", PARAM_SCHEDULE);

    ReadingShape shape;
    Type* doubled = nullptr;
    ASSERT_TRUE(store()->get(user + ":s.double", doubled));

    std::atomic<bool> done{false};
    std::thread command([&] {
        testing::internal::CaptureStderr();  // the schedule's trace lines
        for (int i = 1; i <= 300; ++i) {
            store()->add(nullptr, user + ":s.x", std::to_string(i), PARAM_NUMBER);
            store()->add(nullptr, user + ":s.label", std::string(static_cast<std::size_t>(i % 50), 'a' + i % 26),
                         PARAM_STRING);
            store()->add(nullptr, user + ":s.add", std::to_string(300 - i) + " cube c", PARAM_SCHEDULE);
            store()->add(nullptr, user + ":y" + std::to_string(i), "s.x + " + std::to_string(i), PARAM_EXPRESSION);
            ShapeUpdates::getInstance()->dirty();
        }
        testing::internal::GetCapturedStderr();
        done = true;
    });

    // The main thread: binds the shape while values change, then redraws.
    shape.createMapping(user, "s", "no such type", &shape);  // binds nothing, touches nothing
    for (const char* parameter : {"x", "label", "add"}) {
        Type* value = nullptr;
        ASSERT_TRUE(store()->get(user + ":s." + parameter, value));
        value->addAssocObject(&shape);
        shape.addParameter(parameter, value);
    }
    while (!done) {
        shape.update();
        // A string is always one letter repeated: never half old, half new.
        if (!shape.label.empty()) {
            EXPECT_EQ(std::count(shape.label.begin(), shape.label.end(), shape.label[0]),
                      static_cast<long>(shape.label.size()));
        }
        EXPECT_TRUE(std::is_sorted(shape.events.begin(), shape.events.end()));
        const double value = doubled->asVarType()->getValue();
        EXPECT_EQ(value, 2 * std::floor(value / 2));
        store()->exists(user + ":y1");
    }
    command.join();
    ShapeUpdates::getInstance()->dirty();
    shape.update();
    EXPECT_EQ(shape.x, 300.0f);
    EXPECT_DOUBLE_EQ(doubled->asVarType()->getValue(), 600);
    EXPECT_EQ(shape.events.size(), 300u);
}

}  // namespace
