#pragma once
// The set of shapes awaiting redraw. dirty() marks each collected shape
// dirty and empties the set; the set's lock is held meanwhile (lock order:
// LockOrder.h).

#include <OpenThreads/Mutex>
#include <set>

class BasicShape;

class ShapeUpdates {
public:
    static ShapeUpdates* getInstance();

    ShapeUpdates(const ShapeUpdates&) = delete;
    ShapeUpdates& operator=(const ShapeUpdates&) = delete;

    // Inserts the shape; one already waiting stays once.
    void addShape(BasicShape* shape);
    // Calls dirty() of every waiting shape in pointer order, then empties the set.
    void dirty();

    // Forgets every waiting shape without marking it, for a fresh state
    // (not used by the viewer). Only a single-threaded caller may use it,
    // with no other thread running.
    void clear();

private:
    ShapeUpdates();
    static ShapeUpdates* instance;
    std::set<BasicShape*>* pendingShapes;
    OpenThreads::Mutex mutex;
};
