// Costs of the application core's hot paths: the command queue between the
// intake thread and the command thread, and one report datagram.

#include "Config.h"
#include "ThreadQueue.h"
#include "User.h"
#include "support/LoopbackUdp.h"

#include <benchmark/benchmark.h>

#include <OpenThreads/Block>
#include <iostream>
#include <string>
#include <thread>

static void BM_QueueAddGet(benchmark::State& state)
{
    OpenThreads::Block block;
    ThreadQueue<std::string> queue;
    queue.setBlock(&block);
    const std::string message = "127.0.0.1:5000 cube box size=2 rotz=45";
    std::string out;
    for (auto _ : state) {
        queue.add(message);
        queue.get(out);
    }
}
BENCHMARK(BM_QueueAddGet);

// One producer, one consumer following the wake-up protocol.
static void BM_QueueHandOver(benchmark::State& state)
{
    const int64_t count = state.range(0);
    for (auto _ : state) {
        OpenThreads::Block block;
        ThreadQueue<std::string> queue;
        queue.setBlock(&block);
        std::thread consumer([&] {
            int64_t received = 0;
            std::string message;
            while (received < count) {
                block.block();
                block.reset();
                while (queue.get(message))
                    ++received;
            }
        });
        for (int64_t i = 0; i < count; ++i)
            queue.add("127.0.0.1:5000 x=1");
        consumer.join();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_QueueHandOver)->Arg(100000)->UseRealTime();

static void BM_ReportDatagram(benchmark::State& state)
{
    LoopbackUdp receiver;
    Config::getInstance()->add("Router", "127.0.0.1");
    Config::getInstance()->add("RouterFeedBackPort", receiver.portText());

    std::cerr.setstate(std::ios::failbit);  // the user's start-up lines
    User user("127.0.0.1", "5000");
    user.reportErrors();
    std::cerr.clear();
    for (auto _ : state) {
        user.addError("var not found.");
        user.reportErrors();
        benchmark::DoNotOptimize(receiver.next(1000));
    }
}
BENCHMARK(BM_ReportDatagram);

BENCHMARK_MAIN();
