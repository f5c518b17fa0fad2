// The operations the statement actions call: taking written names apart,
// storing and reading values, storing object parameters and creating objects.

#include "CommandParser.h"

#include "MainNode.h"
#include "ParamType.h"
#include "Scheduler.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "ShapeUpdates.h"
#include "StringType.h"
#include "User.h"
#include "ValueKind.h"
#include "Variables.h"
#include "BasicShape.h"

#include <osg/Geode>

#include <iostream>

namespace {

std::string nameOf(User* user)
{
    return user != nullptr ? user->getName() : std::string();
}

void report(User* user, const std::string& message)
{
    if (user != nullptr)
        user->addError(message);
    else
        std::cerr << message + "\n";
}

// How an assigned value is stored: its kind in the store and its text.
// A plain number goes to a free variable as an expression (names in it would
// be qualified) but to an object parameter exactly as written.
bool storedForm(int kind, bool objectParameter, const std::string& value, ParamType& type, std::string& text)
{
    text = value;
    switch (kind) {
    case VALUE_NUMBER:
        type = objectParameter ? PARAM_NUMBER : PARAM_EXPRESSION;
        return true;
    case VALUE_NEGATIVE:
        type = PARAM_NUMBER;
        text = "-" + value;
        return true;
    case VALUE_STRING:
        type = PARAM_STRING;
        return true;
    case VALUE_EXPRESSION:
        type = PARAM_EXPRESSION;
        return true;
    case VALUE_LIST_ENTRY:
        type = PARAM_SCHEDULE;
        return true;
    default:
        std::cerr << "Error: unknown value kind " + std::to_string(kind) + "\n";
        return false;
    }
}

// The text of an object's type tag ("" when it holds no string).
std::string tagText(Type* tag)
{
    StringType* text = tag->asStringType();
    return text != nullptr ? text->getString() : std::string();
}

// Takes a written name apart; on a malformed name gives false and the
// diagnostic line for standard error. Parts a name lacks stay untouched.
bool splitName(const std::string& name, std::string& userPart, std::string& objectPart, std::string& parameterPart,
               std::string& diagnostic)
{
    std::size_t colon = std::string::npos;
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == ':') {
            if (colon != std::string::npos || dot != std::string::npos) {
                diagnostic = "Error: Invalid : string\n";
                return false;
            }
            colon = i;
            userPart = name.substr(0, i);
        } else if (name[i] == '.') {
            if (dot != std::string::npos) {
                diagnostic = "Error: Invalid . string - no variabel specified\n";
                return false;
            }
            dot = i;
            const std::size_t start = colon == std::string::npos ? 0 : colon + 1;
            objectPart = name.substr(start, i - start);
        }
    }
    if (dot != std::string::npos)
        parameterPart = name.substr(dot + 1);
    else if (colon != std::string::npos)
        parameterPart = name.substr(colon + 1);
    else
        parameterPart = name;
    return true;
}

// splitName; a malformed name writes its diagnostic after the trace given,
// in one write, and is reported to the user.
bool splitNameOrReport(User* user, const std::string& name, const std::string& trace, std::string& userPart,
                       std::string& objectPart, std::string& parameterPart)
{
    std::string diagnostic;
    if (splitName(name, userPart, objectPart, parameterPart, diagnostic))
        return true;
    std::cerr << trace + diagnostic;
    report(user, name + ": bad variable string.");
    return false;
}

}  // namespace

bool CommandParser::extractVar(User* user, std::string name, std::string& userPart, std::string& objectPart,
                               std::string& parameterPart)
{
    return splitNameOrReport(user, name, "", userPart, objectPart, parameterPart);
}

bool CommandParser::setVar(User* user, std::string name, std::string value, int kind)
{
    // The trace goes out in one write, before anything the store reports.
    std::string trace = "currentUser: " + nameOf(user) + " paramName:" + name + " value:" + value +
                        " type:" + std::to_string(kind) + "\n";

    std::string userPart, objectPart, parameterPart;
    if (!splitNameOrReport(user, name, trace, userPart, objectPart, parameterPart))
        return false;

    std::string fullName = (userPart.empty() ? nameOf(user) : userPart) + ":";
    fullName += objectPart.empty() ? parameterPart : objectPart + "." + parameterPart;
    trace += "paramName:" + name + " refUser:" + userPart + " obj:" + objectPart + " param:" + parameterPart +
             "\nFull param name: " + fullName + "\n";

    Variables* store = Variables::getInstance();
    // An assignment never adds a parameter to an object.
    if (!objectPart.empty() && !store->exists(fullName)) {
        std::cerr << trace;
        report(user, name + ": var not found.");
        return false;
    }

    ParamType type;
    std::string text;
    if (!storedForm(kind, false, value, type, text)) {
        std::cerr << trace;
        return false;
    }
    trace += "adding var to table:" + fullName + "\n";
    if (kind == VALUE_STRING)
        trace += "Adding to string\n";
    else if (kind == VALUE_LIST_ENTRY)
        trace += "Adding to list\n";
    std::cerr << trace;
    store->add(user, fullName, text, type);
    return true;
}

