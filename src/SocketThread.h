#pragma once
// The network intake thread: a ZeroMQ subscriber connected to
// tcp://<Router>:5560 that queues the text of every message part it receives.

#include "ThreadQueue.h"

#include <OpenThreads/Thread>
#include <atomic>
#include <string>

class SocketThread : public OpenThreads::Thread {
public:
    SocketThread(ThreadQueue<std::string>* queue, std::string router);
    ~SocketThread() override;

    void run() override;

private:
    std::atomic<bool> stopRequested{false};
    ThreadQueue<std::string>* commandQueue;
    void* zmqContext = nullptr;
    void* zmqSocket = nullptr;
};
