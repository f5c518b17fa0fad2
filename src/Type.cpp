#include "Type.h"

#include "ShapeUpdates.h"

std::mutex& Type::contentLock()
{
    static std::mutex lock;
    return lock;
}

void Type::addAssocObject(BasicShape* shape)
{
    std::lock_guard<std::mutex> guard(contentLock());
    assocObjects.insert(shape);
}

void Type::removeAssocObject(BasicShape* shape)
{
    std::lock_guard<std::mutex> guard(contentLock());
    assocObjects.erase(shape);
}

bool Type::isAssocObjectEmpty()
{
    std::lock_guard<std::mutex> guard(contentLock());
    return assocObjects.empty();
}

void Type::collectAssocObjects(std::vector<BasicShape*>& out) const
{
    out.insert(out.end(), assocObjects.begin(), assocObjects.end());
}

void Type::handOver(const std::vector<BasicShape*>& shapes)
{
    if (shapes.empty())
        return;
    ShapeUpdates* updates = ShapeUpdates::getInstance();
    for (BasicShape* shape : shapes)
        updates->addShape(shape);
}
