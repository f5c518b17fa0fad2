// The operations the statement actions call, on a dispatcher without a
// window: names taken apart, values stored and read, object parameters
// checked against their type, objects created once.

#include "unit/dispatch_support.h"

#include "CommandParser.h"
#include "MainNode.h"
#include "ScheduleType.h"
#include "User.h"
#include "ValueKind.h"
#include "VarType.h"
#include "Variables.h"

#include <osg/NodeVisitor>

#include <gtest/gtest.h>

#include <cmath>
#include <list>
#include <string>
#include <vector>

namespace {

using Replies = std::vector<std::string>;

// Applies the scene root's queued insertions without traversing its children.
unsigned int applyQueuedChildren(MainNode* root)
{
    osg::NodeVisitor visitor(osg::NodeVisitor::UPDATE_VISITOR, osg::NodeVisitor::TRAVERSE_NONE);
    root->getUpdateCallback()->run(root, &visitor);
    return root->getNumChildren();
}

// Direct calls of the operations, with a user of our own whose collected
// messages we send and read back.
class DispatchOperations : public testing::Test {
protected:
    void SetUp() override
    {
        d.drain();
        user = new User(address, "77");
        name = user->getName();
    }

    Replies replies()
    {
        user->reportErrors();
        return d.drain();
    }

    std::string said(const std::string& message) { return address + ":77 " + message + ";\n"; }

    DispatchHarness& d = DispatchHarness::get();
    CommandParser* cp = CommandParser::getInstance();
    const std::string address = d.newAddress();
    User* user = nullptr;
    std::string name;
};

TEST_F(DispatchOperations, ExtractVarTakesNamesApart)
{
    const struct {
        const char* name;
        bool ok;
        const char* userPart;
        const char* objectPart;
        const char* parameterPart;
        const char* diagnostic;
    } cases[] = {
        {"x", true, "", "", "x", ""},
        {"user1:x", true, "user1", "", "x", ""},
        {"box.size", true, "", "box", "size", ""},
        {"user1:box.size", true, "user1", "box", "size", ""},
        {".x", true, "", "", "x", ""},
        {"u:.x", true, "u", "", "x", ""},
        {":x", true, "", "", "x", ""},
        {"x.", true, "", "x", "", ""},
        {"a.b.c", false, "", "", "", "Error: Invalid . string - no variabel specified\n"},
        {"a:b:c", false, "", "", "", "Error: Invalid : string\n"},
        {"a.b:c", false, "", "", "", "Error: Invalid : string\n"},
    };
    for (const auto& c : cases) {
        std::string userPart, objectPart, parameterPart;
        testing::internal::CaptureStderr();
        EXPECT_EQ(cp->extractVar(user, c.name, userPart, objectPart, parameterPart), c.ok) << c.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostic) << c.name;
        if (c.ok) {
            EXPECT_EQ(userPart, c.userPart) << c.name;
            EXPECT_EQ(objectPart, c.objectPart) << c.name;
            EXPECT_EQ(parameterPart, c.parameterPart) << c.name;
            EXPECT_TRUE(replies().empty()) << c.name;
        } else {
            EXPECT_EQ(replies(), Replies{said(std::string(c.name) + ": bad variable string.")});
        }
    }
}

TEST_F(DispatchOperations, SetVarStoresUnderTheResolvedFullName)
{
    const std::string other = "other" + name;
    const struct {
        const char* written;
        const char* value;
        int kind;
        std::string fullName;
        double number;    // NaN: not a number
        const char* text; // the stored string, for strings
    } cases[] = {
        {"x", "5", VALUE_NUMBER, name + ":x", 5, ""},
        {"n", "2", VALUE_NEGATIVE, name + ":n", -2, ""},
        {"e", "x*2+1", VALUE_EXPRESSION, name + ":e", 11, ""},
        {"s", "hello world", VALUE_STRING, name + ":s", NAN, "hello world"},
        {".q", "4", VALUE_NUMBER, name + ":q", 4, ""},
        {":r", "6", VALUE_NUMBER, name + ":r", 6, ""},
        {"x", "8", VALUE_NUMBER, name + ":x", 8, ""},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(cp->setVar(user, c.written, c.value, c.kind)) << c.written;
        if (std::isnan(c.number))
            EXPECT_EQ(d.stringValue(c.fullName), c.text) << c.written;
        else
            EXPECT_EQ(d.numberValue(c.fullName), c.number) << c.written;
    }
    EXPECT_EQ(d.numberValue(name + ":e"), 17);  // its dependants were evaluated again

    EXPECT_TRUE(cp->setVar(user, other + ":x", "3", VALUE_NUMBER));
    EXPECT_EQ(d.numberValue(other + ":x"), 3);
    EXPECT_TRUE(replies().empty());
}

