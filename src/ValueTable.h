#pragma once
// The value store's index: every value under its full name, found in
// constant time. An open-addressing table of value pointers, each value's
// own name its key (a few hundred thousand values cost a few bytes each).
// Names are hashed in lower case, so the names that differ only in case
// share a probe sequence: the symbol table's case rule asks for them.
// The table doubles when half its slots are taken: while values are only
// added, a quarter to a half of the slots hold one (16 to 32 bytes of slots
// per value); removals can leave it emptier.
//
// Guarded by its own lock, a leaf: nothing else is locked while it is held.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

class Type;

class ValueTable {
public:
    ValueTable() = default;
    ValueTable(const ValueTable&) = delete;
    ValueTable& operator=(const ValueTable&) = delete;

    // The value under the name; false, out untouched, when there is none.
    bool get(std::string_view name, Type*& out) const;
    // Adds a value under its own name, which must not be taken. The value
    // must outlive its entry.
    void add(Type* value);
    // Removes the entry of the name; an absent name changes nothing.
    void remove(std::string_view name);
    // Removes every entry (the values themselves are the caller's).
    void clear();
    // Every name, in no particular order.
    void names(std::vector<std::string_view>& out) const;
    // Every value, in no particular order.
    void values(std::vector<Type*>& out) const;
    // The first value (in no particular order) whose name differs from the
    // given one only in case, or is equal to it, and passes the test; null
    // when none does. test runs under the table's lock.
    Type* findSpelling(std::string_view name, const std::function<bool(Type*)>& test) const;
    // Slots the table holds now, taken or not, and the entries in them.
    std::size_t slotCount() const;
    std::size_t size() const;

private:
    static std::uint64_t hash(std::string_view name);
    static bool isEntry(const Type* slot);
    std::size_t slotOf(std::string_view name) const;  // the name's slot, or the empty slot that ends its probe
    void grow();

    mutable std::mutex lock;
    std::vector<Type*> slots;  // null: empty; a tombstone marks a removed entry
    std::size_t entries = 0;
    std::size_t tombstones = 0;
};
