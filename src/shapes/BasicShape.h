#pragma once
// Abstract base of every shape and of the scheduler: full name, dirty flag,
// and the binding of each parameter to its value in the value store.
//
// The concrete classes also derive from OpenSceneGraph types whose getName,
// setName and getParent clash with these: call them qualified.

#include "Event.h"
#include "ParameterBindings.h"
#include "Type.h"
#include "VarType.h"

#include <OpenThreads/Mutex>
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
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

    // The reads of one redraw, all under one take of the values' content
    // lock (Type.h), which is a leaf: while a ParameterRead lives, its
    // thread reads values through it and takes no other lock. Each read
    // leaves out unchanged for another kind of value or no value.
    //
    // A text read copies only a text that differs from the one out holds,
    // and tells whether it did: a shape that keeps the texts it last read
    // redoes the work that follows from one only when it changed.
    class ParameterRead {
    public:
        explicit ParameterRead(BasicShape& shape);
        ParameterRead(const ParameterRead&) = delete;
        ParameterRead& operator=(const ParameterRead&) = delete;

        // By key, as redraws read (inline: a redraw reads dozens), or by name.
        void number(const ParameterKey& parameter, float& out)
        {
            const std::size_t at = view.positionOf(parameter);
            if (view.holdsNumber(at)) {
                out = static_cast<float>(static_cast<const VarType*>(view.values[at])->valueUnderLock());
                return;
            }
            numberOutOfView(parameter, out);
        }
        void number(const std::string& parameter, float& out);
        bool text(const ParameterKey& parameter, std::string& out);
        bool text(const std::string& parameter, std::string& out);

    private:
        // Any read by key that the view does not answer at once: a key made
        // after the list of row names, no such row, no value, no number.
        void numberOutOfView(const ParameterKey& parameter, float& out);
        template <typename Name>
        void readNumber(const Name& parameter, float& out)
        {
            Type* value = shape.boundValue(parameter);
            if (value == nullptr)
                return;
            if (VarType* number = value->asVarType())
                out = static_cast<float>(number->valueUnderLock());
        }
        template <typename Name>
        bool readText(const Name& parameter, std::string& out);
        static bool copyChanged(const std::string& text, std::string& out);

        BasicShape& shape;
        const ParameterBindings::KeyView view;
        std::lock_guard<LeafLock> guard;
    };

    // Single reads by name, each a ParameterRead of its own.
    void getParameterValue(const std::string& parameter, float& out);
    void getParameterString(const std::string& parameter, std::string& out);
    void getParameterSchedule(const std::string& parameter, std::list<Event>& out);

    // The names a reader was asked for that are no parameter of this shape's
    // type (a misspelt name silently keeps its start value). Read it only
    // while no redraw runs.
    const std::set<std::string>& unboundParameterReads() const;

    // Operations the viewer itself does not call.
    bool isDirty();
    void addParameter(std::string parameter, Type* value);
    void removeMapping();

protected:
    // Set by dirty() in any thread, cleared by update() in the main thread.
    std::atomic<bool> dirtyFlag{false};
    std::string name;
    // Taken by the operations the viewer does not call, and by shapes made
    // for tests that keep a lock of their own; a shape's redraw takes none.
    OpenThreads::Mutex mutex;
    ParameterBindings parameters;

private:
    // The value bound to the parameter; null, noted as an unbound read, when
    // the parameter is no row of the type.
    template <typename Name>
    Type* boundValue(const Name& parameter)
    {
        Type* value = nullptr;
        if (!parameters.find(parameter, value))
            noteUnboundRead(parameter);
        return value;
    }
    void noteUnboundRead(const std::string& parameter);
    void noteUnboundRead(const ParameterKey& parameter);
    std::unique_ptr<std::set<std::string>> unboundReads;  // made by the first such read
};
