// The leaf lock: one holder at a time, whether the others spin or sleep,
// and every release seen by the next holder (a plain counter stays exact;
// the thread sanitizer build checks the ordering as well).

#include "LeafLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Counts entries into a section, and the most threads ever inside it at once.
struct Section {
    LeafLock lock;
    long entries = 0;  // plain: guarded by lock
    std::atomic<int> inside{0};
    std::atomic<int> mostInside{0};

    void enter()
    {
        std::lock_guard<LeafLock> guard(lock);
        const int now = ++inside;
        int most = mostInside.load();
        while (now > most && !mostInside.compare_exchange_weak(most, now)) {
        }
        ++entries;
        --inside;
    }
};

TEST(CoreLeafLock, ShortSectionsFromManyThreadsAreEnteredOneAtATime)
{
    const struct {
        int threads;
        int entriesEach;
    } cases[] = {{1, 1000}, {2, 20000}, {4, 20000}, {8, 5000}};
    for (const auto& c : cases) {
        Section section;
        std::vector<std::thread> threads;
        for (int t = 0; t < c.threads; ++t)
            threads.emplace_back([&] {
                for (int i = 0; i < c.entriesEach; ++i)
                    section.enter();
            });
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(section.entries, static_cast<long>(c.threads) * c.entriesEach) << c.threads << " threads";
        EXPECT_EQ(section.mostInside.load(), 1) << c.threads << " threads";
    }
}

// Threads that arrive while a long section runs go to sleep; the release
// wakes them one after another, none is left asleep.
TEST(CoreLeafLock, ThreadsWaitingOutALongHoldAllGetIn)
{
    Section section;
    std::atomic<int> arrived{0};
    std::vector<std::thread> waiters;
    {
        std::lock_guard<LeafLock> longHold(section.lock);
        for (int t = 0; t < 6; ++t)
            waiters.emplace_back([&] {
                ++arrived;
                section.enter();
            });
        while (arrived.load() < 6)
            std::this_thread::yield();
        // Long enough for the waiters to spin out and sleep.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(section.inside.load(), 0);
    }
    for (std::thread& waiter : waiters)
        waiter.join();
    EXPECT_EQ(section.entries, 6);
    EXPECT_EQ(section.mostInside.load(), 1);
}

}  // namespace