TEST_F(DispatchOperations, SetVarWritesItsTraceAndAddsScheduleEntries)
{
    testing::internal::CaptureStderr();
    cp->setVar(user, "z", "1", VALUE_NUMBER);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_NE(trace.find("currentUser: " + name + " paramName:z value:1 type:0\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("paramName:z refUser: obj: param:z\nFull param name: " + name + ":z\n"), std::string::npos);
    EXPECT_NE(trace.find("adding var to table:" + name + ":z\n"), std::string::npos);

    cp->setVar(user, "plan", "5 cube a", VALUE_LIST_ENTRY);
    cp->setVar(user, "plan", "2 print x", VALUE_LIST_ENTRY);
    Type* plan = nullptr;
    ASSERT_TRUE(Variables::getInstance()->get(name + ":plan", plan));
    ASSERT_NE(plan->asScheduleType(), nullptr);
    std::list<Event> events;
    plan->asScheduleType()->getEvents(events);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events.front().time, 2);
    EXPECT_EQ(events.back().command, " cube a");
}

TEST_F(DispatchOperations, AssignmentNeverAddsAParameterToAnObject)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(cp->setVar(user, "box.size", "2", VALUE_NUMBER));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(d.exists(name + ":box.size"));
    EXPECT_EQ(replies(), Replies{said("box.size: var not found.")});

    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    EXPECT_FALSE(cp->setVar(user, "box.nosuch", "2", VALUE_NUMBER));
    EXPECT_TRUE(cp->setVar(user, "box.time", "2", VALUE_NUMBER));
    EXPECT_EQ(d.numberValue(name + ":box.time"), 2);
    EXPECT_EQ(replies(), Replies{said("box.nosuch: var not found.")});
}

TEST_F(DispatchOperations, GetVarReadsWhatSetVarStored)
{
    cp->setVar(user, "x", "5", VALUE_NUMBER);
    cp->setVar(user, "other:x", "9", VALUE_NUMBER);
    const struct {
        const char* written;
        double value;  // NaN: nothing found
    } cases[] = {
        {"x", 5}, {":x", 5}, {"other:x", 9}, {"nosuch", NAN}, {"box.size", NAN}, {".x", NAN},
    };
    for (const auto& c : cases) {
        Type* value = cp->getVar(user, c.written);
        if (std::isnan(c.value)) {
            EXPECT_EQ(value, nullptr) << c.written;
        } else {
            ASSERT_NE(value, nullptr) << c.written;
            EXPECT_EQ(value->asVarType()->getValue(), c.value) << c.written;
        }
    }
    EXPECT_EQ(cp->getVar(user, "a.b.c"), nullptr);
    EXPECT_EQ(replies(), Replies{said("a.b.c: bad variable string.")});
}

TEST_F(DispatchOperations, SetParamChecksTheObjectAndItsType)
{
    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    const std::string time = name + ":box.time";
    const struct {
        const char* object;
        const char* parameter;
        const char* value;
        int kind;
        const char* typeWord;
        bool result;
        double timeAfter;
        const char* reply;     // "" for none
        const char* diagnostic;
    } cases[] = {
        {"box", "time", "2", VALUE_NEGATIVE, "scheduler", true, -2, "", ""},
        {"box", "time", "3", VALUE_NUMBER, "", true, 3, "", ""},
        {"nobox", "time", "4", VALUE_NUMBER, "", false, 3, "nobox: object not found.", ""},
        {"box", "time", "4", VALUE_NUMBER, "cube", false, 3, "", "Error: Type miss match with string in setparam... \n"},
        {"box", "foo", "4", VALUE_NUMBER, "scheduler", true, 3, "foo: parameter not found for object type scheduler", ""},
        {"box", "Time", "4", VALUE_NUMBER, "", true, 3, "Time: parameter not found for object type scheduler", ""},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(cp->setParam(user, c.object, c.parameter, c.value, c.kind, c.typeWord), c.result) << c.parameter;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostic);
        EXPECT_EQ(d.numberValue(time), c.timeAfter) << c.parameter << " " << c.typeWord;
        EXPECT_EQ(replies(), std::string(c.reply).empty() ? Replies{} : Replies{said(c.reply)});
    }
}

TEST_F(DispatchOperations, AnObjectWhoseTagNamesNoTypeHasNoParameters)
{
    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    cp->setParam(user, "box", "time", "3", VALUE_NUMBER, "");
    EXPECT_TRUE(cp->setVar(user, "box.name", "blob", VALUE_STRING));
    EXPECT_TRUE(cp->setParam(user, "box", "time", "4", VALUE_NUMBER, ""));
    EXPECT_EQ(d.numberValue(name + ":box.time"), 3);
    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    EXPECT_EQ(replies(), (Replies{said("time: parameter not found for object type blob"),
                                  said("box: already exists as blob")}));
}

TEST_F(DispatchOperations, CheckForNewShapeCreatesEachObjectOnce)
{
    MainNode* root = d.root();
    const unsigned int before = applyQueuedChildren(root);
    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    cp->checkForNewShape(user, "box", nullptr, "scheduler", nullptr);
    EXPECT_EQ(applyQueuedChildren(root), before + 1);
    EXPECT_EQ(d.stringValue(name + ":box.name"), "scheduler");
    EXPECT_EQ(d.numberValue(name + ":box.time"), 0);

    cp->checkForNewShape(user, "box", nullptr, "sphere", nullptr);
    for (const char* unregistered : {"oval", "capsule", "cone", "event", "add", "Scheduler"})
        cp->checkForNewShape(user, "thing", nullptr, unregistered, nullptr);
    EXPECT_EQ(applyQueuedChildren(root), before + 1);
    EXPECT_FALSE(d.exists(name + ":thing.name"));
    EXPECT_EQ(replies(), Replies{said("box: already exists as scheduler")});
}

}  // namespace
