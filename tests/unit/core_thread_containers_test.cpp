#include "ThreadMap.h"
#include "ThreadQueue.h"

#include <gtest/gtest.h>

#include <OpenThreads/Block>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(CoreThreadQueue, GetOnEmptyLeavesArgument)
{
    ThreadQueue<std::string> queue;
    std::string out = "kept";
    EXPECT_FALSE(queue.get(out));
    EXPECT_EQ(out, "kept");
    queue.add("a");
    queue.add("b");
    ASSERT_TRUE(queue.get(out));
    EXPECT_EQ(out, "a");
    ASSERT_TRUE(queue.get(out));
    EXPECT_EQ(out, "b");
    EXPECT_FALSE(queue.get(out));
    EXPECT_EQ(out, "b");
}

TEST(CoreThreadQueue, AddLeavesBlockReleasedUntilReset)
{
    OpenThreads::Block block;
    ThreadQueue<std::string> queue;
    queue.setBlock(&block);
    EXPECT_EQ(queue.getBlock(), &block);

    queue.add("waiting");
    EXPECT_TRUE(block.block(10));  // no consumer waited: it returns at once
    block.reset();
    EXPECT_FALSE(block.block(10));

    queue.setBlock(nullptr);
    EXPECT_EQ(queue.getBlock(), nullptr);
    queue.add("unsignalled");
    EXPECT_FALSE(block.block(10));
}

// Producers burst while one consumer follows the wake-up protocol
// (block, reset, drain): nothing is lost and each producer's order is kept.
TEST(CoreThreadQueue, BurstWakeUpLosesNothing)
{
    constexpr int producers = 4;
    constexpr int perProducer = 20000;
    OpenThreads::Block block;
    ThreadQueue<std::string> queue;
    queue.setBlock(&block);

    std::vector<int> next(producers, 0);
    int received = 0;
    bool inOrder = true;
    std::thread consumer([&] {
        while (received < producers * perProducer) {
            block.block();
            block.reset();
            std::string message;
            while (queue.get(message)) {
                const int producer = message[0] - 'a';
                const int serial = std::stoi(message.substr(2));
                inOrder = inOrder && serial == next[producer];
                next[producer] = serial + 1;
                ++received;
            }
        }
    });
    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p)
        threads.emplace_back([&queue, p] {
            for (int i = 0; i < perProducer; ++i)
                queue.add(std::string(1, char('a' + p)) + ":" + std::to_string(i));
        });
    for (auto& thread : threads)
        thread.join();
    consumer.join();

    EXPECT_EQ(received, producers * perProducer);
    EXPECT_TRUE(inOrder);
    std::string rest;
    EXPECT_FALSE(queue.get(rest));
}

TEST(CoreThreadMap, KeepsFirstValue)
{
    ThreadMap<std::string, int> map;
    map.add("key", 1);
    map.add("key", 2);
    int out = -1;
    ASSERT_TRUE(map.get("key", out));
    EXPECT_EQ(out, 1);

    out = 7;
    EXPECT_FALSE(map.get("absent", out));
    EXPECT_EQ(out, 7);

    map.remove("absent");
    map.remove("key");
    EXPECT_FALSE(map.get("key", out));
    map.add("key", 3);
    ASSERT_TRUE(map.get("key", out));
    EXPECT_EQ(out, 3);
}

TEST(CoreThreadMap, GetKeysAppendsInByteOrder)
{
    ThreadMap<std::string, int> map;
    std::vector<std::string> keys = {"x", "y"};
    map.getKeys(keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"x", "y"}));

    for (const char* key : {"user10", "user2", "user1", "User3"})
        map.add(key, 0);
    map.getKeys(keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"x", "y", "User3", "user1", "user10", "user2"}));
}

TEST(CoreThreadMap, ConcurrentAddsKeepOneValuePerKey)
{
    ThreadMap<int, int> map;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&map, t] {
            for (int k = 0; k < 2000; ++k)
                map.add(k, t);
        });
    for (auto& thread : threads)
        thread.join();
    std::vector<int> keys;
    map.getKeys(keys);
    ASSERT_EQ(keys.size(), 2000u);
    for (int k = 0; k < 2000; ++k)
        EXPECT_EQ(keys[k], k);
}

}  // namespace
