#pragma once
// Ordered map guarded by one mutex. Values are plain pointers (or values)
// that the map never owns or deletes.

#include <OpenThreads/Mutex>
#include <OpenThreads/ScopedLock>
#include <map>
#include <vector>

template <typename K, typename V>
class ThreadMap {
public:
    ThreadMap() = default;
    ThreadMap(const ThreadMap&) = delete;
    ThreadMap& operator=(const ThreadMap&) = delete;

    ~ThreadMap()
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        entries.clear();
    }

    // Inserts when the key is absent; an existing key keeps its value.
    void add(K key, V value)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        entries.emplace(std::move(key), std::move(value));
    }

    // Copies the key's value into out; false, out untouched, when absent.
    bool get(const K& key, V& out)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        auto it = entries.find(key);
        if (it == entries.end())
            return false;
        out = it->second;
        return true;
    }

    // Appends every key in ascending order; out is not cleared first.
    void getKeys(std::vector<K>& out)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        for (const auto& entry : entries)
            out.push_back(entry.first);
    }

    // Erases the key's entry; an absent key changes nothing.
    void remove(const K& key)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        entries.erase(key);
    }

private:
    OpenThreads::Mutex mutex;
    std::map<K, V> entries;
};
