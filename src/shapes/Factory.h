#pragma once
// The factory of one concrete shape class.

#include "ShapeFactory.h"

template <typename T>
class Factory : public ShapeFactory {
public:
    Factory() = default;
    BasicShape* createInstance(std::string userName, std::string objectName) override
    {
        return new T(userName, objectName);
    }
};
