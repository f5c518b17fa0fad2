#include "Scheduler.h"

#include "FullName.h"
#include "NumberText.h"
#include "ShapeUpdates.h"
#include "VarType.h"
#include "Variables.h"

#include <OpenThreads/ScopedLock>
#include <osg/FrameStamp>
#include <osg/Geode>
#include <osg/NodeVisitor>
#include <cmath>
#include <iostream>
#include <list>

Scheduler::Scheduler(std::string userName, std::string objectName) : userName(userName)
{
    createMapping(userName, objectName, "scheduler", this);
    BasicShape::setName(fullName(userName, objectName));
}

Scheduler::~Scheduler()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(schedulerMutex);
    setUpdateCallback(nullptr);
}

void Scheduler::dirty() { dirtyFlag = true; }

std::string Scheduler::getType() { return "scheduler"; }

void Scheduler::setDiff(double simulationTime)
{
    if (lastSimTime == 0.0)
        lastSimTime = simulationTime;
    diff = simulationTime - lastSimTime;
    lastSimTime = simulationTime;
}

void Scheduler::update()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(schedulerMutex);
    // Cleared before reading, so a store that comes meanwhile reloads again.
    if (dirtyFlag.exchange(false))
        reload();
    // A clock of no number (0/0, an infinity) stands still until a command
    // writes `time` again: advancing it would store a text the value store
    // refuses, every frame.
    if (playing && std::isfinite(currentTime))
        updateTime(diff);
}

void Scheduler::reload()
{
    Type* time = parameters["time"];
    VarType* clock = time != nullptr ? time->asVarType() : nullptr;
    if (clock == nullptr) {
        currentTime = 0.0;
    } else {
        std::string text = clock->getString();
        const double value = clock->getValue();
        // Our own store left both as noted; anything else is another writer's
        // (an expression in `time` changes its value, not its text).
        const bool sameValue = value == storedValue || (std::isnan(value) && std::isnan(storedValue));
        if (text != storedText || !sameValue) {
            currentTime = value;
            storedText = std::move(text);
            storedValue = value;
        }
    }
    float play = 0.0f;
    getParameterValue("play", play);
    playing = play != 0.0f;  // NaN plays
}

void Scheduler::updateTime(double step)
{
    const double previous = currentTime;
    currentTime += step;
    storedText = formatNumber(currentTime);
    Variables::getInstance()->add(nullptr, parameterName(BasicShape::getName(), "time"), storedText, PARAM_NUMBER);
    noteStoredValue();
    ShapeUpdates::getInstance()->dirty();

    std::list<Event> events;
    getParameterSchedule("add", events);
    for (const Event& event : events) {
        if (previous < event.time && event.time <= currentTime) {
            if (eventHandler)
                eventHandler(userName, event.command);
            std::cerr << "Adding command: " + event.command + "\n";
        } else if (event.time > currentTime) {
            break;
        }
    }
}

void Scheduler::noteStoredValue()
{
    // The value the store made of our text, read back; when another writer
    // came in between, the text differs and the next reload takes theirs.
    Type* time = parameters["time"];
    VarType* clock = time != nullptr ? time->asVarType() : nullptr;
    if (clock != nullptr && clock->getString() == storedText)
        storedValue = clock->getValue();
}

void Scheduler::reset()
{
    currentTime = 0.0;
    storedText.clear();  // the next reload takes `time` again
}

void Scheduler::removeAll()
{
    std::list<Event> events;
    getParameterSchedule("add", events);
    events.clear();
}

void Scheduler::updateTraversal(osg::NodeVisitor* visitor)
{
    const osg::FrameStamp* stamp = visitor != nullptr ? visitor->getFrameStamp() : nullptr;
    setDiff(stamp != nullptr ? stamp->getSimulationTime() : 0.0);
    update();
}
