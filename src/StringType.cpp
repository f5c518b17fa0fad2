#include "StringType.h"

StringType::StringType(std::string name, std::string text) : Type(std::move(name)), value(std::move(text)) {}

std::string StringType::getString()
{
    std::lock_guard<LeafLock> guard(contentLock());
    return value;
}

void StringType::setString(std::string text)
{
    std::vector<BasicShape*> shapes;
    {
        std::lock_guard<LeafLock> guard(contentLock());
        value = std::move(text);
        collectAssocObjects(shapes);
    }
    handOver(shapes);
}
