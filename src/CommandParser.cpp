#include "CommandParser.h"

#include "MainNode.h"
#include "MessageFraming.h"
#include "ParseDriver.h"
#include "ParseLock.h"
#include "ScreenshotCapture.h"
#include "SenderReport.h"
#include "User.h"
#include "Users.h"

#include <exception>
#include <iostream>

CommandParser* CommandParser::instance = nullptr;

CommandParser* CommandParser::getInstance()
{
    if (instance == nullptr)
        instance = new CommandParser();
    return instance;
}

CommandParser::CommandParser() : screenshot(new ScreenshotCapture) {}

CommandParser::~CommandParser()
{
    stopRequested = true;
    if (queueBlock != nullptr)
        queueBlock->release();
    if (isRunning())
        join();
}

void CommandParser::initParser(ThreadQueue<std::string>* queue, MainNode* root)
{
    if (initialized)
        return;
    commandQueue = queue;
    sceneRoot = root;
    queueBlock = queue != nullptr ? queue->getBlock() : nullptr;
    initialized = true;
    if (commandQueue != nullptr && queueBlock != nullptr)
        start();
    else
        std::cerr << "Command dispatcher: no command queue with a wake-up block; the command thread is not started\n";
}

void CommandParser::initScreenshot(osgViewer::Viewer* newViewer)
{
    viewer = newViewer;
    if (!screenshot->attach(viewer))
        std::cout << "Error capturing screen window's traits." << std::endl;
}

void CommandParser::run()
{
    std::string message;
    for (;;) {
        queueBlock->block();
        queueBlock->reset();
        if (stopRequested)
            return;
        while (commandQueue->get(message))
            parseCommand(message);
    }
}

void CommandParser::parseCommand(std::string message)
{
    ParseGuard guard(ParseLock::get());
    if (parsing) {
        // Only a statement action could get here, and a parse never nests.
        std::cerr << "Command dropped: a parse is already running in this thread\n";
        return;
    }

    MessageFrame frame;
    if (!frameMessage(message, frame)) {
        std::cerr << "Command message dropped: no \"address:port \" at its head (" + std::to_string(message.size()) +
                         " bytes)\n";
        return;
    }

    User* user = nullptr;
    try {
        user = findOrCreateUser(frame.address, frame.port);
        parsing = true;
        currentUser = user;
        init_parser(frame.command.c_str(), this, user);
        yyparse();
    } catch (const std::exception& error) {
        std::cerr << "Command message abandoned: " + std::string(error.what()) + "\n";
    } catch (...) {
        std::cerr << "Command message abandoned\n";
    }
    parsing = false;
    currentUser = nullptr;
    if (user != nullptr)
        user->reportErrors();
}

User* CommandParser::findOrCreateUser(const std::string& address, const std::string& port)
{
    Users* users = Users::getInstance();
    if (User* known = users->getUser(address)) {
        known->setPort(port);
        return known;
    }
    User* user = new User(address, port);
    users->addUser(address, user);
    parseCommand(buildMessage(address, port, "sched Main"));
    parseCommand(buildMessage(address, port, " Main.play=1"));
    return user;
}

void CommandParser::parseEvent(std::string userName, std::string command)
{
    // The owner's port may change with any message it sends. The owner is
    // found by its generated name alone: another sender may have taken that
    // name as its address.
    ParseGuard guard(ParseLock::get());
    User* owner = Users::getInstance()->getUserByName(userName);
    if (owner == nullptr)
        return;
    parseCommand(buildMessage(owner->getAddress(), owner->getPort(), command));
}

bool CommandParser::writeScreenshot(std::string name)
{
    std::string problem = checkScreenshotName(name);
    if (problem.empty())
        problem = screenshot->writePng(name + ".png");
    if (problem.empty())
        return true;
    reportToSender(currentUser, "screenshot failed: " + problem);
    return false;
}
