#include "SharedState.h"

#include <osg/CopyOp>

void SharedState::attach(osg::Drawable& drawable)
{
    std::lock_guard<std::mutex> guard(parentsLock);
    if (!shared.valid()) {
        shared = new osg::StateSet();
        fill(*shared);
    }
    drawable.setStateSet(shared.get());
}

osg::StateSet& SharedState::own(osg::Drawable& drawable)
{
    if (!sharedBy(drawable))
        return *drawable.getOrCreateStateSet();
    // The attributes (material, program) are shared too: nothing changes them
    // in place, a shape replaces them in its own set.
    osg::ref_ptr<osg::StateSet> copy = new osg::StateSet(*shared, osg::CopyOp::SHALLOW_COPY);
    std::lock_guard<std::mutex> guard(parentsLock);
    drawable.setStateSet(copy.get());
    return *copy;
}

void SharedState::detach(osg::Drawable& drawable)
{
    std::lock_guard<std::mutex> guard(parentsLock);
    if (sharedBy(drawable))
        drawable.setStateSet(nullptr);
}
