#include "VarType.h"

void destroyCompiledExpression(CompiledExpression* compiled);  // in Variables.cpp

VarType::VarType(std::string name, std::string text) : Type(name), expressionString(text) {}

VarType::~VarType() = default;

VarType::Links::~Links() { destroyCompiledExpression(compiledExpression); }

VarType::Links& VarType::links()
{
    if (!linkSets)
        linkSets.reset(new Links());
    return *linkSets;
}

const VarType::Links& VarType::linksOrNone() const
{
    static const Links none;
    return linkSets ? *linkSets : none;
}

double VarType::getValue()
{
    std::lock_guard<LeafLock> guard(contentLock());
    return value;
}

std::string VarType::getString()
{
    std::lock_guard<LeafLock> guard(contentLock());
    return expressionString.str();
}

void VarType::setString(std::string text)
{
    std::lock_guard<LeafLock> guard(contentLock());
    expressionString.assign(text);
}
