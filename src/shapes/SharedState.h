#pragma once
// The state set that every shape of one type starts with, shared by all of
// them until one needs a state of its own (another bin, a texture, a
// shader): that one then gets a copy and changes only the copy. Thousands
// of default shapes thus cost one state set, and the draw sorts them under
// one state instead of switching state for each.
//
// Threading: attach() runs in a shape's constructor (command thread, or the
// main thread for scheduled commands), own() in its redraw (main thread),
// detach() in its destructor; the three take one lock, since each changes
// the shared set's list of parents. The shared set itself is never changed
// after it is made.

#include <osg/Drawable>
#include <osg/StateSet>
#include <osg/ref_ptr>

#include <functional>
#include <mutex>

class SharedState {
public:
    // fill sets up the shared state set once, when it is first attached.
    explicit SharedState(std::function<void(osg::StateSet&)> fill) : fill(std::move(fill)) {}
    SharedState(const SharedState&) = delete;
    SharedState& operator=(const SharedState&) = delete;

    // Gives the drawable the shared state set.
    void attach(osg::Drawable& drawable);
    // Whether the drawable still uses the shared state set.
    bool sharedBy(const osg::Drawable& drawable) const { return drawable.getStateSet() == shared.get(); }
    // The drawable's own state set, copied from the shared one when it has none yet.
    osg::StateSet& own(osg::Drawable& drawable);
    // Takes the shared state set away from a drawable that is being destroyed.
    void detach(osg::Drawable& drawable);

private:
    std::function<void(osg::StateSet&)> fill;
    osg::ref_ptr<osg::StateSet> shared;
    std::mutex parentsLock;
};
