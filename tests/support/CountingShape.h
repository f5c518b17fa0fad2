#pragma once
// A shape without a drawable that counts how often it is marked dirty.
// Made with a user, object and type word it binds itself to that object's
// parameters (creating those missing), as a real shape does.

#include "BasicShape.h"
#include "FullName.h"

#include <OpenThreads/ScopedLock>
#include <atomic>
#include <string>

class CountingShape : public BasicShape {
public:
    CountingShape() = default;
    CountingShape(const std::string& userName, const std::string& objectName, const std::string& typeWord)
        : typeWord(typeWord)
    {
        createMapping(userName, objectName, typeWord, this);
        setName(fullName(userName, objectName));
    }

    void dirty() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        dirtyFlag = true;
        ++marks;
    }
    osg::Geode* getParent() override { return nullptr; }
    osg::Drawable* asDrawable() override { return nullptr; }
    std::string getType() override { return typeWord; }
    void update() override
    {
        OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
        dirtyFlag = false;
    }

    std::atomic<int> marks{0};

private:
    std::string typeWord = "counting";
};
