#include "BasicShape.h"

#include "ScheduleType.h"
#include "ShapeDefinitions.h"
#include "StringType.h"
#include "VarType.h"
#include "Variables.h"

#include <OpenThreads/ScopedLock>
#include <vector>

void BasicShape::createMapping(std::string userName, std::string objectName, std::string typeWord,
                               BasicShape* owner)
{
    ParamDefinitions* rows = ShapeDefinitions::getInstance()->getDefinition(typeWord);
    if (rows == nullptr)
        return;
    Variables* store = Variables::getInstance();
    const std::string prefix = userName + ":" + objectName + ".";
    for (const auto& row : *rows) {
        const std::string fullName = prefix + row.first;
        Type* value = nullptr;
        if (!store->get(fullName, value)) {
            store->add(nullptr, fullName, row.second.first, row.second.second);
            if (!store->get(fullName, value))
                continue;  // nothing could be stored: nothing to bind
        }
        value->addAssocObject(owner);
        parameters[row.first] = value;
    }
}

void BasicShape::setName(std::string text)
{
    if (!text.empty())
        name = std::move(text);
}

std::string BasicShape::getName() { return name; }

Type* BasicShape::boundValue(const std::string& parameter)
{
    auto found = parameters.find(parameter);
    if (found != parameters.end())
        return found->second;
    unboundReads.insert(parameter);
    return nullptr;
}

void BasicShape::getParameterValue(const std::string& parameter, float& out)
{
    Type* value = boundValue(parameter);
    if (value == nullptr)
        return;
    if (VarType* number = value->asVarType())
        out = static_cast<float>(number->getValue());
}

void BasicShape::getParameterString(const std::string& parameter, std::string& out)
{
    Type* value = boundValue(parameter);
    if (value == nullptr)
        return;
    if (StringType* text = value->asStringType())
        out = text->getString();
}

void BasicShape::getParameterSchedule(const std::string& parameter, std::list<Event>& out)
{
    Type* value = boundValue(parameter);
    if (value == nullptr)
        return;
    if (ScheduleType* schedule = value->asScheduleType())
        schedule->getEvents(out);
}

bool BasicShape::isDirty()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    return dirtyFlag;
}

void BasicShape::addParameter(std::string parameter, Type* value) { parameters[parameter] = value; }

void BasicShape::removeMapping()
{
    // The store's lock comes before a shape's: collect under the shape's
    // lock, remove after releasing it.
    std::vector<std::string> unbound;
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        for (const auto& entry : parameters) {
            Type* value = entry.second;
            if (value == nullptr)
                continue;
            value->removeAssocObject(this);
            if (value->isAssocObjectEmpty())
                unbound.push_back(value->getName());
        }
    }
    for (const std::string& fullName : unbound)
        Variables::getInstance()->remove(fullName);
}
