#pragma once
// The actions of the command grammar and the parse state they share. They
// reach values and objects only through the dispatcher (CommandParser) and
// report every message to the user of the current parse. An action that
// returns false has reported why and ends the parse.

#include "ValueKind.h"

// Reports a message to the current user (the driver's "syntax error" and
// "memory exhausted" come here too).
void yyerror(const char* message);

void setCommandType(const char* typeWord);
void setValueKind(ValueKind kind);
void objectName(const char* name);
bool assign(const char* name, const char* value);

// Reads a raw block closed by the given quote or back-quote; null after
// reporting an unclosed block.
char* readQuoted(char closing);

bool overNumber(const char* number);
void overExpression(const char* expression);
bool scheduleAt(const char* number);
bool scheduleIn(const char* number);
void emptyTimedCommand(bool atTime);

void printName(const char* name);
void screenshot(const char* name);
void missingObjectName();

// After an untimed shape or variable statement: flushes the redraw set when
// the statement changed anything.
void endOfChangingStatement();
// After every statement's terminator: clears the statement's state.
void endOfStatement();
