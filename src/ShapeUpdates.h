#pragma once
// The set of shapes awaiting redraw. dirty() marks each collected shape
// dirty and empties the set.

#include <OpenThreads/Mutex>
#include <set>

class BasicShape;

class ShapeUpdates {
public:
    static ShapeUpdates* getInstance();

    void addShape(BasicShape* shape);
    void dirty();

private:
    ShapeUpdates();
    static ShapeUpdates* instance;
    std::set<BasicShape*>* pendingShapes;
    OpenThreads::Mutex mutex;
};
