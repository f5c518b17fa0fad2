#include "ParameterBindings.h"

#include <algorithm>

void ParameterBindings::bindAll(const std::shared_ptr<const Names>& rowNames, std::vector<Type*> rowValues)
{
    names = rowNames;
    values = std::move(rowValues);
    values.resize(names->size(), nullptr);
    values.shrink_to_fit();
}

std::size_t ParameterBindings::position(const std::string& name) const
{
    auto at = std::lower_bound(names->begin(), names->end(), name,
                               [](const std::string* entry, const std::string& key) { return *entry < key; });
    return static_cast<std::size_t>(at - names->begin());
}

Type*& ParameterBindings::operator[](const std::string& name)
{
    const std::size_t at = position(name);
    if (at < names->size() && *(*names)[at] == name)
        return values[at];
    // A name of the caller's: this table gets a list of names of its own.
    ownNames.emplace_back(new std::string(name));
    auto own = std::make_shared<Names>(*names);
    own->insert(own->begin() + static_cast<std::ptrdiff_t>(at), ownNames.back().get());
    names = own;
    return *values.insert(values.begin() + static_cast<std::ptrdiff_t>(at), nullptr);
}

bool ParameterBindings::find(const std::string& name, Type*& value) const
{
    const std::size_t at = position(name);
    if (at >= names->size() || *(*names)[at] != name)
        return false;
    value = values[at];
    return true;
}
