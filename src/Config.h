#pragma once
// Process-wide settings: key to text value. Written only during start-up,
// read without a lock afterwards.

#include <map>
#include <string>

class Config {
public:
    static Config* getInstance();

    // The key's value; "" for an absent key.
    std::string get(std::string key);
    // Stores the value, replacing an existing one.
    void add(std::string key, std::string value);
    // Writes every setting as "key value" lines in key order (not used by the viewer).
    void writeConfiguration(std::string path);

private:
    Config() = default;
    static Config* instance;
    std::map<std::string, std::string> values;
};

// The decimal number at the start of the text, read as stream extraction
// reads a double (leading white space skipped); 0 when there is none.
double stringToDouble(std::string text);
