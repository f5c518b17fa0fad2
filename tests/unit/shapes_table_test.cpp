#include "ScheduleType.h"
#include "Scheduler.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "StringType.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

struct TypeCounts {
    const char* typeWord;
    int rows, strings, numbers, schedules;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const TypeCounts& c, std::ostream* os) { *os << c.typeWord; }

class ShapesTable : public testing::TestWithParam<TypeCounts> {
protected:
    void SetUp() override { ensureShapeDefs(); }
};

TEST_P(ShapesTable, RowsAndKindsOfEachType)
{
    const TypeCounts& expected = GetParam();
    ParamDefinitions* rows = ShapeDefinitions::getInstance()->getDefinition(expected.typeWord);
    ASSERT_NE(rows, nullptr) << expected.typeWord;
    int strings = 0, numbers = 0, schedules = 0;
    for (const auto& row : *rows) {
        strings += row.second.second == PARAM_STRING;
        numbers += row.second.second == PARAM_NUMBER;
        schedules += row.second.second == PARAM_SCHEDULE;
    }
    EXPECT_EQ(static_cast<int>(rows->size()), expected.rows);
    EXPECT_EQ(strings, expected.strings);
    EXPECT_EQ(numbers, expected.numbers);
    EXPECT_EQ(schedules, expected.schedules);
    ASSERT_EQ(rows->count("name"), 1u);
    EXPECT_EQ(rows->at("name"), std::make_pair(std::string(expected.typeWord), PARAM_STRING));
}

// 294 rows: 33 strings, 260 numbers, 1 schedule.
INSTANTIATE_TEST_SUITE_P(
    SixteenTypes, ShapesTable,
    testing::Values(TypeCounts{"square", 27, 3, 24, 0}, TypeCounts{"point", 9, 1, 8, 0},
                    TypeCounts{"triangle", 22, 1, 21, 0}, TypeCounts{"quad", 29, 1, 28, 0},
                    TypeCounts{"rectangle", 27, 2, 25, 0}, TypeCounts{"circle", 22, 2, 20, 0},
                    TypeCounts{"line", 16, 1, 15, 0}, TypeCounts{"text", 11, 3, 8, 0},
                    TypeCounts{"scheduler", 4, 1, 2, 1}, TypeCounts{"sphere", 19, 3, 16, 0},
                    TypeCounts{"cube", 28, 3, 25, 0}, TypeCounts{"cylinder", 16, 3, 13, 0},
                    TypeCounts{"model", 20, 3, 17, 0}, TypeCounts{"light", 11, 1, 10, 0},
                    TypeCounts{"camera", 4, 1, 3, 0}, TypeCounts{"video", 29, 4, 25, 0}),
    [](const testing::TestParamInfo<TypeCounts>& info) { return std::string(info.param.typeWord); });

struct DefaultCase {
    const char* typeWord;
    const char* parameter;
    const char* defaultText;
    ParamType kind;
};

TEST(ShapesTableDefaults, RowsThatDifferFromTheirNeighbours)
{
    ensureShapeDefs();
    const DefaultCase cases[] = {
        {"light", "num", "0", PARAM_NUMBER},          {"light", "type", "1.0", PARAM_NUMBER},
        {"cylinder", "rz", "1.0", PARAM_NUMBER},      {"cylinder", "rx", "0.0", PARAM_NUMBER},
        {"sphere", "texture", "None", PARAM_STRING},  {"square", "texture", "", PARAM_STRING},
        {"video", "texture", "", PARAM_STRING},       {"video", "file", "None", PARAM_STRING},
        {"model", "file", "None", PARAM_STRING},      {"cube", "shader", "None", PARAM_STRING},
        {"text", "label", "", PARAM_STRING},          {"text", "font", "", PARAM_STRING},
        {"scheduler", "add", "", PARAM_SCHEDULE},     {"scheduler", "play", "0.0", PARAM_NUMBER},
        {"scheduler", "time", "0.0", PARAM_NUMBER},   {"square", "t2s", "1.0", PARAM_NUMBER},
        {"rectangle", "t4t", "1.0", PARAM_NUMBER},    {"cube", "t4s", "0.0", PARAM_NUMBER},
        {"video", "go", "0.0", PARAM_NUMBER},         {"model", "scale", "1.0", PARAM_NUMBER},
        {"circle", "a2", "1.0", PARAM_NUMBER},        {"line", "width", "1.0", PARAM_NUMBER},
    };
    for (const DefaultCase& c : cases) {
        ParamDefinitions* rows = ShapeDefinitions::getInstance()->getDefinition(c.typeWord);
        ASSERT_NE(rows, nullptr) << c.typeWord;
        ASSERT_EQ(rows->count(c.parameter), 1u) << c.typeWord << "." << c.parameter;
        EXPECT_EQ(rows->at(c.parameter), std::make_pair(std::string(c.defaultText), c.kind))
            << c.typeWord << "." << c.parameter;
    }
    EXPECT_EQ(ShapeDefinitions::getInstance()->getDefinition("text")->count("rot"), 0u);
    EXPECT_EQ(ShapeDefinitions::getInstance()->getDefinition("light")->count("shader"), 0u);
}

TEST(ShapesTableFactories, SchedulerFactoryMakesSeparateSchedulers)
{
    ensureShapeDefs();
    EXPECT_EQ(ShapeDefinitions::getInstance()->getDefinition("cone"), nullptr);
    EXPECT_EQ(ShapeDefinitions::getInstance()->getFactory("cone"), nullptr);

    ShapeFactory* factory = ShapeDefinitions::getInstance()->getFactory("scheduler");
    ASSERT_NE(factory, nullptr);
    const std::string user = freshUser("table");
    BasicShape* main = factory->createInstance(user, "Main");
    BasicShape* other = factory->createInstance(user, "Other");
    keepForever(main);
    keepForever(other);
    ASSERT_NE(dynamic_cast<Scheduler*>(main), nullptr);
    ASSERT_NE(dynamic_cast<Scheduler*>(other), nullptr);
    EXPECT_NE(main, other);
    EXPECT_EQ(main->getName(), user + ":Main");
    EXPECT_EQ(other->getName(), user + ":Other");
    EXPECT_EQ(main->getType(), "scheduler");

    Type* tag = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(user + ":Main.name", tag));
    ASSERT_NE(tag->asStringType(), nullptr);
    EXPECT_EQ(tag->asStringType()->getString(), "scheduler");
    Type* schedule = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(user + ":Other.add", schedule));
    ASSERT_NE(schedule->asScheduleType(), nullptr);
    std::list<Event> events{Event(1.0, "stale")};
    schedule->asScheduleType()->getEvents(events);
    EXPECT_TRUE(events.empty());
}

}  // namespace
