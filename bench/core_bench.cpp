// Costs of the application core's hot paths: the command queue between the
// intake thread and the command thread, and one report datagram.

#include "Config.h"
#include "ThreadQueue.h"
#include "User.h"

#include <benchmark/benchmark.h>

#include <OpenThreads/Block>
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>
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
    const int receiver = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length);
    Config::getInstance()->add("Router", "127.0.0.1");
    Config::getInstance()->add("RouterFeedBackPort", std::to_string(ntohs(address.sin_port)));

    std::cerr.setstate(std::ios::failbit);  // the user's start-up lines
    User user("127.0.0.1", "5000");
    user.reportErrors();
    std::cerr.clear();
    char buffer[2048];
    for (auto _ : state) {
        user.addError("var not found.");
        user.reportErrors();
        recv(receiver, buffer, sizeof buffer, 0);
    }
    close(receiver);
}
BENCHMARK(BM_ReportDatagram);

BENCHMARK_MAIN();
