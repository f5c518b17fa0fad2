#include "Type.h"

#include "ShapeUpdates.h"

#include <algorithm>

Type::~Type() { delete moreShapes; }

std::mutex& Type::contentLock()
{
    static std::mutex lock;
    return lock;
}

void Type::addAssocObject(BasicShape* shape)
{
    std::lock_guard<std::mutex> guard(contentLock());
    if (firstShape == nullptr || firstShape == shape) {
        firstShape = shape;
        return;
    }
    if (moreShapes == nullptr)
        moreShapes = new std::vector<BasicShape*>();
    if (shape < firstShape)
        std::swap(shape, firstShape);
    auto at = std::lower_bound(moreShapes->begin(), moreShapes->end(), shape);
    if (at == moreShapes->end() || *at != shape)
        moreShapes->insert(at, shape);
}

void Type::removeAssocObject(BasicShape* shape)
{
    std::lock_guard<std::mutex> guard(contentLock());
    const bool hasMore = moreShapes != nullptr && !moreShapes->empty();
    if (shape == firstShape) {
        firstShape = hasMore ? moreShapes->front() : nullptr;
        if (hasMore)
            moreShapes->erase(moreShapes->begin());
        return;
    }
    if (!hasMore)
        return;
    auto at = std::lower_bound(moreShapes->begin(), moreShapes->end(), shape);
    if (at != moreShapes->end() && *at == shape)
        moreShapes->erase(at);
}

bool Type::isAssocObjectEmpty()
{
    std::lock_guard<std::mutex> guard(contentLock());
    return firstShape == nullptr;
}

void Type::collectAssocObjects(std::vector<BasicShape*>& out) const
{
    if (firstShape == nullptr)
        return;
    out.push_back(firstShape);
    if (moreShapes != nullptr)
        out.insert(out.end(), moreShapes->begin(), moreShapes->end());
}

void Type::handOver(const std::vector<BasicShape*>& shapes)
{
    if (shapes.empty())
        return;
    ShapeUpdates* updates = ShapeUpdates::getInstance();
    for (BasicShape* shape : shapes)
        updates->addShape(shape);
}
