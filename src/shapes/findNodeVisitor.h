#pragma once
// Collects, in traversal order, every node below the start node whose class
// name (className(), not the node's own name) equals the given one. A node
// reached along two paths is collected once per path.

#include <osg/NodeVisitor>
#include <string>
#include <vector>

class FindNodeVisitor : public osg::NodeVisitor {
public:
    FindNodeVisitor();
    explicit FindNodeVisitor(const std::string& className);
    ~FindNodeVisitor() override = default;

    void apply(osg::Node& node) override;

    // Sets the class name to look for and forgets what was found.
    void setNameToFind(const std::string& className);
    std::vector<osg::Node*>& getNodeList() { return foundNodes; }
    // The first node found; null when none was.
    osg::Node* getFirst();

private:
    std::string nameToFind;
    std::vector<osg::Node*> foundNodes;  // owned by the scene graph
};
