#pragma once
// Receiving one ZeroMQ message part as a zero-terminated text.

#include <zmq.h>
#include <cstdlib>
#include <cstring>

// Waits for one message part and gives a malloc'd copy of its bytes with a
// zero byte after them; the caller frees it. Null when the receive fails
// (zmq_errno() tells why).
static inline char* s_recv(void* socket)
{
    zmq_msg_t message;
    zmq_msg_init(&message);
    const int size = zmq_msg_recv(&message, socket, 0);
    if (size < 0) {
        zmq_msg_close(&message);
        return nullptr;
    }
    char* text = static_cast<char*>(std::malloc(size_t(size) + 1));
    if (text) {
        std::memcpy(text, zmq_msg_data(&message), size_t(size));
        text[size] = '\0';
    }
    zmq_msg_close(&message);
    return text;
}
