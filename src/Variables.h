#pragma once
// The value store: every named value of the system under its full name
// ("user0:x", "user0:box.size"). Numbers are exprtk expressions over other
// numbers; a change re-evaluates what depends on it.

#include "ParamType.h"
#include "ThreadMap.h"
#include "Type.h"

#include <OpenThreads/Mutex>
#include <memory>
#include <set>
#include <string>

class User;
struct ExpressionEngine;  // the symbol table, parser and shared expression

class Variables {
public:
    static Variables* getInstance();

    // Creates or changes a value under the store's lock; errors go to the
    // user, or to standard error when the user is null.
    void add(User* user, std::string fullName, std::string text, ParamType kind);
    // Takes only the map's own lock.
    bool get(std::string fullName, Type*& out);
    bool exists(std::string fullName);

    void sendError(User* user, std::string message);

    // Operations the viewer itself does not call.
    void remove(std::string fullName);
    void print(std::string fullName);
    void printAll();
    void printTimes();

private:
    Variables();
    static Variables* instance;

    bool parse(User* user, std::string fullName, std::string& text, std::set<std::string>& usedNames);

    ThreadMap<std::string, Type*>* vars;
    std::unique_ptr<ExpressionEngine> engine;
    OpenThreads::Mutex mutex;
};
