#pragma once
// Makes a shape of one type from a user name and an object name.

#include <string>

class BasicShape;

class ShapeFactory {
public:
    virtual BasicShape* createInstance(std::string userName, std::string objectName) = 0;

protected:
    ~ShapeFactory() = default;  // factories live until the process ends
};
