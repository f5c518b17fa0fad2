#pragma once
// Base of every stored value: its full name and the shapes bound to it.
//
// The contents of every value (a number's value and text, a string, a
// schedule's events, the set of bound shapes) are guarded by one leaf lock,
// contentLock(): the command thread changes values while the main thread's
// shapes and schedulers read them. No other lock is ever taken while it is
// held, so it can be taken under any other lock of the system (LockOrder.h).

#include <mutex>
#include <set>
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
    virtual ~Type() = default;

    std::string getName() const { return name; }

    void addAssocObject(BasicShape* shape);
    void removeAssocObject(BasicShape* shape);
    bool isAssocObjectEmpty();

    // The leaf lock over the contents of all values.
    static std::mutex& contentLock();

protected:
    friend class Variables;

    explicit Type(std::string name) : name(std::move(name)) {}

    // Appends the bound shapes to out; the caller holds contentLock().
    void collectAssocObjects(std::vector<BasicShape*>& out) const;
    // Hands every shape of the list to the set of shapes awaiting redraw;
    // called without contentLock().
    static void handOver(const std::vector<BasicShape*>& shapes);

private:
    const std::string name;
    std::set<BasicShape*> assocObjects;
};
