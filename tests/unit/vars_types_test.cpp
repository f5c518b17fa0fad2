// Value types: schedule entries and their order, type conflicts between
// kinds, strings.

#include "vars_test_support.h"

#include <cfloat>
#include <list>

using namespace vars_test;

namespace {

struct EntryCase {
    const char* label;
    const char* text;
    double time;
    const char* command;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.label; }

class VarsScheduleEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(VarsScheduleEntry, TimeAndCommand)
{
    const EntryCase& c = GetParam();
    ScheduleType schedule("u:s.add", "");
    testing::internal::CaptureStderr();
    schedule.add(c.text);
    const std::string trace = testing::internal::GetCapturedStderr();
    std::list<Event> events;
    schedule.getEvents(events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front().time, c.time);
    EXPECT_EQ(events.front().command, c.command);
    std::ostringstream expected;
    expected << "Time: " << static_cast<float>(c.time) << " Command: " << c.command << "\n";
    EXPECT_EQ(trace, expected.str());
}

INSTANTIATE_TEST_SUITE_P(
    Table, VarsScheduleEntry,
    testing::Values(EntryCase{"time_and_command", "5 cube a b=1", 5, " cube a b=1"},
                    EntryCase{"number_alone", "12", 0, "12"},
                    EntryCase{"no_number", "go now", 0, "go now"},
                    EntryCase{"leading_blank", " 5 cube a", 5, " 5 cube a"},
                    EntryCase{"single_precision", "0.1 x", static_cast<double>(0.1f), " x"},
                    EntryCase{"empty", "", 0, ""},
                    EntryCase{"number_glued_to_word", "5cube a", 5, " a"},
                    EntryCase{"beyond_float_range", "1e50 late", static_cast<double>(FLT_MAX), " late"},
                    EntryCase{"below_float_range", "-1e50 early", -static_cast<double>(FLT_MAX), " early"}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.label); });

TEST(VarsSchedule, EqualTimesKeepTheirOrder)
{
    ScheduleType schedule("u:s.add", "3 first");
    testing::internal::CaptureStderr();
    for (const char* entry : {"1 a", "3 second", "2 b", "0 c", "3 third"})
        schedule.add(std::string(entry));
    testing::internal::GetCapturedStderr();
    std::list<Event> events{Event(9, "old"), Event(8, "older")};
    schedule.getEvents(events);
    std::vector<std::string> commands;
    for (const Event& event : events)
        commands.push_back(event.command);
    EXPECT_EQ(commands, (std::vector<std::string>{" c", " a", " b", " first", " second", " third"}));
}

TEST(VarsSchedule, StoreCreatesAndExtendsSchedules)
{
    const std::string name = freshUser() + ":Main.add";
    EXPECT_EQ(addCapturing(name, "", PARAM_SCHEDULE), "");
    Type* value = nullptr;
    ASSERT_TRUE(store()->exists(name));
    ASSERT_TRUE(store()->get(name, value));
    ASSERT_NE(value->asScheduleType(), nullptr);
    std::list<Event> events;
    value->asScheduleType()->getEvents(events);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(addCapturing(name, "2 cube b", PARAM_SCHEDULE), "Time: 2 Command:  cube b\n");
    value->asScheduleType()->getEvents(events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front().command, " cube b");
}

struct ConflictCase {
    const char* label;
    ParamType first;
    const char* firstText;
    ParamType second;
    const char* message;
};

// Named in test listings by what tells the cases apart.
void PrintTo(const ConflictCase& c, std::ostream* os) { *os << c.label; }

class VarsTypeConflict : public testing::TestWithParam<ConflictCase> {};

// Refused with a line on standard error whatever the user, the value unchanged.
TEST_P(VarsTypeConflict, RefusedOnStandardError)
{
    const ConflictCase& c = GetParam();
    const std::string name = freshUser() + ":v";
    addCapturing(name, c.firstText, c.first);
    Type* before = nullptr;
    ASSERT_TRUE(store()->get(name, before));
    std::string text;
    if (StringType* s = before->asStringType())
        text = s->getString();
    if (VarType* n = before->asVarType())
        text = n->getString();

    EXPECT_EQ(addCapturing(name, "4", c.second), c.message);
    Type* after = nullptr;
    ASSERT_TRUE(store()->get(name, after));
    EXPECT_EQ(after, before);
    if (StringType* s = after->asStringType()) {
        EXPECT_EQ(s->getString(), text);
    }
    if (VarType* n = after->asVarType()) {
        EXPECT_EQ(n->getString(), text);
        EXPECT_DOUBLE_EQ(n->getValue(), 1);
    }
}

