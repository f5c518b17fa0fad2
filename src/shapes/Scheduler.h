#pragma once
// A user's clock with its schedule of timed commands (type word
// "scheduler"). Its geometry draws nothing: it sits in a geode under the
// scene root only so that TimerCallback runs once per frame in the main
// thread. While it plays, every frame advances the clock by the frame's
// simulation-time step, stores it in its `time` parameter, flushes the
// redraw set and hands each event of `add` that fell due to the dispatcher
// as a command of the owner.
//
// Threading: update() runs the whole frame update (reload, clock, firing)
// under a lock of its own and never takes the shape lock; dirty() takes no
// lock, because the flush inside that update marks the scheduler while
// that lock is held. Only the drawable binding of DrawableBinding.h is
// shared with the shapes, not their redraw frame.

#include "DrawableBinding.h"

#include <OpenThreads/Mutex>
#include <functional>
#include <osg/Drawable>
#include <osg/Geometry>
#include <string>

class Scheduler : public DrawableBinding<osg::Geometry> {
public:
    // Runs one fired command for the owner (user name, command text).
    typedef std::function<void(const std::string&, const std::string&)> EventHandler;

    Scheduler(std::string userName, std::string objectName);

    void dirty() override;  // takes no lock: the flush inside update() marks us
    std::string getType() override;
    void update() override;

    void setDiff(double simulationTime);
    void updateTime(double step);
    void setPlay(bool play) { playing = play; }
    bool isPlaying() { return playing; }
    double getCurrentTime() { return currentTime; }

    // Operations the viewer itself does not call.
    void removeAll();
    void reset();
    // The receiver of fired commands, handed in by whoever creates the
    // scheduler (the dispatcher); without one, fired commands go nowhere.
    void setEventHandler(EventHandler handler) { eventHandler = std::move(handler); }

    typedef UpdateCallback TimerCallback;

protected:
    ~Scheduler() override;
    // Takes the frame's simulation time, then runs the frame update.
    void updateTraversal(osg::NodeVisitor* visitor) override;

private:
    // Takes the clock and the play state from `time` and `play`.
    void reload();
    // Notes the value that the store made of the clock text just stored.
    void noteStoredValue();

    std::string userName;
    OpenThreads::Mutex schedulerMutex;  // held for the whole frame update
    double lastSimTime = 0.0;
    double diff = 0.0;
    // The clock runs in double precision; `time` holds its six-digit text.
    // The clock is reloaded from `time` only when that holds another text or
    // value than the ones stored last, i.e. when a command wrote it.
    double currentTime = 0.0;
    std::string storedText;
    double storedValue = 0.0;
    bool playing = false;
    EventHandler eventHandler;
};
