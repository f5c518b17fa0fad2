#pragma once
// Walks over the links between numbers, each number looked at once however
// many paths lead to it. The links form no cycle; the caller holds the value
// store's lock.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class VarType;

class DependencyGraph {
public:
    // Whether following the names that numbers use (getChildrenKeys), from
    // the names in start, leads to target. numberNamed gives the stored
    // number of a name, or null.
    static bool reaches(const std::set<std::string>& start, const std::string& target,
                        const std::function<VarType*(const std::string&)>& numberNamed);

    // Appends root and then every number that uses root, directly or through
    // others, each once and after every number it uses among them.
    void evaluationOrder(VarType* root, std::vector<VarType*>& order);

private:
    std::uint64_t epoch = 0;  // marks the numbers seen by the current walk
    std::vector<std::pair<VarType*, std::set<VarType*>::const_iterator>> stack;
};