const char* const toString = "Error: can not convert an expression to a string\n";
const char* const wrongType = "Error: incorrect type already exists\n";

INSTANTIATE_TEST_SUITE_P(
    Table, VarsTypeConflict,
    testing::Values(ConflictCase{"number_to_string", PARAM_NUMBER, "1", PARAM_STRING, toString},
                    ConflictCase{"schedule_to_string", PARAM_SCHEDULE, "", PARAM_STRING, toString},
                    ConflictCase{"string_to_number", PARAM_STRING, "s", PARAM_NUMBER, wrongType},
                    ConflictCase{"string_to_expression", PARAM_STRING, "s", PARAM_EXPRESSION, wrongType},
                    ConflictCase{"schedule_to_number", PARAM_SCHEDULE, "", PARAM_NUMBER, wrongType},
                    ConflictCase{"number_to_schedule", PARAM_NUMBER, "1", PARAM_SCHEDULE, wrongType},
                    ConflictCase{"string_to_schedule", PARAM_STRING, "s", PARAM_SCHEDULE, wrongType}),
    [](const testing::TestParamInfo<ConflictCase>& info) { return std::string(info.param.label); });

TEST(VarsStrings, StoredAndReplaced)
{
    const std::string name = freshUser() + ":box.name";
    EXPECT_EQ(addCapturing(name, "cube", PARAM_STRING), "");
    Type* value = nullptr;
    ASSERT_TRUE(store()->get(name, value));
    ASSERT_NE(value->asStringType(), nullptr);
    EXPECT_EQ(value->getName(), name);
    EXPECT_EQ(value->asStringType()->getString(), "cube");
    EXPECT_EQ(addCapturing(name, "sphere", PARAM_STRING), "");
    EXPECT_EQ(value->asStringType()->getString(), "sphere");
    EXPECT_EQ(value->asVarType(), nullptr);
    EXPECT_EQ(value->asScheduleType(), nullptr);
}

TEST(VarsStore, AbsentNamesLeaveTheArgumentAlone)
{
    Type* sentinel = reinterpret_cast<Type*>(0x1);
    Type* value = sentinel;
    EXPECT_FALSE(store()->get(freshUser() + ":nothing", value));
    EXPECT_EQ(value, sentinel);
    EXPECT_FALSE(store()->exists(freshUser() + ":nothing"));
}

TEST(VarsStore, RemoveOnlyWhatNothingUses)
{
    const std::string user = freshUser();
    addCapturing(user + ":y", "2", PARAM_NUMBER);
    addCapturing(user + ":x", "y+1", PARAM_EXPRESSION);

    testing::internal::CaptureStderr();
    store()->remove(user + ":y");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can not remove: " + user + ":y as it has parents\n");
    EXPECT_TRUE(store()->exists(user + ":y"));

    VarType* y = number(user + ":y");
    store()->remove(user + ":x");
    EXPECT_FALSE(store()->exists(user + ":x"));
    EXPECT_TRUE(y->getParentVars()->empty());
    store()->remove(user + ":y");
    EXPECT_FALSE(store()->exists(user + ":y"));
    // The name can be stored afresh and named again.
    addCapturing(user + ":y", "4", PARAM_NUMBER);
    EXPECT_EQ(addCapturing(user + ":z", "y*2", PARAM_EXPRESSION), "");
    EXPECT_DOUBLE_EQ(number(user + ":z")->getValue(), 8);
}

TEST(VarsStore, PrintLines)
{
    const std::string user = freshUser();
    addCapturing(user + ":n", "1.5", PARAM_NUMBER);
    addCapturing(user + ":s", "hello", PARAM_STRING);
    testing::internal::CaptureStderr();
    store()->print(user + ":n");
    store()->print(user + ":s");
    store()->print(user + ":absent");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Var Name: " + user + ":n current value 1.5\nString Name: " + user + ":s string is: hello\n");
}

}  // namespace
