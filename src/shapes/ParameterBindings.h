#pragma once
// A shape's parameters: parameter name to bound value, in byte order of the
// names, as a flat sorted table (a shape has a few dozen and reads them by
// name at every redraw). Names that are rows of the definitions table are
// not copied: the table lives as long as the process. Not thread-safe: the
// shape's own rules say who touches it when (BasicShape.h).

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Type;

class ParameterBindings {
public:
    // Binds a name that outlives the table (a definitions row's name).
    void bind(const std::string& lastingName, Type* value) { slot(lastingName, &lastingName) = value; }

    // The value bound to the name, a null entry made first when there is none.
    Type*& operator[](const std::string& name) { return slot(name, nullptr); }

    // Whether the name has an entry, and its value.
    bool find(const std::string& name, Type*& value) const
    {
        auto at = position(name);
        if (at == entries.end() || *at->first != name)
            return false;
        value = at->second;
        return true;
    }

    // The entries in name order.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (const auto& entry : entries)
            visit(*entry.first, entry.second);
    }

private:
    typedef std::vector<std::pair<const std::string*, Type*>> Entries;

    Entries::const_iterator position(const std::string& name) const
    {
        return std::lower_bound(entries.begin(), entries.end(), name,
                                [](const Entries::value_type& entry, const std::string& key) { return *entry.first < key; });
    }

    Type*& slot(const std::string& name, const std::string* lasting)
    {
        auto at = entries.begin() + (position(name) - entries.cbegin());
        if (at != entries.end() && *at->first == name)
            return at->second;
        if (lasting == nullptr) {
            ownNames.emplace_back(new std::string(name));
            lasting = ownNames.back().get();
        }
        return entries.insert(at, {lasting, nullptr})->second;
    }

    Entries entries;
    std::vector<std::unique_ptr<std::string>> ownNames;  // names given by callers, kept here
};
