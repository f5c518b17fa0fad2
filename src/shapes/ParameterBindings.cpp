#include "ParameterBindings.h"

#include "VarType.h"

#include <algorithm>

ParameterBindings::RowNames::RowNames(Names names) : list(std::move(names))
{
    const std::vector<std::string> keyNames = ParameterKey::allNames();
    keyPositions.reserve(keyNames.size());
    for (const std::string& name : keyNames)
        keyPositions.push_back(exactPosition(name));
}

std::size_t ParameterBindings::RowNames::lowerBound(const std::string& name) const
{
    auto at = std::lower_bound(list.begin(), list.end(), name,
                               [](const std::string* entry, const std::string& key) { return *entry < key; });
    return static_cast<std::size_t>(at - list.begin());
}

std::size_t ParameterBindings::RowNames::exactPosition(const std::string& name) const
{
    const std::size_t at = lowerBound(name);
    return at < list.size() && *list[at] == name ? at : none;
}

void ParameterBindings::bindAll(const std::shared_ptr<const RowNames>& rowNames, std::vector<Type*> rowValues)
{
    names = rowNames;
    values = std::move(rowValues);
    values.resize(names->names().size(), nullptr);
    values.shrink_to_fit();
    // A value never changes its kind: what is a number now stays one.
    numberRows = 0;
    for (std::size_t at = 0; at < values.size() && at < 64; ++at)
        if (values[at] != nullptr && values[at]->asVarType() != nullptr)
            numberRows |= std::uint64_t{1} << at;
}

Type*& ParameterBindings::operator[](const std::string& name)
{
    numberRows = 0;
    const std::size_t at = names->lowerBound(name);
    if (at < values.size() && *names->names()[at] == name)
        return values[at];
    // A name of the caller's: this table gets a list of names of its own.
    ownNames.emplace_back(new std::string(name));
    Names own = names->names();
    own.insert(own.begin() + static_cast<std::ptrdiff_t>(at), ownNames.back().get());
    names = std::make_shared<const RowNames>(std::move(own));
    return *values.insert(values.begin() + static_cast<std::ptrdiff_t>(at), nullptr);
}
