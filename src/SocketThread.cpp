#include "SocketThread.h"

#include "zhelpers.h"

#include <zmq.h>
#include <cerrno>
#include <cstdlib>
#include <iostream>

SocketThread::SocketThread(ThreadQueue<std::string>* queue, std::string router) : commandQueue(queue)
{
    const std::string endpoint = "tcp://" + router + ":5560";
    zmqContext = zmq_ctx_new();
    zmqSocket = zmqContext ? zmq_socket(zmqContext, ZMQ_SUB) : nullptr;
    if (zmqSocket == nullptr) {
        std::cerr << std::string("SocketThread: cannot make the subscriber socket: ") + zmq_strerror(zmq_errno()) + "\n";
    } else {
        // ZeroMQ connects, and reconnects, by itself: a router that starts
        // later is reached without further action.
        if (zmq_connect(zmqSocket, endpoint.c_str()) != 0)
            std::cerr << "SocketThread: cannot connect to " + endpoint + ": " + zmq_strerror(zmq_errno()) + "\n";
        zmq_setsockopt(zmqSocket, ZMQ_SUBSCRIBE, "", 0);
    }
    start();
}

SocketThread::~SocketThread()
{
    // Shutting the context down ends a receive that is waiting.
    stopRequested = true;
    if (zmqContext)
        zmq_ctx_shutdown(zmqContext);
    join();
    if (zmqSocket)
        zmq_close(zmqSocket);
    if (zmqContext)
        zmq_ctx_term(zmqContext);
}

void SocketThread::run()
{
    if (zmqSocket == nullptr)
        return;  // reported by the constructor; there is nothing to receive from
    while (!stopRequested) {
        if (char* text = s_recv(zmqSocket)) {
            // The message's text ends at its first zero byte.
            commandQueue->add(std::string(text));
            std::free(text);
            continue;
        }
        const int error = zmq_errno();
        if (error == EINTR)
            continue;
        if (error != ETERM || !stopRequested)
            std::cerr << std::string("SocketThread: receive failed: ") + zmq_strerror(error) +
                             "; no further commands are received\n";
        return;
    }
}
