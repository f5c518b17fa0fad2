#include "User.h"

#include "Config.h"
#include "ReportSocket.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <cerrno>
#include <cstdio>
#include <iostream>

std::atomic<uint32_t> User::counter{0};

User::User(std::string address, std::string port)
    : name("user" + std::to_string(counter++)), address(std::move(address)), port(std::move(port))
{
    // Each line in one write, so lines of other threads never cut into it.
    std::cerr << "port is '" + this->port + "'\n";
    std::cerr << "User constructor: " + this->address + "\n";
}

void User::restartNames() { counter = 0; }

std::string User::getName() { return name; }
std::string User::getAddress() { return address; }
std::string User::getPort() { return port; }
void User::setPort(std::string newPort) { port = std::move(newPort); }
void User::setName(std::string newName) { name = std::move(newName); }
std::string User::getOutputAddress() { return outputAddress; }

void User::setOutputAddress(std::string host)
{
    outputAddress = std::move(host);
    viaRouter = 0;
}

void User::setOutputPort(uint16_t outputPort) { destination.sin_port = htons(outputPort); }

void User::addError(std::string text) { errors.emplace_back(text); }

bool User::prepareDestination()
{
    destination.sin_family = AF_INET;
    if (outputAddress.empty()) {
        outputAddress = Config::getInstance()->get("Router");
        viaRouter = 1;
    }
    if (outputAddress.empty()) {
        std::cerr << "reportError: no address found for 'router'\n";
        return false;
    }
    ReportSocket* reports = ReportSocket::getInstance();
    if (!reports->resolve(outputAddress, destination.sin_addr))
        return false;
    if (destination.sin_port == 0) {
        const uint16_t feedbackPort = reportPortFromText(Config::getInstance()->get("RouterFeedBackPort"));
        destination.sin_port = htons(feedbackPort);
        std::cerr << "_port = " + std::to_string(feedbackPort) + "\n";
    }
    feedbackSocket = reports->descriptor();
    return feedbackSocket != -1;
}

void User::reportErrors()
{
    if (feedbackSocket == -1 && !prepareDestination()) {
        errors.clear();
        return;
    }
    for (const Error& error : errors) {
        const std::string message = error.getMessage();
        const std::string text = viaRouter ? address + ":" + port + " " + message + ";\n" : message;
        const ssize_t sent = sendto(feedbackSocket, text.data(), text.size(), MSG_DONTWAIT,
                                    reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
        if (sent < 0) {
            const bool tooLong = errno == EMSGSIZE;
            perror("reportError:");
            // A message too long for one datagram is lost alone; any other
            // failure drops the rest of this report.
            if (tooLong)
                continue;
            break;
        }
        if (static_cast<size_t>(sent) < text.size())
            std::cout << "reportError: only " + std::to_string(sent) + "character of `" + message + "' were transmisted\n";
    }
    errors.clear();
}
