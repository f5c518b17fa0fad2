#include "ScheduleType.h"

#include <algorithm>
#include <cfloat>
#include <iostream>
#include <sstream>

ScheduleType::ScheduleType(std::string name, std::string text) : Type(std::move(name))
{
    if (!text.empty())
        add(std::move(text));
}

void ScheduleType::add(std::string text)
{
    const std::string::size_type blank = text.find(' ');
    if (blank == std::string::npos) {
        add(0.0f, std::move(text));
        return;
    }
    std::istringstream stream(text);
    float time = 0.0f;
    stream >> time;
    // A number beyond the float range fails the extraction but leaves the
    // largest float of its sign: keep it, so the entry lies beyond any clock.
    const bool outOfRange = stream.fail() && (time == FLT_MAX || time == -FLT_MAX);
    if (stream.fail() && !outOfRange) {
        add(0.0f, std::move(text));
        return;
    }
    add(time, text.substr(blank));
}

void ScheduleType::add(float time, std::string command)
{
    std::ostringstream trace;
    trace << "Time: " << time << " Command: " << command << '\n';
    std::cerr << trace.str();
    Event event(static_cast<double>(time), std::move(command));
    std::lock_guard<LeafLock> guard(contentLock());
    auto later = std::upper_bound(events.begin(), events.end(), event);
    events.insert(later, std::move(event));
}

void ScheduleType::getEvents(std::list<Event>& out)
{
    std::lock_guard<LeafLock> guard(contentLock());
    if (&out == &events)
        return;
    out = events;
}
