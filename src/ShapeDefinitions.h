#pragma once
// Shape-definition registry: per type word, its parameter rows (name to
// default text and kind, in byte order of the names) and its factory.
// Filled at start-up before any other thread exists; read without a lock.

#include "ParamType.h"

#include <map>
#include <string>
#include <utility>

class ShapeFactory;

typedef std::map<std::string, std::pair<std::string, ParamType>> ParamDefinitions;

class ShapeDefinitions {
public:
    static ShapeDefinitions* getInstance();
    virtual ~ShapeDefinitions() = default;

    // The first definition of a parameter wins.
    void addDefinition(std::string typeWord, std::string parameter, std::string defaultText, ParamType kind);
    void addFactory(std::string typeWord, ShapeFactory* factory);
    ParamDefinitions* getDefinition(std::string typeWord);  // null for an unknown type word
    ShapeFactory* getFactory(std::string typeWord);         // null when none

private:
    ShapeDefinitions();
    // The type word's entry, made (no rows, no factory) when missing.
    std::pair<ParamDefinitions*, ShapeFactory*>& entry(const std::string& typeWord);

    static ShapeDefinitions* instance;
    std::map<std::string, std::pair<ParamDefinitions*, ShapeFactory*>>* shapeTypes;
};
