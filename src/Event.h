#pragma once
// One timed command of a schedule, ordered by time alone.

#include <string>
#include <utility>

class Event {
public:
    Event() : time(0.0) {}
    Event(double time, std::string command) : time(time), command(std::move(command)) {}

    bool operator<(const Event& other) const { return time < other.time; }

    double time;
    std::string command;
};
