#include "StatementActions.h"

#include "CommandParser.h"
#include "FullName.h"
#include "NumberText.h"
#include "ParseDriver.h"
#include "ScheduleType.h"
#include "SenderReport.h"
#include "ShapeUpdates.h"
#include "StringType.h"
#include "User.h"
#include "VarType.h"
#include "Variables.h"
#include "lex.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <list>
#include <string>

namespace {

// The state of the current parse; init_parser resets all of it.
struct ParseState {
    CommandParser* cp = nullptr;
    User* user = nullptr;
    std::string commandType;       // type word of the statement, "var", or empty
    std::string currentShapeName;  // object name of the statement, or empty
    std::string intimingDur;       // duration of the statement's animation, or empty
    bool durationIsExpression = false;
    int currentParamType = VALUE_NUMBER;
    int dirtybit = 0;              // changes the statement made
};

ParseState state;

const char* const clockName = "Main.time";
const char* const scheduleName = "Main.add";

void report(const std::string& message) { reportToSender(state.user, message); }

// The user's own clock as a number, or null after reporting that it is missing.
VarType* userClock()
{
    Type* found = state.cp->getVar(state.user, clockName);
    VarType* clock = found ? found->asVarType() : nullptr;
    if (!clock) report("Main.time (Scheduler): does not exits: var not found.");
    return clock;
}

// A number's stored text, or its value when it has none.
std::string numberText(VarType* number)
{
    std::string text = number->getString();
    return text.empty() ? formatNumber(number->getValue()) : text;
}

// The text of a number that an animation starts from: its stored text when
// that is a plain number, otherwise its current value in full precision.
std::string startText(VarType* number)
{
    const std::string text = numberText(number);
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    if (end != text.c_str() && *end == '\0')
        return text;
    char exact[40];
    std::snprintf(exact, sizeof exact, "%.17g", number->getValue());
    return exact;
}

// The leading number of a text, as C's atof reads it.
double leadingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

void addScheduleEntry(const std::string& entry)
{
    state.cp->setVar(state.user, scheduleName, entry, VALUE_LIST_ENTRY);
}

// Reports why the command of a timed statement could not be read.
void reportUnreadCommand()
{
    if (lastBlockStatus() == BLOCK_TOO_LONG) {
        // The limit as the lexer compares it (an unsigned 32-bit count).
        const uint32_t limit = static_cast<uint32_t>(bufferSize);
        const uint32_t longest = limit > 0 ? limit - 1 : 0;
        report("syntax error: Timed command longer than " + std::to_string(longest) +
               " characters; put it in quotes or shorten it.");
    } else if (blockchar == '"') {
        report("syntax error: Unclosed quotation mark.");
    } else {
        report("syntax error: Unclosed single quotation mark.");
    }
}

// The user part of a written name, even an empty one, or the sender's name
// when it has none.
std::string ownerOf(const std::string& name)
{
    return namesUser(name) ? std::string(userPart(name)) : state.user->getName();
}

enum class Animation { Store, Skip, EndParse };

// Turns the assignment of value to the animated name into an expression over
// the user's clock that reaches the value after the statement's duration. On
// Store, value and kind are what to store: the animation, or the value itself
// when there is nothing to animate; endEntry is then the schedule entry that
// sets the exact value at the end (empty when there is none), to be added
// once the animation has been stored.
Animation animate(const std::string& param, std::string& value, int& kind, std::string& endEntry)
{
    if (kind == VALUE_STRING || kind == VALUE_LIST_ENTRY) {
        yyerror("animation type can only be applied to number or expressions\n");
        return Animation::EndParse;
    }
    const std::string target = state.currentShapeName.empty() ? param : parameterName(state.currentShapeName, param);

    VarType* clock = userClock();
    if (!clock) return Animation::EndParse;

    Type* current = state.cp->getVar(state.user, target);
    if (!current) {
        report(target + " does not exits: var not found.");
        return Animation::EndParse;
    }
    VarType* currentNumber = current->asVarType();
    if (!currentNumber) {
        yyerror("animation type can only be applied to number or expressions\n");
        return Animation::EndParse;
    }

    // The duration as the animation will divide by it: an expression is
    // taken in the namespace of the animated value.
    double duration = 0;
    if (!state.durationIsExpression) {
        duration = leadingNumber(state.intimingDur);
    } else if (!Variables::getInstance()->evaluate(state.user, ownerOf(target), state.intimingDur, duration)) {
        return Animation::Skip;  // the store has reported why
    }
    // Without a positive, finite duration there is nothing to animate, nor
    // from a clock or a value that is not a finite number: the animation
    // would stay at NaN or infinity until its end.
    if (!(duration > 0) || !std::isfinite(duration)) return Animation::Store;
    if (!std::isfinite(clock->getValue()) || !std::isfinite(currentNumber->getValue())) return Animation::Store;

    // Names in an expression are taken in the namespace of the value it is
    // stored in, so the clock is named in full: animating another user's
    // value still runs on the sender's own clock.
    const std::string clockInText = fullName(state.user->getName(), clockName);
    const std::string start = numberText(clock);
    const std::string elapsed = "(" + clockInText + " - (" + start + ") )";
    const std::string endTime = formatNumber(duration + clock->getValue());

    const std::string goal = "(" + std::string(kind == VALUE_NEGATIVE ? "-" : "") + value + ")";
    // The start appears twice in the animated text: starting from an earlier
    // animation's (or any expression's) text would double the text with
    // every animation, so such a value starts from the number it holds now.
    const std::string from = "(" + startText(currentNumber) + ")";
    const std::string animated =
        "(" + from + "+" + "(" + "(" + elapsed + "/(" + state.intimingDur + "))" + "*(" + goal + "-" + from + ")" + ")" + ")";

    std::string written = value;
    if (kind == VALUE_EXPRESSION) written = "`" + value + "`";
    if (kind == VALUE_NEGATIVE) written = "-" + value;
    endEntry = endTime + " " + target + "=" + written;

    value = animated;
    kind = VALUE_EXPRESSION;
    return Animation::Store;
}

}  // namespace

