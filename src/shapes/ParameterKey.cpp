#include "ParameterKey.h"

#include <map>
#include <mutex>

namespace {

struct KeyNumbers {
    std::mutex lock;
    std::map<std::string, std::size_t> byName;
    std::vector<std::string> names;  // by number
};

KeyNumbers& keyNumbers()
{
    static KeyNumbers numbers;
    return numbers;
}

}  // namespace

ParameterKey::ParameterKey(std::string name) : text(std::move(name))
{
    KeyNumbers& numbers = keyNumbers();
    std::lock_guard<std::mutex> guard(numbers.lock);
    auto made = numbers.byName.emplace(text, numbers.names.size());
    if (made.second)
        numbers.names.push_back(text);
    serial = made.first->second;
}

std::vector<std::string> ParameterKey::allNames()
{
    KeyNumbers& numbers = keyNumbers();
    std::lock_guard<std::mutex> guard(numbers.lock);
    return numbers.names;
}
