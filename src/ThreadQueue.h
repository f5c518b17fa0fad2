#pragma once
// First-in first-out queue guarded by one mutex, with an optional wake-up
// block that add() releases after every push.

#include <OpenThreads/Block>
#include <OpenThreads/Mutex>
#include <OpenThreads/ScopedLock>
#include <atomic>
#include <queue>

template <typename T>
class ThreadQueue {
public:
    ThreadQueue() : wakeupBlock(nullptr) {}

    ~ThreadQueue()
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        while (!elements.empty())
            elements.pop();
    }

    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    // Appends a copy and then, still under the lock, releases the block.
    void add(T value)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        elements.push(std::move(value));
        if (OpenThreads::Block* block = wakeupBlock.load())
            block->release();
    }

    // Moves the front element into out; false, out untouched, when empty.
    bool get(T& out)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        if (elements.empty())
            return false;
        out = std::move(elements.front());
        elements.pop();
        return true;
    }

    void setBlock(OpenThreads::Block* block)
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        wakeupBlock.store(block);
    }

    OpenThreads::Block* getBlock() const { return wakeupBlock.load(); }

private:
    OpenThreads::Mutex mutex;
    std::queue<T> elements;
    std::atomic<OpenThreads::Block*> wakeupBlock;
};
