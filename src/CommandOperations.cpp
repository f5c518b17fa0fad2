// The operations the statement actions call: taking written names apart,
// storing and reading values, storing object parameters and creating objects.

#include "CommandParser.h"

#include "FullName.h"
#include "MainNode.h"
#include "ParamType.h"
#include "Scheduler.h"
#include "SenderReport.h"
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

// The line on standard error for a malformed name.
const char* problemLine(NameProblem problem)
{
    return problem == NameProblem::MisplacedColon ? "Error: Invalid : string\n"
                                                  : "Error: Invalid . string - no variabel specified\n";
}

// splitName; a malformed name writes its diagnostic after the trace given,
// in one write, and is reported to the user.
bool splitOrReport(User* user, const std::string& name, const std::string& trace, WrittenName& written)
{
    const NameProblem problem = splitName(name, written);
    if (problem == NameProblem::None)
        return true;
    std::cerr << trace + problemLine(problem);
    reportToSender(user, name + ": bad variable string.");
    return false;
}

// The full name of an object's type tag.
std::string tagName(std::string_view user, std::string_view objectName)
{
    return fullName(user, objectName, "name");
}

}  // namespace

bool CommandParser::extractVar(User* user, std::string name, std::string& userPart, std::string& objectPart,
                               std::string& parameterPart)
{
    WrittenName written;
    if (!splitOrReport(user, name, "", written))
        return false;
    // Parts the name lacks stay as they were.
    if (written.hasUser)
        userPart = written.user;
    if (written.hasObject)
        objectPart = written.object;
    parameterPart = written.parameter;
    return true;
}

bool CommandParser::setVar(User* user, std::string name, std::string value, int kind)
{
    // The trace goes out in one write, before anything the store reports.
    std::string trace = "currentUser: " + nameOf(user) + " paramName:" + name + " value:" + value +
                        " type:" + std::to_string(kind) + "\n";

    WrittenName written;
    if (!splitOrReport(user, name, trace, written))
        return false;

    const std::string storedName = assignedName(written, nameOf(user));
    trace += "paramName:" + name + " refUser:";
    trace.append(written.user).append(" obj:").append(written.object).append(" param:").append(written.parameter);
    trace += "\nFull param name: " + storedName + "\n";

    Variables* store = Variables::getInstance();
    // An assignment never adds a parameter to an object.
    if (!written.object.empty() && !store->exists(storedName)) {
        std::cerr << trace;
        reportToSender(user, name + ": var not found.");
        return false;
    }

    ParamType type;
    std::string text;
    if (!storedForm(kind, false, value, type, text)) {
        std::cerr << trace;
        return false;
    }
    trace += "adding var to table:" + storedName + "\n";
    if (kind == VALUE_STRING)
        trace += "Adding to string\n";
    else if (kind == VALUE_LIST_ENTRY)
        trace += "Adding to list\n";
    std::cerr << trace;
    store->add(user, storedName, text, type);
    return true;
}

Type* CommandParser::getVar(User* user, std::string name)
{
    std::string trace = "currentUser: " + nameOf(user) + " paramName:" + name + "\n";
    WrittenName written;
    if (!splitOrReport(user, name, trace, written))
        return nullptr;
    std::cerr << trace;

    Type* value = nullptr;
    if (!Variables::getInstance()->get(readName(written, nameOf(user)), value))
        return nullptr;
    return value;
}

bool CommandParser::setParam(User* user, std::string objectName, std::string parameter, std::string value, int kind,
                             std::string typeWord)
{
    const std::string owner = nameOf(user);
    Variables* store = Variables::getInstance();

    Type* tag = nullptr;
    if (!store->get(tagName(owner, objectName), tag)) {
        reportToSender(user, objectName + ": object not found.");
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
        reportToSender(user, parameter + ": parameter not found for object type " + objectType);
        return true;
    }

    ParamType type;
    std::string text;
    if (!storedForm(kind, true, value, type, text))
        return false;
    store->add(user, fullName(owner, objectName, parameter), text, type);
    return true;
}

void CommandParser::checkForNewShape(User* user, std::string objectName, Type*, std::string typeWord, BasicShape*)
{
    const std::string userName = nameOf(user);
    Type* tag = nullptr;
    if (Variables::getInstance()->get(tagName(userName, objectName), tag)) {
        const std::string objectType = tagText(tag);
        if (objectType != typeWord)
            reportToSender(user, objectName + ": already exists as " + objectType);
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
    WrittenName written;
    if (!splitOrReport(user, name, "", written)) {
        std::cerr << "Error: Invalid name\n";
        return;
    }
    // A name without user part belongs to the requesting user.
    const std::string_view owner = written.owner(requestingUser);
    if (owner != requestingUser) {
        std::cerr << "Error: Cannot remove another users variable or element\n";
        return;
    }
    Variables* store = Variables::getInstance();
    if (!written.object.empty()) {
        const std::string parameter = fullName(owner, written.object, written.parameter);
        if (store->exists(parameter)) {
            store->remove(parameter);
            return;
        }
    } else {
        const std::string value = fullName(owner, written.parameter);
        if (store->exists(tagName(owner, written.parameter)))
            return;  // an object: nothing is removed
        if (store->exists(value)) {
            store->remove(value);
            return;
        }
    }
    std::cerr << "Error: Element does not exist: " + name + "\n";
}

void CommandParser::removeAll(std::string) {}
