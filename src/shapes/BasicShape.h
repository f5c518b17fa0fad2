#pragma once
// Abstract base of every shape and of the scheduler: full name, dirty flag
// with the lock that guards the redraw, and the binding of each parameter
// to its value in the value store.
//
// The concrete classes also derive from OpenSceneGraph types whose getName,
// setName and getParent clash with these: call them qualified.

#include "Event.h"
#include "Type.h"

#include <OpenThreads/Mutex>
#include <atomic>
#include <list>
#include <map>
#include <set>
#include <string>

namespace osg {
class Geode;
class Drawable;
}

class BasicShape {
public:
    BasicShape() = default;
    BasicShape(const BasicShape&) = delete;
    BasicShape& operator=(const BasicShape&) = delete;

    virtual void dirty() = 0;
    virtual osg::Geode* getParent() = 0;       // the geode that holds the drawable, or null
    virtual osg::Drawable* asDrawable() = 0;
    virtual std::string getType() = 0;
    virtual ~BasicShape() = default;
    virtual void update() = 0;

    // Binds every parameter of the type, creating missing values with their defaults.
    void createMapping(std::string userName, std::string objectName, std::string typeWord, BasicShape* owner);
    void setName(std::string text);  // an empty text changes nothing
    std::string getName();

    // Readers of bound values; each leaves out unchanged for another kind or no value.
    void getParameterValue(const std::string& parameter, float& out);
    void getParameterString(const std::string& parameter, std::string& out);
    void getParameterSchedule(const std::string& parameter, std::list<Event>& out);

    // The names a reader was asked for that are no parameter of this shape's
    // type (a misspelt name silently keeps its start value). Read it only
    // while no redraw runs.
    const std::set<std::string>& unboundParameterReads() const { return unboundReads; }

    // Operations the viewer itself does not call.
    bool isDirty();
    void addParameter(std::string parameter, Type* value);
    void removeMapping();

protected:
    // Set by dirty() and cleared by update(), both under mutex; atomic so
    // that the scheduler, which marks itself without the lock, is safe too.
    std::atomic<bool> dirtyFlag{false};
    std::string name;
    OpenThreads::Mutex mutex;
    std::map<std::string, Type*> parameters;

private:
    Type* boundValue(const std::string& parameter);
    std::set<std::string> unboundReads;
};
