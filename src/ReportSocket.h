#pragma once
// The one UDP socket over which every user's reports go, and the IPv4
// address of the report host. Users are made from whatever address text a
// client sends, so they share this socket instead of opening one each.

#include <netinet/in.h>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

class ReportSocket {
public:
    static ReportSocket* getInstance();

    // The shared descriptor, made on first use. -1 when it cannot be made
    // (reported with perror); the next call tries again.
    int descriptor();

    // The IPv4 address of a dotted address or a host name. A host that
    // cannot be resolved gives false and one line on standard error the
    // first time; the answer is kept, so the resolver is asked once per host.
    bool resolve(const std::string& host, in_addr& out);

private:
    ReportSocket() = default;
    static ReportSocket* instance;

    std::mutex mutex;  // around one datagram; a leaf lock (LockOrder.h)
    int socketDescriptor = -1;
    struct Resolution {
        bool found;
        in_addr address;
    };
    std::map<std::string, Resolution> resolved;
};

// The report port held by a RouterFeedBackPort text: the number cut to an
// integer and taken in its low 16 bits; 0 for a text that holds no finite
// number in int range.
uint16_t reportPortFromText(const std::string& text);
