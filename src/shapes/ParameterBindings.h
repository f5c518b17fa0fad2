#pragma once
// A shape's parameters: parameter name to bound value, in byte order of the
// names, as a flat sorted table (a shape has a few dozen and reads them by
// name at every redraw). The names are those of the definitions table,
// which lives as long as the process; all shapes bound to the same rows
// share one list of names, until a caller adds a name of its own. Not
// thread-safe: the shape's own rules say who touches it when (BasicShape.h).

#include <memory>
#include <string>
#include <vector>

class Type;

class ParameterBindings {
public:
    typedef std::vector<const std::string*> Names;

    // Binds the rows' names (in byte order, each outliving the table) to
    // the values, one for each; replaces every earlier entry.
    void bindAll(const std::shared_ptr<const Names>& rowNames, std::vector<Type*> rowValues);

    // The value bound to the name, a null entry made first when there is none.
    Type*& operator[](const std::string& name);

    // Whether the name has an entry, and its value.
    bool find(const std::string& name, Type*& value) const;

    // The entries in name order.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (std::size_t i = 0; i < values.size(); ++i)
            visit(*(*names)[i], values[i]);
    }

private:
    std::size_t position(const std::string& name) const;

    std::shared_ptr<const Names> names = std::make_shared<const Names>();
    std::vector<Type*> values;
    std::vector<std::unique_ptr<std::string>> ownNames;  // names given by callers, kept here
};
