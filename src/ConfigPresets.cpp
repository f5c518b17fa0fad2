#include "ConfigPresets.h"

#include "Config.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

ConfigPresets::ConfigPresets()
{
    // Without HOME the texture and model folders are empty prefixes.
    const char* home = std::getenv("HOME");
    const std::string homeDir = home ? home : "";

    Config* config = Config::getInstance();
    config->add("Router", "127.0.0.1");
    config->add("RouterPort", "12345");
    config->add("RouterFeedBackPort", "12346");
    config->add("BufferSize", "1400");
    config->add("IPSize", "24");
    config->add("TextureDir", homeDir);
    config->add("ModelDir", homeDir);
}

void ConfigPresets::readConfiguration(std::string path)
{
    std::cerr << "Reading configuration '" + path + "'\n";
    std::ifstream file(path);
    if (!file) {
        std::cerr << "Could not open config file '" + path + "'\n";
        return;
    }

    Config* config = Config::getInstance();
    std::string line;
    while (std::getline(file, line)) {
        // Words are split at any white space, so CRLF files read alike.
        std::istringstream words(line);
        std::string key, value;
        if (!(words >> key) || key[0] == '#')
            continue;
        if (words >> value && value[0] == '#')
            value.clear();
        config->add(key, value);
    }
}
