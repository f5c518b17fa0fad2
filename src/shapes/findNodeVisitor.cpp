#include "findNodeVisitor.h"

#include <osg/Node>

FindNodeVisitor::FindNodeVisitor() : FindNodeVisitor(std::string()) {}

FindNodeVisitor::FindNodeVisitor(const std::string& className)
    : osg::NodeVisitor(TRAVERSE_ALL_CHILDREN), nameToFind(className)
{
}

void FindNodeVisitor::apply(osg::Node& node)
{
    if (nameToFind == node.className())
        foundNodes.push_back(&node);
    traverse(node);
}

void FindNodeVisitor::setNameToFind(const std::string& className)
{
    nameToFind = className;
    foundNodes.clear();
}

osg::Node* FindNodeVisitor::getFirst() { return foundNodes.empty() ? nullptr : foundNodes.front(); }
