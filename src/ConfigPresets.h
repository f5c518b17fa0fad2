#pragma once
// Stores the built-in settings on construction and reads a configuration
// file over them.

#include <string>

class ConfigPresets {
public:
    ConfigPresets();
    ~ConfigPresets() = default;

    // Reads "key value" lines over the stored settings.
    void readConfiguration(std::string path);
};
