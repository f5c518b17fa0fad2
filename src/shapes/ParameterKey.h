#pragma once
// A parameter name as a shape's redraw reads it. Every key carries a small
// number of its own (keys of the same name share one), and every list of a
// type's row names maps each number to the position of its row once
// (ParameterBindings), so that a redraw finds its values by position,
// without comparing names.
//
// Keys are made as constants of the shapes' sources, before the first list
// of row names is made; one made later is found by its name instead. Any
// thread may make keys (the numbering takes a lock of its own, a leaf) and
// read them.

#include <cstddef>
#include <string>
#include <vector>

class ParameterKey {
public:
    explicit ParameterKey(std::string name);

    const std::string& name() const { return text; }
    std::size_t number() const { return serial; }

    // The names of all keys made so far, by number.
    static std::vector<std::string> allNames();

private:
    std::string text;
    std::size_t serial;
};
