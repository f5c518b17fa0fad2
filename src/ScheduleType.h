#pragma once
// A schedule: events kept in ascending time, equal times in the order added.

#include "Event.h"
#include "Type.h"

#include <list>
#include <string>

class ScheduleType : public Type {
public:
    // A non-empty text becomes the first entry.
    ScheduleType(std::string name, std::string text);
    ~ScheduleType() override = default;

    ScheduleType* asScheduleType() override { return this; }

    // Adds one entry read from "time command" text; the command keeps the
    // blank at its head. No blank, or no number at the start: time 0 and the
    // whole text as the command.
    void add(std::string text);
    // Writes the trace line and inserts the event after all events of equal
    // or smaller time.
    void add(float time, std::string command);
    // Replaces out's contents with a copy of the events.
    void getEvents(std::list<Event>& out);

private:
    std::list<Event> events;
};
