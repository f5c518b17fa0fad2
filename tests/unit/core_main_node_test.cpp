#include "MainNode.h"

#include <gtest/gtest.h>

#include <osg/Geode>
#include <osgUtil/UpdateVisitor>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// Counts how often the update traversal reaches the node it is set on.
class CountingCallback : public osg::NodeCallback {
public:
    void operator()(osg::Node* node, osg::NodeVisitor* visitor) override
    {
        ++calls;
        traverse(node, visitor);
    }
    int calls = 0;
};

void runUpdate(osg::Node* root)
{
    osgUtil::UpdateVisitor visitor;
    visitor.setTraversalNumber(1);
    root->accept(visitor);
}

TEST(CoreMainNode, QueuedChangesApplyInOrderAtUpdate)
{
    osg::ref_ptr<MainNode> root = new MainNode();
    osg::ref_ptr<osg::Geode> a = new osg::Geode();
    osg::ref_ptr<osg::Geode> b = new osg::Geode();
    osg::ref_ptr<osg::Geode> gone = new osg::Geode();
    osg::ref_ptr<osg::Geode> stranger = new osg::Geode();

    root->addElement(a.get());
    root->addElement(b.get());
    root->addElement(gone.get());
    root->removeElement(gone.get());
    root->removeElement(stranger.get());
    EXPECT_EQ(root->getNumChildren(), 0u);  // nothing changes before the update

    runUpdate(root.get());
    ASSERT_EQ(root->getNumChildren(), 2u);
    EXPECT_EQ(root->getChild(0), a.get());
    EXPECT_EQ(root->getChild(1), b.get());
}

TEST(CoreMainNode, NewChildIsUpdatedInTheSameFrame)
{
    osg::ref_ptr<MainNode> root = new MainNode();
    osg::ref_ptr<CountingCallback> counter = new CountingCallback();
    osg::Geode* geode = new osg::Geode();  // held only by the queue, then the root
    geode->setUpdateCallback(counter.get());
    root->addElement(geode);
    runUpdate(root.get());
    EXPECT_EQ(counter->calls, 1);
    runUpdate(root.get());
    EXPECT_EQ(counter->calls, 2);
}

TEST(CoreMainNode, InsertionsFromOtherThreadsAllArrive)
{
    osg::ref_ptr<MainNode> root = new MainNode();
    std::atomic<bool> done{false};
    std::vector<std::thread> producers;
    for (int t = 0; t < 3; ++t)
        producers.emplace_back([&root] {
            for (int i = 0; i < 500; ++i)
                root->addElement(new osg::Geode());
        });
    std::thread frames([&] {
        while (!done)
            runUpdate(root.get());
    });
    for (auto& producer : producers)
        producer.join();
    done = true;
    frames.join();
    runUpdate(root.get());
    EXPECT_EQ(root->getNumChildren(), 1500u);
}

}  // namespace
