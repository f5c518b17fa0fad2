// zsend: sends command messages to a running ZolviViewer and prints its
// replies. It binds where the viewer connects (tcp://<router>:5560) and
// where the viewer reports (UDP <router>:<port>), waits for the viewer's
// subscription, then sends each message given on the command line, or each
// line read from standard input, as one command message.
//
//   zsend [-r ROUTER] [-p PORT] [-s ADDRESS:PORT] [-w SECONDS] [-t SECONDS] [--raw] [MESSAGE...]

#include "ViewerClient.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

void usage()
{
    std::cerr << "usage: zsend [options] [MESSAGE...]\n"
                 "Sends each MESSAGE (or each line of standard input) to the viewer as one\n"
                 "command message and prints the viewer's replies.\n"
                 "  -r ROUTER       address the viewer's Router setting names (default 127.0.0.1)\n"
                 "  -p PORT         the viewer's RouterFeedBackPort (default 12346)\n"
                 "  -s ADDR:PORT    sender head put before each message (default zsend:1)\n"
                 "  --raw           send messages exactly as given, without a sender head\n"
                 "  -w SECONDS      how long to print replies after the last message (default 1)\n"
                 "  -t SECONDS      how long to wait for the viewer to connect (default 30)\n";
}

// A number of seconds from 0 to one day, or -1.
double seconds(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(value >= 0 && value <= 86400))
        return -1;
    return value;
}

void printReports(ViewerClient& client, std::chrono::milliseconds quiet)
{
    for (const std::string& report : client.drainReports(quiet))
        std::cout << report << std::flush;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string router = "127.0.0.1";
    int port = 12346;
    std::string sender = "zsend:1";
    bool raw = false;
    double waitSeconds = 1;
    double connectSeconds = 30;
    std::vector<std::string> messages;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "-r")
            router = value();
        else if (arg == "-p")
            port = std::atoi(value().c_str());
        else if (arg == "-s")
            sender = value();
        else if (arg == "--raw")
            raw = true;
        else if (arg == "-w")
            waitSeconds = seconds(value());
        else if (arg == "-t")
            connectSeconds = seconds(value());
        else if (arg == "-h" || arg == "--help") {
            usage();
            return 0;
        } else if (arg == "--")
            messages.insert(messages.end(), argv + i + 1, argv + argc), i = argc;
        else
            messages.push_back(arg);
    }
    if (waitSeconds < 0 || connectSeconds < 0) {
        std::cerr << "zsend: a time is a number of seconds from 0 to one day\n";
        return 2;
    }
    if (port <= 0 || port > 65535) {
        std::cerr << "zsend: bad port\n";
        return 2;
    }

    ViewerClient client(router, uint16_t(port));
    if (!client.ok()) {
        std::cerr << "zsend: " << client.error() << "\n";
        return 1;
    }
    std::cerr << "zsend: waiting for the viewer to connect to tcp://" << router << ":5560 ...\n";
    if (!client.waitForSubscriber(std::chrono::milliseconds(long(connectSeconds * 1000)))) {
        std::cerr << "zsend: the viewer did not connect\n";
        return 1;
    }
    auto frame = [&](const std::string& text) { return raw ? text : sender + " " + text; };
    const auto quiet = std::chrono::milliseconds(long(waitSeconds * 1000));

    if (!messages.empty()) {
        for (const std::string& message : messages)
            client.send(frame(message));
        printReports(client, quiet);
        return 0;
    }

    // Interactive: send each line as it is read, print replies as they come.
    std::string pending;
    bool inputOpen = true;
    while (inputOpen) {
        pollfd items[2] = {{STDIN_FILENO, POLLIN, 0}, {client.reportDescriptor(), POLLIN, 0}};
        if (poll(items, 2, -1) < 0)
            continue;
        if (items[1].revents & POLLIN)
            printReports(client, std::chrono::milliseconds(0));
        if (items[0].revents & (POLLIN | POLLHUP)) {
            char buffer[4096];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                inputOpen = false;
            } else {
                pending.append(buffer, size_t(n));
            }
            size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                client.send(frame(pending.substr(0, end)));
                pending.erase(0, end + 1);
            }
        }
    }
    if (!pending.empty())
        client.send(frame(pending));
    printReports(client, quiet);
    return 0;
}
