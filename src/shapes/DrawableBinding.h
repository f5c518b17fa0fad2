#pragma once
// The one binding of a shape to the OpenSceneGraph drawable it joins
// (osg::Geometry, osg::ShapeDrawable, osgText::Text): the update callback
// that reaches the shape once per update traversal, the geode that holds the
// drawable, and the destructor that takes the callback away.
//
// RedrawFrame adds the redraw every shape shares: dirty() sets the atomic
// flag and takes no lock; update() returns unless the flag is set, clears
// it (an exchange) before redraw() reads any value, then redraws, so a
// shape supplies only redraw(). A change stored while a redraw runs marks
// the shape again after that clear: either the redraw's reads already see
// it (the store writes the value before it marks the shape, and the reads
// take the values' contents lock), or the next frame redraws it. An idle
// shape's update() costs one load of the flag.
//
// Threading: the update callback, update() and redraw() run in the main
// thread's update traversal, and nothing else touches a shape's drawable
// or its members once it is made (the command thread publishes a new shape
// through the scene root's queue, then only marks it); dirty() runs in any
// thread (through the redraw set: LockOrder.h). redraw() takes no shape
// lock: it must not add to the redraw set, flush it or store a value. The
// scheduler keeps a lock discipline of its own and uses only
// DrawableBinding.

#include "BasicShape.h"

#include <OpenThreads/ScopedLock>
#include <osg/Drawable>
#include <osg/Geode>
#include <osg/NodeVisitor>

template <typename OsgDrawable>
class DrawableBinding : public BasicShape, public OsgDrawable {
public:
    // Calls updateTraversal() of the shape it is given; any other drawable is
    // left alone. A callback made by its shape knows it and needs no cast:
    // it runs for every shape in every frame.
    class UpdateCallback : public osg::DrawableUpdateCallback {
    public:
        UpdateCallback() = default;
        explicit UpdateCallback(DrawableBinding* owner) : owner(owner) {}

        void update(osg::NodeVisitor* visitor, osg::Drawable* drawable) override
        {
            if (owner != nullptr) {
                if (drawable == static_cast<osg::Drawable*>(owner))
                    owner->updateTraversal(visitor);
            } else if (auto* shape = dynamic_cast<DrawableBinding*>(drawable)) {
                shape->updateTraversal(visitor);
            }
        }

    private:
        DrawableBinding* owner = nullptr;
    };

    // The geode that holds the drawable (its first parent); null before it has one.
    osg::Geode* getParent() override
    {
        if (OsgDrawable::getNumParents() == 0)
            return nullptr;
        return OsgDrawable::getParent(0)->asGeode();
    }
    osg::Drawable* asDrawable() override { return this; }

protected:
    DrawableBinding() { OsgDrawable::setUpdateCallback(new UpdateCallback(this)); }
    ~DrawableBinding() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        OsgDrawable::setUpdateCallback(nullptr);
        dirtyFlag = false;
    }

    // Once per update traversal, in the main thread.
    virtual void updateTraversal(osg::NodeVisitor*) { update(); }
};

template <typename OsgDrawable>
class RedrawFrame : public DrawableBinding<OsgDrawable> {
public:
    void dirty() override { this->dirtyFlag.store(true, std::memory_order_release); }

    void update() override
    {
        if (!this->dirtyFlag.load(std::memory_order_acquire))
            return;
        // Only this thread clears the flag: the exchange finds it set, and
        // orders the reads of the redraw after the marks it clears.
        this->dirtyFlag.exchange(false, std::memory_order_acq_rel);
        redraw();
    }

protected:
    // Rebuilds the drawable from every parameter, in the main thread.
    virtual void redraw() {}
};
