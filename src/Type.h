#pragma once
// Base of every stored value: its full name and the shapes bound to it.
//
// The contents of every value (a number's value and text, a string, a
// schedule's events, the set of bound shapes) are guarded by one leaf lock,
// contentLock(): the command thread changes values while the main thread's
// shapes and schedulers read them. No other lock is ever taken while it is
// held, so it can be taken under any other lock of the system (LockOrder.h).
// Taken once per redraw of every shape and almost never contended, it is a
// LeafLock: one atomic operation to take it free.
//
// A value is small: a shape binds 28 of them. The bound shapes are kept in
// ascending pointer order, the first one inline, any others (rare) in a
// table beside all values, under the content lock.

#include "CompactText.h"
#include "LeafLock.h"

#include <string>
#include <vector>

class BasicShape;
class StringType;
class VarType;
class ScheduleType;

class Type {
public:
    Type(const Type&) = delete;
    Type& operator=(const Type&) = delete;

    virtual StringType* asStringType() { return nullptr; }
    virtual VarType* asVarType() { return nullptr; }
    virtual ScheduleType* asScheduleType() { return nullptr; }
    virtual ~Type();

    std::string getName() const { return name.str(); }

    void addAssocObject(BasicShape* shape);
    void removeAssocObject(BasicShape* shape);
    bool isAssocObjectEmpty();

    // The leaf lock over the contents of all values.
    static LeafLock& contentLock();

protected:
    friend class Variables;
    friend class ValueTable;

    explicit Type(const std::string& name) : name(name) {}

    // Appends the bound shapes to out; the caller holds contentLock().
    void collectAssocObjects(std::vector<BasicShape*>& out) const;
    // Hands every shape of the list to the set of shapes awaiting redraw;
    // called without contentLock().
    static void handOver(const std::vector<BasicShape*>& shapes);

private:
    const CompactText name;
    BasicShape* firstShape = nullptr;  // the lowest bound shape
};
