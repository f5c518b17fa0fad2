#pragma once
// The command dispatcher: its thread drains the command queue, frames each
// message (address:port command), finds or creates the sender, parses the
// command text and reports what was collected. Scheduled commands come back
// through parseEvent from the main thread. One parse runs at a time.

#include "ThreadQueue.h"

#include <OpenThreads/Block>
#include <OpenThreads/Thread>
#include <string>

class MainNode;
class Type;
class User;
class BasicShape;
namespace osg {
class Image;
}
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
    void parseCommand(std::string message);
    // Runs a scheduled command as a command message of the named user.
    void parseEvent(std::string userName, std::string command);
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

private:
    CommandParser();
    static CommandParser* instance;
};
