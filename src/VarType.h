#pragma once
// A number: its value, its expression text as stored, its dependency links
// and its compiled expression. The expression library stays out of this
// header: the compiled expression is opaque here and belongs to the store.

#include "Type.h"

#include <cstdint>
#include <set>
#include <string>

struct CompiledExpression;  // defined by the value store

class VarType : public Type {
public:
    VarType(std::string name, std::string text);
    ~VarType() override;

    VarType* asVarType() override { return this; }

    double getValue();
    std::string getString();
    void setString(std::string text);
    // The value's address, bound in the store's symbol table. It never moves.
    // Reading through it bypasses the content lock: prefer getValue().
    double* getValuePtr() { return &value; }

    // Numbers whose expressions use this one, and the full names this one's
    // expression uses. Changed only by the store, under its lock.
    std::set<VarType*>* getParentVars() { return parentVars; }
    std::set<std::string>* getChildrenKeys() { return childrenKeys; }

private:
    friend class Variables;
    friend class DependencyGraph;

    double value = 0.0;
    std::string expressionString;
    std::set<VarType*>* parentVars;
    std::set<std::string>* childrenKeys;
    CompiledExpression* compiledExpression = nullptr;  // null until compiled once
    std::uint64_t walkMark = 0;                          // for the store's graph walks
};
