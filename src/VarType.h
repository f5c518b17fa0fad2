#pragma once
// A number: its value, its expression text as stored, its dependency links
// and its compiled expression. The expression library stays out of this
// header: the compiled expression is opaque here.

#include "Type.h"

#include <memory>
#include <set>
#include <string>

struct CompiledExpression;  // defined where the expression library is included

class VarType : public Type {
public:
    VarType(std::string name, std::string text);
    ~VarType() override;

    VarType* asVarType() override { return this; }

    double getValue();
    std::string getString();
    void setString(std::string text);
    double* getValuePtr() { return &value; }

    std::set<VarType*>* getParentVars() { return parentVars; }
    std::set<std::string>* getChildrenKeys() { return childrenKeys; }

private:
    friend class Variables;

    double value = 0.0;
    std::string expressionString;
    std::set<VarType*>* parentVars;       // numbers whose expressions use this one
    std::set<std::string>* childrenKeys;  // full names this expression uses
    std::unique_ptr<CompiledExpression> compiledExpression;
};
