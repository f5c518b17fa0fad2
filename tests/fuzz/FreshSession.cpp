#include "FreshSession.h"

#include "CommandParser.h"
#include "Config.h"
#include "ConfigPresets.h"
#include "Definitions.h"
#include "ShapeUpdates.h"
#include "Users.h"
#include "Variables.h"

#include <osg/FrameStamp>

namespace {

// Simulation times of the two traversals: not 0, which a scheduler takes as
// "no frame seen yet".
constexpr double firstFrameTime = 1.0;
constexpr double frameStep = 0.5;

}  // namespace

FreshSession::FreshSession(const std::string& routerPort) : root(new MainNode), visitor(new osgUtil::UpdateVisitor)
{
    createShapeDefs();
    static ConfigPresets presets;
    Config::getInstance()->add("Router", "127.0.0.1");
    Config::getInstance()->add("RouterFeedBackPort", routerPort);
    // No command queue: the dispatcher keeps the scene root and starts no thread.
    CommandParser::getInstance()->initParser(nullptr, root.get());
}

void FreshSession::run(const std::string& bytes)
{
    clearState();
    CommandParser::getInstance()->parseCommand(bytes.substr(0, bytes.find('\0')));
    runFrames();
}

void FreshSession::clearState()
{
    // Shapes go first, with the scene that holds them; then nothing reads a
    // value any more, and the values and the users can go.
    root->clear();
    ShapeUpdates::getInstance()->clear();
    Variables::getInstance()->clear();
    Users::getInstance()->clear();
}

void FreshSession::runFrames()
{
    for (int frame = 0; frame < 2; ++frame) {
        osg::ref_ptr<osg::FrameStamp> stamp = new osg::FrameStamp;
        stamp->setFrameNumber(frame);
        stamp->setReferenceTime(firstFrameTime + frame * frameStep);
        stamp->setSimulationTime(firstFrameTime + frame * frameStep);
        visitor->setFrameStamp(stamp.get());
        visitor->setTraversalNumber(frame);
        root->accept(*visitor);
    }
}