void init_parser(const char* text, CommandParser* dispatcher, User* user)
{
    initLex();
    loadLexText(text);
    state.cp = dispatcher;
    state.user = user;
    state.dirtybit = 0;
    state.commandType.clear();
    state.currentShapeName.clear();
    state.intimingDur.clear();
    state.currentParamType = VALUE_NUMBER;
}

void yyerror(const char* message) { report(message); }

void setCommandType(const char* typeWord) { state.commandType = typeWord; }

void setValueKind(ValueKind kind) { state.currentParamType = kind; }

void objectName(const char* name)
{
    state.currentShapeName = name;
    if (!state.commandType.empty()) {
        state.cp->checkForNewShape(state.user, name, nullptr, state.commandType, nullptr);
        ++state.dirtybit;
    }
}

bool assign(const char* name, const char* valueText)
{
    const std::string param = name;
    std::string value = valueText;
    if (param.find("add") != std::string::npos) state.currentParamType = VALUE_LIST_ENTRY;
    int kind = state.currentParamType;

    std::string endEntry;
    if (!state.intimingDur.empty()) {
        const Animation animation = animate(param, value, kind, endEntry);
        if (animation == Animation::EndParse) return false;
        if (animation == Animation::Skip) return true;
        state.currentParamType = kind;
    }

    bool stored = false;
    if (!state.currentShapeName.empty()) {
        stored = state.cp->setParam(state.user, state.currentShapeName, param, value, kind, state.commandType);
    } else if (state.commandType.empty() || state.commandType == "var") {
        stored = state.cp->setVar(state.user, param, value, kind);
    }
    // An animation that was refused (a type word without object name, or
    // one that differs from the object's type) leaves nothing to finish.
    if (stored && !endEntry.empty()) addScheduleEntry(endEntry);
    if (stored) ++state.dirtybit;
    return true;
}

char* readQuoted(char closing)
{
    blockchar = closing;
    char* block = getblock();
    if (!block) {
        if (closing == '"') {
            yyerror("syntax error: Unclosed quotation mark.");
        } else if (closing == '\'') {
            yyerror("syntax error: Unclosed single quotation mark.");
        } else {
            yyerror("syntax error: Unclosed backquote (grave accent).");
        }
    }
    return block;
}

bool overNumber(const char* number)
{
    state.intimingDur = number;
    state.durationIsExpression = false;
    if (state.currentParamType == VALUE_NEGATIVE) {
        yyerror("Cannot animate at negative time");
        return false;
    }
    return true;
}

void overExpression(const char* expression)
{
    state.intimingDur = expression;
    state.durationIsExpression = true;
    std::cerr << "in expr " + std::string(expression) + "\n";
}

namespace {

// The command after the time of AT or IN, read before anything else; null,
// with the reason reported, for a negative time or a command not read.
const char* timedCommand()
{
    const bool negative = state.currentParamType == VALUE_NEGATIVE;
    const char* command = GetSchedString();
    if (negative) {
        yyerror("Cannot schedule at negative time");
        return nullptr;
    }
    if (!command)
        reportUnreadCommand();
    return command;
}

}  // namespace

bool scheduleAt(const char* number)
{
    const char* command = timedCommand();
    if (!command)
        return false;
    addScheduleEntry(std::string(number) + " " + command);
    return true;
}

bool scheduleIn(const char* number)
{
    const char* command = timedCommand();
    if (!command)
        return false;
    VarType* clock = userClock();
    if (!clock) return false;
    addScheduleEntry(formatNumber(leadingNumber(number) + clock->getValue()) + " " + command);
    return true;
}

void emptyTimedCommand(bool atTime)
{
    if (atTime) std::cout << "empty out\n" << std::flush;
    yyerror("Empty command");
}

void printName(const char* name)
{
    std::cerr << std::string(name) + "\n";
    Type* found = state.cp->getVar(state.user, name);
    if (!found) {
        report(std::string(name) + ": var not found.");
        return;
    }
    std::string reply;
    if (VarType* number = found->asVarType()) {
        reply = formatNumber(number->getValue());
        const std::string text = number->getString();
        if (text != reply) reply += " (" + text + ")";
    } else if (StringType* string = found->asStringType()) {
        reply = string->getString();
    } else if (ScheduleType* schedule = found->asScheduleType()) {
        std::list<Event> events;
        schedule->getEvents(events);
        for (const Event& event : events) {
            if (!reply.empty()) reply += ", ";
            reply += formatNumber(event.time);
            if (event.command.empty() || event.command[0] != ' ') reply += ' ';
            reply += event.command;
        }
    }
    report(reply);
}

void screenshot(const char* name)
{
    if (state.cp->writeScreenshot(name)) yyerror("took screenshot");
}

void missingObjectName() { yyerror("Syntax error: no object specified"); }

void endOfChangingStatement()
{
    if (state.dirtybit != 0) ShapeUpdates::getInstance()->dirty();
}

void endOfStatement()
{
    state.dirtybit = 0;
    state.commandType.clear();
    state.currentShapeName.clear();
    state.intimingDur.clear();
}
