#include "DependencyGraph.h"

#include "VarType.h"

#include <algorithm>
#include <deque>
#include <unordered_set>

bool DependencyGraph::reaches(const std::set<std::string>& start, const std::string& target,
                              const std::function<VarType*(const std::string&)>& numberNamed)
{
    std::unordered_set<std::string> seen(start.begin(), start.end());
    std::deque<std::string> queue(start.begin(), start.end());
    while (!queue.empty()) {
        const std::string name = std::move(queue.front());
        queue.pop_front();
        if (name == target)
            return true;
        VarType* number = numberNamed(name);
        if (number == nullptr)
            continue;
        for (const std::string& used : number->linksOrNone().childrenKeys)
            if (seen.insert(used).second)
                queue.push_back(used);
    }
    return false;
}

const std::vector<VarType*>& DependencyGraph::evaluationOrder(VarType* root)
{
    // A number that nothing uses is evaluated alone: nothing to keep.
    if (root->linksOrNone().parentVars.empty()) {
        alone.assign(1, root);
        return alone;
    }
    auto kept = orders.find(root);
    if (kept != orders.end())
        return kept->second;
    std::vector<VarType*> order;
    walk(root, order);
    if (ordersSize + order.size() > ordersBudget)
        linksChanged();
    ordersSize += order.size();
    return orders.emplace(root, std::move(order)).first->second;
}

void DependencyGraph::linksChanged()
{
    orders.clear();
    ordersSize = 0;
}

void DependencyGraph::walk(VarType* root, std::vector<VarType*>& order)
{
    // Depth-first over the dependants; the reverse of the order in which the
    // walk finishes numbers puts each after everything it uses.
    const std::size_t first = order.size();
    ++epoch;
    root->links().walkMark = epoch;
    stack.clear();
    stack.emplace_back(root, root->linksOrNone().parentVars.cbegin());
    while (!stack.empty()) {
        VarType* number = stack.back().first;
        auto& next = stack.back().second;
        if (next == number->linksOrNone().parentVars.cend()) {
            order.push_back(number);
            stack.pop_back();
            continue;
        }
        VarType* dependant = *next;
        ++next;
        if (dependant->links().walkMark != epoch) {
            dependant->links().walkMark = epoch;
            stack.emplace_back(dependant, dependant->linksOrNone().parentVars.cbegin());
        }
    }
    std::reverse(order.begin() + static_cast<std::ptrdiff_t>(first), order.end());
}
