#include "ShapeUpdates.h"

#include "BasicShape.h"

#include <OpenThreads/ScopedLock>

ShapeUpdates* ShapeUpdates::instance = nullptr;

ShapeUpdates* ShapeUpdates::getInstance()
{
    // Made once, whichever thread comes first.
    static ShapeUpdates* const created = instance = new ShapeUpdates();
    return created;
}

ShapeUpdates::ShapeUpdates() : pendingShapes(new std::set<BasicShape*>()) {}

void ShapeUpdates::addShape(BasicShape* shape)
{
    if (shape == nullptr)
        return;
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    pendingShapes->insert(shape);
}

void ShapeUpdates::clear()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    pendingShapes->clear();
}

void ShapeUpdates::dirty()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    for (BasicShape* shape : *pendingShapes)
        shape->dirty();
    pendingShapes->clear();
}
