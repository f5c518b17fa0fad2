#pragma once
// A shape as the viewer holds one: made by its type's factory, its drawable
// in a geode under a scene root, its parameters stored as commands store
// them, redrawn by update traversals.

#include "Config.h"
#include "MainNode.h"
#include "ShapeDefinitions.h"
#include "ShapeFactory.h"
#include "Variables.h"
#include "shapes_test_world.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Vec3f>
#include <string>

// How often the part stands in the text (readers add output of their own).
inline int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

inline void expectNearVec(const osg::Vec3f& actual, const osg::Vec3f& expected, float tolerance, const std::string& what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " component " << i;
}

// Sets a setting for the life of the object and then puts back the old value.
class ScopedSetting {
public:
    ScopedSetting(const std::string& key, const std::string& value)
        : key(key), saved(Config::getInstance()->get(key))
    {
        Config::getInstance()->add(key, value);
    }
    ~ScopedSetting() { Config::getInstance()->add(key, saved); }

private:
    std::string key;
    std::string saved;
};

template <typename Shape>
class PlacedObject {
public:
    explicit PlacedObject(const std::string& typeWord)
    {
        ensureShapeDefs();
        user = freshUser(typeWord);
        BasicShape* made = ShapeDefinitions::getInstance()->getFactory(typeWord)->createInstance(user, "s");
        keepForever(made);
        shape = dynamic_cast<Shape*>(made);
        EXPECT_NE(shape, nullptr) << typeWord;
        geode->addDrawable(made->asDrawable());
        root->addElement(geode.get());
        frames.at(0.0);  // the root takes the geode in
    }

    void number(const std::string& parameter, const std::string& text) { store(parameter, text, PARAM_NUMBER); }
    void string(const std::string& parameter, const std::string& text) { store(parameter, text, PARAM_STRING); }

    // One frame in which the shape redraws from its parameters.
    void redraw()
    {
        shape->dirty();
        frames.at(time += 0.1);
    }

    std::string user;
    Shape* shape = nullptr;
    osg::ref_ptr<MainNode> root = new MainNode();
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();

private:
    void store(const std::string& parameter, const std::string& text, ParamType kind)
    {
        Variables::getInstance()->add(nullptr, user + ":s." + parameter, text, kind);
    }

    UpdateFrames frames{root.get()};
    double time = 0.0;
};
