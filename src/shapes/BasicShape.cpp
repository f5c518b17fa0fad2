#include "BasicShape.h"

#include "FullName.h"
#include "ScheduleType.h"
#include "ShapeDefinitions.h"
#include "StringType.h"
#include "VarType.h"
#include "Variables.h"

#include <OpenThreads/ScopedLock>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// The names of a type's rows, one list for every shape of the type.
std::shared_ptr<const ParameterBindings::RowNames> rowNames(const ParamDefinitions& rows)
{
    static std::mutex lock;
    static std::map<const ParamDefinitions*, std::shared_ptr<const ParameterBindings::RowNames>> lists;
    std::lock_guard<std::mutex> guard(lock);
    std::shared_ptr<const ParameterBindings::RowNames>& list = lists[&rows];
    // Rows are only ever added: a list of another length is out of date.
    if (!list || list->names().size() != rows.size()) {
        ParameterBindings::Names names;
        for (const auto& row : rows)
            names.push_back(&row.first);
        list = std::make_shared<const ParameterBindings::RowNames>(std::move(names));
    }
    return list;
}

}  // namespace

void BasicShape::createMapping(std::string userName, std::string objectName, std::string typeWord,
                               BasicShape* owner)
{
    ParamDefinitions* rows = ShapeDefinitions::getInstance()->getDefinition(typeWord);
    if (rows == nullptr)
        return;
    Variables* store = Variables::getInstance();
    std::vector<Type*> values;
    values.reserve(rows->size());
    for (const auto& row : *rows) {
        const std::string parameter = fullName(userName, objectName, row.first);
        Type* value = nullptr;
        if (!store->get(parameter, value))
            store->add(nullptr, parameter, row.second.first, row.second.second);
        // A value that could not be stored leaves nothing to bind.
        if (value != nullptr || store->get(parameter, value))
            value->addAssocObject(owner);
        values.push_back(value);
    }
    parameters.bindAll(rowNames(*rows), std::move(values));
}

void BasicShape::setName(std::string text)
{
    if (!text.empty())
        name = std::move(text);
}

std::string BasicShape::getName() { return name; }

void BasicShape::noteUnboundRead(const std::string& parameter)
{
    if (!unboundReads)
        unboundReads.reset(new std::set<std::string>());
    unboundReads->insert(parameter);
}

void BasicShape::noteUnboundRead(const ParameterKey& parameter) { noteUnboundRead(parameter.name()); }

const std::set<std::string>& BasicShape::unboundParameterReads() const
{
    static const std::set<std::string> none;
    return unboundReads ? *unboundReads : none;
}

BasicShape::ParameterRead::ParameterRead(BasicShape& shape)
    : shape(shape), view(shape.parameters.keyView()), guard(Type::contentLock())
{
}

void BasicShape::ParameterRead::numberOutOfView(const ParameterKey& parameter, float& out)
{
    readNumber(parameter, out);
}

bool BasicShape::ParameterRead::copyChanged(const std::string& text, std::string& out)
{
    if (out == text)
        return false;
    out = text;
    return true;
}

template <typename Name>
bool BasicShape::ParameterRead::readText(const Name& parameter, std::string& out)
{
    Type* value = shape.boundValue(parameter);
    if (value == nullptr)
        return false;
    StringType* text = value->asStringType();
    return text != nullptr && copyChanged(text->stringUnderLock(), out);
}

void BasicShape::ParameterRead::number(const std::string& parameter, float& out) { readNumber(parameter, out); }

bool BasicShape::ParameterRead::text(const ParameterKey& parameter, std::string& out)
{
    const std::size_t at = view.positionOf(parameter);
    if (at != ParameterBindings::none && !view.holdsNumber(at)) {
        if (Type* value = view.values[at])
            if (StringType* text = value->asStringType())
                return copyChanged(text->stringUnderLock(), out);
        return false;
    }
    return readText(parameter, out);
}

bool BasicShape::ParameterRead::text(const std::string& parameter, std::string& out)
{
    return readText(parameter, out);
}

void BasicShape::getParameterValue(const std::string& parameter, float& out)
{
    ParameterRead(*this).number(parameter, out);
}

void BasicShape::getParameterString(const std::string& parameter, std::string& out)
{
    ParameterRead(*this).text(parameter, out);
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
        parameters.forEach([&](const std::string&, Type* value) {
            if (value == nullptr)
                return;
            value->removeAssocObject(this);
            if (value->isAssocObjectEmpty())
                unbound.push_back(value->getName());
        });
    }
    for (const std::string& fullName : unbound)
        Variables::getInstance()->remove(fullName);
}
