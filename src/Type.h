#pragma once
// Base of every stored value: its full name and the shapes bound to it.

#include <set>
#include <string>

class BasicShape;
class StringType;
class VarType;
class ScheduleType;

class Type {
public:
    virtual StringType* asStringType() { return nullptr; }
    virtual VarType* asVarType() { return nullptr; }
    virtual ScheduleType* asScheduleType() { return nullptr; }
    virtual ~Type() = default;

    std::string getName() const { return name; }

    void addAssocObject(BasicShape* shape);
    void removeAssocObject(BasicShape* shape);
    bool isAssocObjectEmpty();

protected:
    explicit Type(std::string name) : name(std::move(name)) {}

    // Hands every bound shape to the set of shapes awaiting redraw.
    void notifyAssocObjects();

    const std::string name;
    std::set<BasicShape*> assocObjects;
};
