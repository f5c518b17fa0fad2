#include "MainNode.h"

MainNode::MainNode() { setUpdateCallback(new UpdateCallback()); }

MainNode::~MainNode()
{
    setUpdateCallback(nullptr);
    clear();
}

void MainNode::addElement(osg::Node* node) { pending.add({osg::ref_ptr<osg::Node>(node), true}); }

void MainNode::removeElement(osg::Node* node) { pending.add({osg::ref_ptr<osg::Node>(node), false}); }

void MainNode::clear()
{
    std::pair<osg::ref_ptr<osg::Node>, bool> discarded;
    while (pending.get(discarded)) {
    }
    removeChildren(0, getNumChildren());
}

void MainNode::UpdateCallback::operator()(osg::Node* node, osg::NodeVisitor* visitor)
{
    // Children change only here, in the main thread's update traversal,
    // before they are traversed: a node queued earlier is updated this frame.
    if (auto* root = dynamic_cast<MainNode*>(node)) {
        std::pair<osg::ref_ptr<osg::Node>, bool> element;
        while (root->pending.get(element)) {
            if (element.second)
                root->addChild(element.first.get());
            else
                root->removeChild(element.first.get());
        }
    }
    traverse(node, visitor);
}
