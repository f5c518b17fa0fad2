#pragma once
// A lock for short sections that take no other lock (leaves of the lock
// order, LockOrder.h) and are rarely contended. Taken and released free, it
// costs one atomic operation each, where std::mutex calls into the thread
// library. A thread that finds it held spins briefly, then sleeps until a
// release wakes it: a long hold costs the waiters no processor time.
// Not recursive. Meets BasicLockable: use it with std::lock_guard.

#include <atomic>
#include <condition_variable>
#include <mutex>

class LeafLock {
public:
    LeafLock() = default;
    LeafLock(const LeafLock&) = delete;
    LeafLock& operator=(const LeafLock&) = delete;

    void lock()
    {
        int expected = isFree;
        if (!state.compare_exchange_strong(expected, isHeld, std::memory_order_acquire, std::memory_order_relaxed))
            lockContended();
    }

    void unlock()
    {
        if (state.exchange(isFree, std::memory_order_release) == isAwaited)
            wakeOne();
    }

private:
    // Free; held; held while a thread may sleep waiting for it.
    static constexpr int isFree = 0, isHeld = 1, isAwaited = 2;

    void lockContended();
    void wakeOne();

    std::atomic<int> state{isFree};
    std::mutex sleepLock;  // around the sleep on woken and the wake-up
    std::condition_variable woken;
};
