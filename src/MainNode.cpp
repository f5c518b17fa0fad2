#include "MainNode.h"

#include "CubeBatch.h"

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
    batch = nullptr;
}

MainNode* sceneRootOf(osg::Node* node)
{
    return node != nullptr && node->getNumParents() > 0 ? dynamic_cast<MainNode*>(node->getParent(0)) : nullptr;
}

CubeBatch& MainNode::cubeBatch()
{
    if (!batch.valid()) {
        batch = new CubeBatch();
        addChild(batch.get());
    }
    return *batch;
}

void MainNode::UpdateCallback::operator()(osg::Node* node, osg::NodeVisitor* visitor)
{
    auto* root = dynamic_cast<MainNode*>(node);
    if (root == nullptr) {
        traverse(node, visitor);
        return;
    }
    // Children change only here, in the main thread's update traversal,
    // before they are traversed: a node queued earlier is updated this frame.
    std::pair<osg::ref_ptr<osg::Node>, bool> element;
    while (root->pending.get(element)) {
        if (element.second)
            root->addChild(element.first.get());
        else
            root->removeChild(element.first.get());
    }
    // By index: a redraw may add the cube batch while the children are visited.
    for (unsigned int i = 0; i < root->getNumChildren(); ++i)
        root->getChild(i)->accept(*visitor);
}
