#include "LeafLock.h"

namespace {

// Tries before a waiting thread goes to sleep: a section under a leaf lock
// is mostly over by then.
constexpr int spinLimit = 100;

inline void spinPause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

void LeafLock::lockContended()
{
    for (int spin = 0; spin < spinLimit; ++spin) {
        int expected = isFree;
        if (state.load(std::memory_order_relaxed) == isFree &&
            state.compare_exchange_weak(expected, isHeld, std::memory_order_acquire, std::memory_order_relaxed))
            return;
        spinPause();
    }
    // Marked awaited before sleeping, under sleepLock: the release that
    // follows finds the mark and wakes a sleeper, which cannot be missed,
    // since wakeOne() takes sleepLock first. The thread that takes the lock
    // this way keeps the mark: its own release wakes any other sleeper.
    std::unique_lock<std::mutex> guard(sleepLock);
    while (state.exchange(isAwaited, std::memory_order_acquire) != isFree)
        woken.wait(guard);
}

void LeafLock::wakeOne()
{
    {
        std::lock_guard<std::mutex> guard(sleepLock);
    }
    woken.notify_one();
}
