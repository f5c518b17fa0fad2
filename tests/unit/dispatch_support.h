#pragma once
// A dispatcher without a window for unit tests: the shape registry is
// filled, the command thread runs over a queue of our own, and every reply
// goes to a UDP socket on the loopback that the test reads.
//
//   DispatchHarness& d = DispatchHarness::get();
//   std::string address = d.newAddress();           // a sender nobody used yet
//   auto replies = d.send(address, "5000", " x=2; print x");   // {"<address>:5000 2;\n"}

#include "support/LoopbackUdp.h"

#include <OpenThreads/Block>
#include <string>
#include <vector>

class MainNode;
template <typename T>
class ThreadQueue;

class DispatchHarness {
public:
    static DispatchHarness& get();

    // An address that no earlier test of this process used.
    std::string newAddress();

    // Handles one message in this thread; gives the datagrams it caused.
    std::vector<std::string> send(const std::string& address, const std::string& port, const std::string& command);
    std::vector<std::string> sendRaw(const std::string& message);

    // Queues a message for the command thread.
    void queue(const std::string& message);

    // Datagrams already received, without waiting.
    std::vector<std::string> drain();
    // Waits up to timeoutMs for the next datagram; "" on timeout.
    std::string next(int timeoutMs);

    // The stored text or number of a full name ("" / NaN when absent or of another kind).
    static std::string stringValue(const std::string& fullName);
    static double numberValue(const std::string& fullName);
    static bool exists(const std::string& fullName);

    MainNode* root() const { return sceneRoot; }
    int replyPort() const { return replies.port(); }

private:
    DispatchHarness();
    // Points the report settings at our socket (other tests move them).
    void aimReports();

    LoopbackUdp replies{4 << 20};
    int addresses = 0;
    MainNode* sceneRoot = nullptr;
    ThreadQueue<std::string>* commandQueue = nullptr;
    OpenThreads::Block block;
};
