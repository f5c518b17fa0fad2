// Placeholder until the command dispatcher lands: keeps start-up linking.
#include "CommandParser.h"

CommandParser* CommandParser::instance = nullptr;

CommandParser* CommandParser::getInstance()
{
    static CommandParser* created = new CommandParser();
    instance = created;
    return instance;
}

CommandParser::CommandParser() = default;
CommandParser::~CommandParser() = default;
void CommandParser::initParser(ThreadQueue<std::string>*, MainNode*) {}
void CommandParser::initScreenshot(osgViewer::Viewer*) {}
void CommandParser::run() {}
void CommandParser::parseCommand(std::string) {}
void CommandParser::parseEvent(std::string, std::string) {}
bool CommandParser::writeScreenshot(std::string) { return false; }
bool CommandParser::extractVar(User*, std::string, std::string&, std::string&, std::string&) { return false; }
bool CommandParser::setVar(User*, std::string, std::string, int) { return false; }
Type* CommandParser::getVar(User*, std::string) { return nullptr; }
bool CommandParser::setParam(User*, std::string, std::string, std::string, int, std::string) { return false; }
void CommandParser::checkForNewShape(User*, std::string, Type*, std::string, BasicShape*) {}
