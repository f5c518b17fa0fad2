#include "findNodeVisitor.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osg/Geometry>
#include <osg/Group>
#include <osg/LightSource>

namespace {

TEST(ShapesNodeFinder, CollectsByClassNameInTraversalOrder)
{
    osg::ref_ptr<osg::Group> root = new osg::Group();
    osg::ref_ptr<osg::LightSource> first = new osg::LightSource();
    osg::ref_ptr<osg::Group> outer = new osg::Group();
    osg::ref_ptr<osg::Group> inner = new osg::Group();
    osg::ref_ptr<osg::LightSource> nested = new osg::LightSource();
    osg::ref_ptr<osg::LightSource> last = new osg::LightSource();
    osg::ref_ptr<osg::Group> impostor = new osg::Group();
    impostor->setName("LightSource");  // the node's own name does not count

    root->addChild(first.get());
    root->addChild(outer.get());
    outer->addChild(inner.get());
    inner->addChild(nested.get());
    root->addChild(impostor.get());
    root->addChild(last.get());
    outer->addChild(last.get());  // reached along two paths: found twice

    FindNodeVisitor finder("LightSource");
    root->accept(finder);
    EXPECT_EQ(finder.getNodeList(),
              (std::vector<osg::Node*>{first.get(), nested.get(), last.get(), last.get()}));
    EXPECT_EQ(finder.getFirst(), first.get());

    FindNodeVisitor none("Camera");
    root->accept(none);
    EXPECT_TRUE(none.getNodeList().empty());
    EXPECT_EQ(none.getFirst(), nullptr);
}

TEST(ShapesNodeFinder, VisitsDrawablesAndStartsAfreshOnANewName)
{
    osg::ref_ptr<osg::Group> root = new osg::Group();
    osg::ref_ptr<osg::Geode> geode = new osg::Geode();
    osg::ref_ptr<osg::Geometry> geometry = new osg::Geometry();
    geode->addDrawable(geometry.get());
    root->addChild(geode.get());

    FindNodeVisitor finder("Geode");
    root->accept(finder);
    EXPECT_EQ(finder.getNodeList(), (std::vector<osg::Node*>{geode.get()}));

    finder.setNameToFind("Geometry");
    EXPECT_TRUE(finder.getNodeList().empty());
    root->accept(finder);
    EXPECT_EQ(finder.getNodeList(), (std::vector<osg::Node*>{geometry.get()}));
}

}  // namespace
