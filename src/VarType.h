#pragma once
// A number: its value, its expression text as stored, its dependency links
// and its compiled expression. The expression library stays out of this
// header: the compiled expression is opaque here and belongs to the store.
//
// A plain number (a literal such as 1.0, as most shape parameters hold)
// has neither links nor a compiled expression: the record that holds them
// is made on first use.

#include "Type.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>

struct CompiledExpression;  // defined by the value store

class VarType : public Type {
public:
    VarType(std::string name, std::string text);
    ~VarType() override;

    VarType* asVarType() override { return this; }

    double getValue();
    // The value, for a caller that holds contentLock().
    double valueUnderLock() const { return value; }
    std::string getString();
    void setString(std::string text);
    // The value's address, bound in the store's symbol table. It never moves.
    // Reading through it bypasses the content lock: prefer getValue().
    double* getValuePtr() { return &value; }

    // Numbers whose expressions use this one, and the full names this one's
    // expression uses. Changed only by the store, under its lock.
    std::set<VarType*>* getParentVars() { return &links().parentVars; }
    std::set<std::string>* getChildrenKeys() { return &links().childrenKeys; }

private:
    friend class Variables;
    friend class DependencyGraph;

    struct Links {
        ~Links();
        std::set<VarType*> parentVars;
        std::set<std::string> childrenKeys;
        CompiledExpression* compiledExpression = nullptr;  // null while the text is a literal or never compiled
        std::uint64_t walkMark = 0;                          // for the store's graph walks
    };
    Links& links();
    // The links when there are any, else an empty record; never makes them.
    const Links& linksOrNone() const;
    CompiledExpression* compiled() const { return linksOrNone().compiledExpression; }

    double value = 0.0;
    CompactText expressionString;
    std::unique_ptr<Links> linkSets;  // made on first use
    // Whether this number holds its name in the store's symbol table: the
    // first of the numbers whose names differ only in case (set by the store).
    bool holdsSymbol = false;
};
