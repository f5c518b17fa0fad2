#pragma once
// One sender of command messages: its address (registry key), generated
// name ("user" + serial), the port of its latest message and the messages
// collected while one of its command messages is handled.

#include "Error.h"

#include <netinet/in.h>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class User {
public:
    User(std::string address, std::string port);

    std::string getName();
    std::string getAddress();
    std::string getPort();
    void setPort(std::string port);

    // Collects a message for the report after the current command message.
    void addError(std::string text);
    // Sends every collected message as one UDP datagram each
    // ("address:port message;\n") to Router:RouterFeedBackPort, then clears them.
    void reportErrors();

    // Operations the viewer itself does not call.
    void setName(std::string newName);
    std::string getOutputAddress();
    void setOutputAddress(std::string host);
    void setOutputPort(uint16_t port);
    // The next user made is "user0" again (see Users::clear).
    static void restartNames();

private:
    // Works out where reports go and takes the shared report socket; false
    // when there is nowhere to send this time (the next report tries again).
    bool prepareDestination();

    static std::atomic<uint32_t> counter;

    int viaRouter = 0;
    std::string name;
    std::string address;
    std::string port;
    sockaddr_in destination{};
    std::string outputAddress;
    int feedbackSocket = -1;
    std::vector<Error> errors;
};
