#include "ValueTable.h"

#include "Type.h"

#include <algorithm>

namespace {

// Slots that a cleared table keeps.
constexpr std::size_t keptSlots = 4096;

// Marks a slot whose entry was removed: probes go on past it.
Type* const tombstone = reinterpret_cast<Type*>(alignof(Type));

char folded(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool sameSpelling(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

}  // namespace

std::uint64_t ValueTable::hash(std::string_view name)
{
    std::uint64_t value = 14695981039346656037ull;  // FNV-1a
    for (char ch : name) {
        value ^= static_cast<unsigned char>(folded(ch));
        value *= 1099511628211ull;
    }
    return value;
}

bool ValueTable::isEntry(const Type* slot) { return slot != nullptr && slot != tombstone; }

std::size_t ValueTable::slotOf(std::string_view name) const
{
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = hash(name) & mask;; at = (at + 1) & mask) {
        const Type* slot = slots[at];
        if (slot == nullptr || (slot != tombstone && slot->name.view() == name))
            return at;
    }
}

bool ValueTable::get(std::string_view name, Type*& out) const
{
    std::lock_guard<std::mutex> guard(lock);
    if (entries == 0)
        return false;
    Type* found = slots[slotOf(name)];
    if (found == nullptr)
        return false;
    out = found;
    return true;
}

void ValueTable::add(Type* value)
{
    std::lock_guard<std::mutex> guard(lock);
    // At most half the slots in use keeps probes short.
    if (2 * (entries + tombstones + 1) > slots.size())
        grow();
    const std::size_t mask = slots.size() - 1;
    std::size_t at = hash(value->name.view()) & mask;
    while (isEntry(slots[at]))
        at = (at + 1) & mask;
    if (slots[at] == tombstone)
        --tombstones;
    slots[at] = value;
    ++entries;
}

void ValueTable::remove(std::string_view name)
{
    std::lock_guard<std::mutex> guard(lock);
    if (entries == 0)
        return;
    const std::size_t at = slotOf(name);
    if (slots[at] == nullptr)
        return;
    slots[at] = tombstone;
    --entries;
    ++tombstones;
}

void ValueTable::clear()
{
    std::lock_guard<std::mutex> guard(lock);
    // A small table keeps its slots, to be filled again without growing.
    if (slots.size() <= keptSlots)
        std::fill(slots.begin(), slots.end(), nullptr);
    else
        std::vector<Type*>().swap(slots);
    entries = 0;
    tombstones = 0;
}

void ValueTable::names(std::vector<std::string_view>& out) const
{
    std::lock_guard<std::mutex> guard(lock);
    for (const Type* slot : slots)
        if (isEntry(slot))
            out.push_back(slot->name.view());
}

void ValueTable::values(std::vector<Type*>& out) const
{
    std::lock_guard<std::mutex> guard(lock);
    out.reserve(out.size() + entries);
    for (Type* slot : slots)
        if (isEntry(slot))
            out.push_back(slot);
}

Type* ValueTable::findSpelling(std::string_view name, const std::function<bool(Type*)>& test) const
{
    std::lock_guard<std::mutex> guard(lock);
    if (entries == 0)
        return nullptr;
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = hash(name) & mask; slots[at] != nullptr; at = (at + 1) & mask) {
        Type* slot = slots[at];
        if (slot != tombstone && sameSpelling(slot->name.view(), name) && test(slot))
            return slot;
    }
    return nullptr;
}

std::size_t ValueTable::slotCount() const
{
    std::lock_guard<std::mutex> guard(lock);
    return slots.size();
}

std::size_t ValueTable::size() const
{
    std::lock_guard<std::mutex> guard(lock);
    return entries;
}

void ValueTable::grow()
{
    // Twice the slots of the entries it holds at half load (removed ones
    // drop out): a quarter taken once the new entry is in.
    std::size_t slotTotal = 32;
    while (slotTotal < 4 * entries)
        slotTotal *= 2;
    std::vector<Type*> old(slotTotal, nullptr);
    old.swap(slots);
    tombstones = 0;
    const std::size_t mask = slots.size() - 1;
    for (Type* value : old) {
        if (!isEntry(value))
            continue;
        std::size_t at = hash(value->name.view()) & mask;
        while (slots[at] != nullptr)
            at = (at + 1) & mask;
        slots[at] = value;
    }
}
