#pragma once
// The value store: every named value of the system under its full name
// ("user0:x", "user0:box.size"). Numbers are exprtk expressions over other
// numbers; a change re-evaluates what depends on it and hands the bound
// shapes to the redraw set.
//
// Lock order: LockOrder.h. get and exists take only the value table's lock.

#include "ParamType.h"
#include "Type.h"
#include "ValueTable.h"

#include <OpenThreads/Mutex>
#include <memory>
#include <set>
#include <string>
#include <vector>

class User;
class VarType;
struct ExpressionEngine;  // the symbol table, parser and shared expression
struct ExpressionLimits;  // what an expression text may cost to compile and run

class Variables {
public:
    static Variables* getInstance();

    Variables(const Variables&) = delete;
    Variables& operator=(const Variables&) = delete;

    // Creates or changes a value under the store's lock; errors go to the
    // user, or to standard error when the user is null.
    void add(User* user, std::string fullName, std::string text, ParamType kind);
    // Take only the map's own lock.
    bool get(std::string fullName, Type*& out);
    bool exists(std::string fullName);

    // Evaluates an expression text once, its names taken in the owner's
    // namespace, without storing anything. False after reporting why not.
    bool evaluate(User* user, std::string ownerName, std::string text, double& value);

    // Operations the viewer itself does not call.
    const ValueTable& index() const { return *vars; }
    void remove(std::string fullName);
    void print(std::string fullName);
    void printAll();
    void printTimes();
    // Deletes every value and starts again from an empty store, for a fresh
    // state. Only a single-threaded caller may use it, with no other thread
    // running and no shape or scheduler left that reads a value.
    void clear();

private:
    Variables();
    ~Variables();
    static Variables* instance;

    void addString(const std::string& fullName, std::string text);
    void addSchedule(const std::string& fullName, std::string text);
    void addNumber(User* user, const std::string& fullName, std::string text, ParamType kind);

    // Qualifies the names of an expression with the owner's user name and
    // collects the stored names it uses, in one compilation.
    bool parse(User* user, std::string fullName, std::string& text, std::set<std::string>& usedNames,
               std::size_t maxPasses);
    // The same a compilation per name found: for the texts that one
    // compilation leaves undecided. Gives up with the parser's diagnostic
    // after maxPasses compilations, once the compilations have read a
    // bounded multiple of the text, or when the owner's prefix would not
    // read as part of a name.
    bool parseByPasses(User* user, std::string fullName, std::string& text, std::set<std::string>& usedNames,
                       std::size_t maxPasses);
    // Why an expression of the named value may not use a full name it
    // names: its own name, or no such value; empty when it may.
    std::string refusalOf(const std::string& fullName, const std::string& name);
    // Binds a stored value's full name in the table of the parse that runs:
    // a number by its value, any other value by a placeholder. False when
    // the table refuses the name.
    bool bindFound(const std::string& name);
    // Refuses texts whose compilation or evaluation could exhaust the process.
    bool screen(User* user, const std::string& text, ExpressionLimits& limits);
    // Compiles into the shared expression; reports the parser's diagnostic.
    bool compile(User* user, const std::string& text, const ExpressionLimits& limits);
    // The name of the number that the symbol table reads for a name.
    std::string boundName(const std::string& name);
    // The number that holds the name in the symbol table: of the numbers
    // whose names differ from it only in case, the one stored first (and not
    // removed since); null when there is none.
    VarType* symbolHolder(const std::string& name);
    // Binds in the symbol table the holders of the names a text uses, before
    // it is compiled: a number is bound only once an expression names it.
    void bindNamesIn(const std::string& text);
    // Stores a new value under its own name.
    void insert(Type* value);
    VarType* numberNamed(const std::string& name);
    void unlink(VarType* number);
    void link(VarType* number, const std::set<std::string>& usedNames);
    // Evaluates the number (to the literal's value when given one), then
    // every number that uses it, each once.
    void evaluateFrom(User* user, VarType* number, const double* literal);

    // Every value under its full name; values are never deleted.
    ValueTable* vars;
    std::unique_ptr<ExpressionEngine> engine;
    OpenThreads::Mutex mutex;
};
