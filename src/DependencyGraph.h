#pragma once
// Walks over the links between numbers, each number looked at once however
// many paths lead to it. The links form no cycle; the caller holds the value
// store's lock.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class VarType;

class DependencyGraph {
public:
    // Whether following the names that numbers use (getChildrenKeys), from
    // the names in start, leads to target. numberNamed gives the stored
    // number of a name, or null.
    static bool reaches(const std::set<std::string>& start, const std::string& target,
                        const std::function<VarType*(const std::string&)>& numberNamed);

    // Root and then every number that uses root, directly or through others,
    // each once and after every number it uses among them. Kept until the
    // links change: the clock is stored every frame over the same links.
    const std::vector<VarType*>& evaluationOrder(VarType* root);

    // To be called whenever a link is made or removed.
    void linksChanged();

private:
    void walk(VarType* root, std::vector<VarType*>& order);

    std::uint64_t epoch = 0;  // marks the numbers seen by the current walk
    std::vector<std::pair<VarType*, std::set<VarType*>::const_iterator>> stack;

    std::unordered_map<VarType*, std::vector<VarType*>> orders;
    std::vector<VarType*> alone;  // the order of a number that nothing uses
    std::size_t ordersSize = 0;                     // numbers held by all kept orders
    static constexpr std::size_t ordersBudget = 1 << 20;
};
