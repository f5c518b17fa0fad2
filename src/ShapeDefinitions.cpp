#include "ShapeDefinitions.h"

ShapeDefinitions* ShapeDefinitions::instance = nullptr;

ShapeDefinitions* ShapeDefinitions::getInstance()
{
    // First reached by createShapeDefs at start-up, before any other thread exists.
    if (instance == nullptr)
        instance = new ShapeDefinitions();
    return instance;
}

ShapeDefinitions::ShapeDefinitions()
    : shapeTypes(new std::map<std::string, std::pair<ParamDefinitions*, ShapeFactory*>>())
{
}

std::pair<ParamDefinitions*, ShapeFactory*>& ShapeDefinitions::entry(const std::string& typeWord)
{
    auto found = shapeTypes->find(typeWord);
    if (found == shapeTypes->end())
        found = shapeTypes->emplace(typeWord, std::make_pair(new ParamDefinitions(), nullptr)).first;
    return found->second;
}

void ShapeDefinitions::addDefinition(std::string typeWord, std::string parameter, std::string defaultText,
                                     ParamType kind)
{
    // emplace keeps an existing row: the first definition of a parameter wins.
    entry(typeWord).first->emplace(std::move(parameter), std::make_pair(std::move(defaultText), kind));
}

void ShapeDefinitions::addFactory(std::string typeWord, ShapeFactory* factory)
{
    entry(typeWord).second = factory;
}

ParamDefinitions* ShapeDefinitions::getDefinition(std::string typeWord)
{
    auto found = shapeTypes->find(typeWord);
    return found == shapeTypes->end() ? nullptr : found->second.first;
}

ShapeFactory* ShapeDefinitions::getFactory(std::string typeWord)
{
    auto found = shapeTypes->find(typeWord);
    return found == shapeTypes->end() ? nullptr : found->second.second;
}
