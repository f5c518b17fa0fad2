#pragma once
// The one binding of a shape to the OpenSceneGraph drawable it joins
// (osg::Geometry, osg::ShapeDrawable, osgText::Text): the update callback
// that reaches the shape once per update traversal, the geode that holds the
// drawable, and the destructor that takes the callback away.
//
// RedrawFrame adds the redraw every shape shares: dirty() sets the flag under
// the shape's lock; update() takes the lock, returns unless the flag is set,
// calls redraw() and clears the flag, so a shape supplies only redraw(). An
// idle shape's update() reads the (atomic) flag without the lock: a flag set
// before that read is seen, one set after it is seen in the next frame, as
// it would be after a locked test; dirty() during a redraw waits for it and
// sets the flag after the redraw clears it, so no change is lost.
//
// Threading: the update callback, update() and redraw() run in the main
// thread's update traversal; dirty() runs in any thread (through the redraw
// set, whose lock comes before the shape's: LockOrder.h). redraw() runs with the shape's
// lock held: it must not call dirty(), add to the redraw set, flush it or
// store a value. The scheduler keeps a lock discipline of its own and uses
// only DrawableBinding.

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
    void dirty() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(this->mutex);
        this->dirtyFlag = true;
    }

    void update() override
    {
        if (!this->dirtyFlag)
            return;
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(this->mutex);
        if (!this->dirtyFlag)
            return;
        redraw();
        this->dirtyFlag = false;
    }

protected:
    // Rebuilds the drawable from every parameter; the lock is held.
    virtual void redraw() {}
};
