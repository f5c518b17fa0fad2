#pragma once
// A shape's parameters: parameter name to bound value, in byte order of the
// names, as a flat sorted table. The names are those of the definitions
// table, which lives as long as the process; all shapes bound to the same
// rows share one list of names, until a caller adds a name of its own.
// A redraw finds its values by key (ParameterKey.h): the shared list maps
// every key to its row's position once, so a read compares no names. Not
// thread-safe: the shape's own rules say who touches it when (BasicShape.h).

#include "ParameterKey.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Type;

class ParameterBindings {
public:
    typedef std::vector<const std::string*> Names;
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    // Names in byte order, each outliving the list, and the position among
    // them of the name of every key made before the list.
    class RowNames {
    public:
        explicit RowNames(Names names);

        const Names& names() const { return list; }
        // Where the name stands or would be inserted.
        std::size_t lowerBound(const std::string& name) const;
        // The position of the name, none when the list lacks it.
        std::size_t exactPosition(const std::string& name) const;
        std::size_t positionOf(const ParameterKey& key) const
        {
            return key.number() < keyPositions.size() ? keyPositions[key.number()] : exactPosition(key.name());
        }
        // The position of every key made before the list, by key number.
        const std::vector<std::size_t>& keyPositionList() const { return keyPositions; }

    private:
        Names list;
        std::vector<std::size_t> keyPositions;  // by key number
    };

    // What a run of reads by key needs, taken once: the position of each key
    // made before the list of names (none for a key that names no row), the
    // values by position, and which of the first 64 positions hold a number.
    // Valid while no entry is bound or added.
    struct KeyView {
        const std::size_t* positions;
        std::size_t keyCount;
        Type* const* values;
        std::uint64_t numberRows;

        std::size_t positionOf(const ParameterKey& key) const
        {
            return key.number() < keyCount ? positions[key.number()] : none;
        }
        // Whether the position holds a number (false for none).
        bool holdsNumber(std::size_t position) const { return position < 64 && (numberRows >> position & 1) != 0; }
    };
    KeyView keyView() const
    {
        const std::vector<std::size_t>& positions = names->keyPositionList();
        return KeyView{positions.data(), positions.size(), values.data(), numberRows};
    }

    // Binds the rows' names to the values, one for each; replaces every
    // earlier entry.
    void bindAll(const std::shared_ptr<const RowNames>& rowNames, std::vector<Type*> rowValues);

    // The value bound to the name, a null entry made first when there is none.
    // The caller may rebind the entry: the table's reads by key then all go
    // the long way (no position counts as a number any more).
    Type*& operator[](const std::string& name);

    // Whether the name has an entry, and its value.
    bool find(const std::string& name, Type*& value) const { return valueAt(names->exactPosition(name), value); }
    bool find(const ParameterKey& key, Type*& value) const { return valueAt(names->positionOf(key), value); }

    // The entries in name order.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (std::size_t i = 0; i < values.size(); ++i)
            visit(*names->names()[i], values[i]);
    }

private:
    bool valueAt(std::size_t position, Type*& value) const
    {
        if (position == none)
            return false;
        value = values[position];
        return true;
    }

    std::shared_ptr<const RowNames> names = std::make_shared<const RowNames>(Names());
    std::vector<Type*> values;
    std::uint64_t numberRows = 0;  // bit i: values[i] is a number (for i < 64)
    std::vector<std::unique_ptr<std::string>> ownNames;  // names given by callers, kept here
};
