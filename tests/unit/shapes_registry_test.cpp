#include "ShapeDefinitions.h"
#include "ShapeFactory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each test uses type words of its own: the registry is process-wide.
class NullFactory : public ShapeFactory {
public:
    BasicShape* createInstance(std::string, std::string) override { return nullptr; }
};

ShapeDefinitions* registry() { return ShapeDefinitions::getInstance(); }

TEST(ShapesRegistry, FirstDefinitionOfAParameterWins)
{
    registry()->addDefinition("keepfirst", "x", "0.0", PARAM_NUMBER);
    registry()->addDefinition("keepfirst", "x", "5", PARAM_STRING);

    ParamDefinitions* rows = registry()->getDefinition("keepfirst");
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ(rows->at("x").first, "0.0");
    EXPECT_EQ(rows->at("x").second, PARAM_NUMBER);
}

TEST(ShapesRegistry, EntriesComeFromRowsOrFactoryAlone)
{
    NullFactory first, second;
    registry()->addFactory("factoryonly", &first);
    ASSERT_NE(registry()->getDefinition("factoryonly"), nullptr);
    EXPECT_TRUE(registry()->getDefinition("factoryonly")->empty());
    EXPECT_EQ(registry()->getFactory("factoryonly"), &first);

    registry()->addFactory("factoryonly", &second);  // a later factory replaces the first
    EXPECT_EQ(registry()->getFactory("factoryonly"), &second);

    registry()->addDefinition("rowsonly", "name", "rowsonly", PARAM_STRING);
    EXPECT_NE(registry()->getDefinition("rowsonly"), nullptr);
    EXPECT_EQ(registry()->getFactory("rowsonly"), nullptr);
}

TEST(ShapesRegistry, TypeWordsAreExactAndRowsWalkInByteOrder)
{
    registry()->addDefinition("ordered", "name", "ordered", PARAM_STRING);
    registry()->addDefinition("ordered", "x", "0.0", PARAM_NUMBER);
    registry()->addDefinition("ordered", "a", "1.0", PARAM_NUMBER);
    registry()->addDefinition("ordered", "B", "1.0", PARAM_NUMBER);

    EXPECT_EQ(registry()->getDefinition("Ordered"), nullptr);
    EXPECT_EQ(registry()->getFactory("Ordered"), nullptr);
    EXPECT_EQ(registry()->getDefinition("never registered"), nullptr);

    std::vector<std::string> walked;
    for (const auto& row : *registry()->getDefinition("ordered"))
        walked.push_back(row.first);
    EXPECT_EQ(walked, (std::vector<std::string>{"B", "a", "name", "x"}));
}

}  // namespace
