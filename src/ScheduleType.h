#pragma once
// A schedule: events kept in ascending time, equal times in the order added.

#include "Event.h"
#include "Type.h"

#include <list>
#include <string>

class ScheduleType : public Type {
public:
    ScheduleType(std::string name, std::string text);
    ~ScheduleType() override = default;

    ScheduleType* asScheduleType() override { return this; }

    // Adds one entry read from "time command" text.
    void add(std::string text);
    void add(float time, std::string command);
    // Replaces out's contents with a copy of the events.
    void getEvents(std::list<Event>& out);

private:
    std::list<Event> events;
};
