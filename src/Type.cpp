#include "Type.h"

#include "ShapeUpdates.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The bound shapes after the first, of the values that have more than one,
// in ascending order; guarded by the content lock.
std::unordered_map<const Type*, std::vector<BasicShape*>>& moreShapes()
{
    static std::unordered_map<const Type*, std::vector<BasicShape*>> table;
    return table;
}

}  // namespace

Type::~Type()
{
    std::lock_guard<LeafLock> guard(contentLock());
    moreShapes().erase(this);
}

LeafLock& Type::contentLock()
{
    static LeafLock lock;
    return lock;
}

void Type::addAssocObject(BasicShape* shape)
{
    std::lock_guard<LeafLock> guard(contentLock());
    if (firstShape == nullptr || firstShape == shape) {
        firstShape = shape;
        return;
    }
    if (shape < firstShape)
        std::swap(shape, firstShape);
    std::vector<BasicShape*>& more = moreShapes()[this];
    auto at = std::lower_bound(more.begin(), more.end(), shape);
    if (at == more.end() || *at != shape)
        more.insert(at, shape);
}

void Type::removeAssocObject(BasicShape* shape)
{
    std::lock_guard<LeafLock> guard(contentLock());
    auto entry = moreShapes().find(this);
    if (shape == firstShape) {
        firstShape = nullptr;
        if (entry != moreShapes().end()) {
            firstShape = entry->second.front();
            entry->second.erase(entry->second.begin());
        }
    } else if (entry != moreShapes().end()) {
        auto at = std::lower_bound(entry->second.begin(), entry->second.end(), shape);
        if (at != entry->second.end() && *at == shape)
            entry->second.erase(at);
    }
    if (entry != moreShapes().end() && entry->second.empty())
        moreShapes().erase(entry);
}

bool Type::isAssocObjectEmpty()
{
    std::lock_guard<LeafLock> guard(contentLock());
    return firstShape == nullptr;
}

void Type::collectAssocObjects(std::vector<BasicShape*>& out) const
{
    if (firstShape == nullptr)
        return;
    out.push_back(firstShape);
    auto entry = moreShapes().find(this);
    if (entry != moreShapes().end())
        out.insert(out.end(), entry->second.begin(), entry->second.end());
}

void Type::handOver(const std::vector<BasicShape*>& shapes)
{
    if (shapes.empty())
        return;
    ShapeUpdates* updates = ShapeUpdates::getInstance();
    for (BasicShape* shape : shapes)
        updates->addShape(shape);
}