Type* CommandParser::getVar(User* user, std::string name)
{
    std::string trace = "currentUser: " + nameOf(user) + " paramName:" + name + "\n";
    std::string userPart, objectPart, parameterPart;
    if (!splitNameOrReport(user, name, trace, userPart, objectPart, parameterPart))
        return nullptr;
    std::cerr << trace;

    // A name with a ':' is taken as written; an empty user part (":x") is the
    // current user, as when storing.
    const std::size_t colon = name.find(':');
    std::string fullName;
    if (colon == std::string::npos)
        fullName = nameOf(user) + ":" + name;
    else
        fullName = (userPart.empty() ? nameOf(user) : userPart) + name.substr(colon);

    Type* value = nullptr;
    if (!Variables::getInstance()->get(fullName, value))
        return nullptr;
    return value;
}

bool CommandParser::setParam(User* user, std::string objectName, std::string parameter, std::string value, int kind,
                             std::string typeWord)
{
    const std::string baseName = nameOf(user) + ":" + objectName;
    Variables* store = Variables::getInstance();

    Type* tag = nullptr;
    if (!store->get(baseName + ".name", tag)) {
        report(user, objectName + ": object not found.");
        return false;
    }
    const std::string objectType = tagText(tag);
    if (!typeWord.empty() && typeWord != objectType) {
        std::cerr << "Error: Type miss match with string in setparam... \n";
        return false;
    }

    // A tag that names no registered type has no parameters to match.
    ParamDefinitions* definitions = ShapeDefinitions::getInstance()->getDefinition(objectType);
    if (definitions == nullptr || definitions->find(parameter) == definitions->end()) {
        report(user, parameter + ": parameter not found for object type " + objectType);
        return true;
    }

    ParamType type;
    std::string text;
    if (!storedForm(kind, true, value, type, text))
        return false;
    store->add(user, baseName + "." + parameter, text, type);
    return true;
}

void CommandParser::checkForNewShape(User* user, std::string objectName, Type*, std::string typeWord, BasicShape*)
{
    const std::string userName = nameOf(user);
    Type* tag = nullptr;
    if (Variables::getInstance()->get(userName + ":" + objectName + ".name", tag)) {
        const std::string objectType = tagText(tag);
        if (objectType != typeWord)
            report(user, objectName + ": already exists as " + objectType);
        return;
    }

    ShapeDefinitions* registry = ShapeDefinitions::getInstance();
    ShapeFactory* factory = registry->getFactory(typeWord);
    if (registry->getDefinition(typeWord) == nullptr || factory == nullptr)
        return;

    BasicShape* shape = factory->createInstance(userName, objectName);
    if (shape == nullptr)
        return;
    // A scheduler hands the commands it fires back to this dispatcher.
    if (auto* scheduler = dynamic_cast<Scheduler*>(shape))
        scheduler->setEventHandler([](const std::string& owner, const std::string& command) {
            CommandParser::getInstance()->parseEvent(owner, command);
        });
    osg::Geode* geode = new osg::Geode;
    geode->setDataVariance(osg::Object::DYNAMIC);
    if (osg::Drawable* drawable = shape->asDrawable())
        geode->addDrawable(drawable);
    if (sceneRoot != nullptr) {
        sceneRoot->addElement(geode);
    } else {
        // Without a scene the geode still keeps its shape alive.
        if (!detachedShapes.valid())
            detachedShapes = new osg::Group;
        detachedShapes->addChild(geode);
    }
    ShapeUpdates::getInstance()->addShape(shape);
}

void CommandParser::remove(User* user, std::string name, std::string requestingUser)
{
    std::string userPart, objectPart, parameterPart;
    if (!extractVar(user, name, userPart, objectPart, parameterPart)) {
        std::cerr << "Error: Invalid name\n";
        return;
    }
    // A name without user part belongs to the requesting user.
    if (userPart.empty())
        userPart = requestingUser;
    if (userPart != requestingUser) {
        std::cerr << "Error: Cannot remove another users variable or element\n";
        return;
    }
    Variables* store = Variables::getInstance();
    if (!objectPart.empty()) {
        const std::string fullName = userPart + ":" + objectPart + "." + parameterPart;
        if (store->exists(fullName)) {
            store->remove(fullName);
            return;
        }
    } else {
        const std::string fullName = userPart + ":" + parameterPart;
        if (store->exists(fullName + ".name"))
            return;  // an object: nothing is removed
        if (store->exists(fullName)) {
            store->remove(fullName);
            return;
        }
    }
    std::cerr << "Error: Element does not exist: " + name + "\n";
}

void CommandParser::removeAll(std::string) {}
