#pragma once
// Splits one command message "address:port command" into its three parts.
// Every line feed is removed first; carriage returns stay. The command text
// keeps the blank that separates it from the port.

#include <string>

struct MessageFrame {
    std::string address;
    std::string port;
    std::string command;
};

// False, with out untouched, when the message has no blank, or no ':' before
// its first blank (an empty message has neither).
bool frameMessage(std::string message, MessageFrame& out);

// Builds "address:port command": one blank goes between the port and the
// command text, which may bring blanks of its own.
std::string buildMessage(const std::string& address, const std::string& port, const std::string& command);
