#include "VarType.h"

void destroyCompiledExpression(CompiledExpression* compiled);  // in Variables.cpp

VarType::VarType(std::string name, std::string text)
    : Type(std::move(name)),
      expressionString(std::move(text)),
      parentVars(new std::set<VarType*>()),
      childrenKeys(new std::set<std::string>())
{
}

VarType::~VarType()
{
    destroyCompiledExpression(compiledExpression);
    delete parentVars;
    delete childrenKeys;
}

double VarType::getValue()
{
    std::lock_guard<std::mutex> guard(contentLock());
    return value;
}

std::string VarType::getString()
{
    std::lock_guard<std::mutex> guard(contentLock());
    return expressionString;
}

void VarType::setString(std::string text)
{
    std::lock_guard<std::mutex> guard(contentLock());
    expressionString = std::move(text);
}
