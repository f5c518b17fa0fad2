#include "Config.h"

#include <fstream>
#include <iostream>
#include <sstream>

Config* Config::instance = nullptr;

Config* Config::getInstance()
{
    if (instance == nullptr)
        instance = new Config();
    return instance;
}

std::string Config::get(std::string key)
{
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
}

void Config::add(std::string key, std::string value)
{
    values[std::move(key)] = std::move(value);
}

void Config::writeConfiguration(std::string path)
{
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out) {
        std::cerr << "Unable to write config file `" + path + "'\n";
        return;
    }
    for (const auto& entry : values)
        out << entry.first << ' ' << entry.second << std::endl;
}

double stringToDouble(std::string text)
{
    // Stream extraction: leading white space skipped, 0 when no number
    // starts the text, the largest finite value on overflow.
    std::istringstream in(text);
    double value = 0;
    in >> value;
    return value;
}
