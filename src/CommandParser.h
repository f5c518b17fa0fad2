#pragma once
// The command dispatcher: its thread drains the command queue, frames each
// message (address:port command), finds or creates the sender, parses the
// command text and reports what was collected. Scheduled commands come back
// through parseEvent from the main thread. One parse runs at a time
// (ParseLock).

#include "ThreadQueue.h"

#include <OpenThreads/Block>
#include <OpenThreads/Thread>
#include <osg/Group>
#include <osg/ref_ptr>
#include <atomic>
#include <memory>
#include <string>

class MainNode;
class Type;
class User;
class BasicShape;
class ScreenshotCapture;
namespace osgViewer {
class Viewer;
}

class CommandParser : public OpenThreads::Thread {
public:
    static CommandParser* getInstance();
    ~CommandParser() override;

    // Keeps the queue and the scene root and starts the command thread (first call only).
    void initParser(ThreadQueue<std::string>* queue, MainNode* root);
    // Attaches the screenshot image to the viewer's camera.
    void initScreenshot(osgViewer::Viewer* viewer);

    void run() override;

    // Handles one command message to its end (framing, user, parse, report).
    // A message without "address:port " at its head is dropped with one line
    // on standard error.
    void parseCommand(std::string message);
    // Runs a scheduled command as a command message of the user with that
    // generated name; an unknown name does nothing.
    void parseEvent(std::string userName, std::string command);

    // Writes the last rendered frame to name + ".png", relative to the
    // working directory. True only once the file is written; otherwise the
    // reason has been reported to the user of the current parse, and the
    // screenshot statement reports nothing more.
    bool writeScreenshot(std::string name);

    // Operations the statement actions call.
    bool extractVar(User* user, std::string name, std::string& userPart, std::string& objectPart,
                    std::string& parameterPart);
    bool setVar(User* user, std::string name, std::string value, int kind);
    Type* getVar(User* user, std::string name);
    bool setParam(User* user, std::string objectName, std::string parameter, std::string value, int kind,
                  std::string typeWord);
    void checkForNewShape(User* user, std::string objectName, Type* value, std::string typeWord,
                          BasicShape* shape);

    // Operations the viewer itself does not call.
    void remove(User* user, std::string name, std::string requestingUser);
    void removeAll(std::string name);

private:
    CommandParser();
    static CommandParser* instance;

    // Finds the sender of a framed message, creating it (with its prelude
    // texts) when its address is new.
    User* findOrCreateUser(const std::string& address, const std::string& port);

    std::atomic<bool> stopRequested{false};
    bool initialized = false;
    OpenThreads::Block* queueBlock = nullptr;
    ThreadQueue<std::string>* commandQueue = nullptr;
    MainNode* sceneRoot = nullptr;
    osgViewer::Viewer* viewer = nullptr;
    std::unique_ptr<ScreenshotCapture> screenshot;

    // Guarded by ParseLock.
    bool parsing = false;
    User* currentUser = nullptr;
    // Holds the geodes of objects made while there is no scene root.
    osg::ref_ptr<osg::Group> detachedShapes;
};
