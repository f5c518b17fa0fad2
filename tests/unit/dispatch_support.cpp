#include "unit/dispatch_support.h"

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "support/ShapeDefs.h"
#include "MainNode.h"
#include "StringType.h"
#include "ThreadQueue.h"
#include "VarType.h"
#include "Variables.h"

#include <unistd.h>
#include <cmath>
#include <limits>

DispatchHarness& DispatchHarness::get()
{
    static DispatchHarness* harness = new DispatchHarness;
    harness->aimReports();
    return *harness;
}

DispatchHarness::DispatchHarness()
{
    ensureShapeDefs();
    static ConfigPresets presets;

    aimReports();

    sceneRoot = new MainNode;
    sceneRoot->ref();
    commandQueue = new ThreadQueue<std::string>;
    commandQueue->setBlock(&block);
    CommandParser::getInstance()->initParser(commandQueue, sceneRoot);
}

void DispatchHarness::aimReports()
{
    // Written only when changed: the command thread reads the settings.
    Config* config = Config::getInstance();
    if (config->get("Router") != "127.0.0.1")
        config->add("Router", "127.0.0.1");
    if (config->get("RouterFeedBackPort") != replies.portText())
        config->add("RouterFeedBackPort", replies.portText());
}

std::string DispatchHarness::newAddress()
{
    return "10.9." + std::to_string(getpid() % 250) + "." + std::to_string(addresses++);
}

std::vector<std::string> DispatchHarness::send(const std::string& address, const std::string& port,
                                               const std::string& command)
{
    return sendRaw(address + ":" + port + command);
}

std::vector<std::string> DispatchHarness::sendRaw(const std::string& message)
{
    drain();
    CommandParser::getInstance()->parseCommand(message);
    return drain();
}

void DispatchHarness::queue(const std::string& message)
{
    commandQueue->add(message);
}

std::vector<std::string> DispatchHarness::drain() { return replies.drain(); }

std::string DispatchHarness::next(int timeoutMs) { return replies.next(timeoutMs).value_or(""); }

std::string DispatchHarness::stringValue(const std::string& fullName)
{
    Type* value = nullptr;
    if (!Variables::getInstance()->get(fullName, value) || value->asStringType() == nullptr)
        return "";
    return value->asStringType()->getString();
}

double DispatchHarness::numberValue(const std::string& fullName)
{
    Type* value = nullptr;
    if (!Variables::getInstance()->get(fullName, value) || value->asVarType() == nullptr)
        return std::numeric_limits<double>::quiet_NaN();
    return value->asVarType()->getValue();
}

bool DispatchHarness::exists(const std::string& fullName)
{
    return Variables::getInstance()->exists(fullName);
}
