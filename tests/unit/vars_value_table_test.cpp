// The value store's index: what it finds, and what its slots cost.

#include "StringType.h"
#include "ValueTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<StringType> value(const std::string& name) { return std::make_unique<StringType>(name, ""); }

TEST(VarsValueTable, GrowsByDoublingAndFindsEveryEntry)
{
    ValueTable table;
    std::vector<std::unique_ptr<StringType>> values;
    const std::size_t count = 300000;
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(value("u:v" + std::to_string(i)));
        table.add(values.back().get());
        const std::size_t entries = i + 1;
        // At most half the slots taken, and never more than four slots per entry.
        ASSERT_LE(2 * entries, table.slotCount()) << entries;
        ASSERT_LE(table.slotCount(), std::max<std::size_t>(32, 4 * entries)) << entries;
    }
    EXPECT_EQ(table.size(), count);
    for (std::size_t i = 0; i < count; i += 997) {
        Type* found = nullptr;
        ASSERT_TRUE(table.get("u:v" + std::to_string(i), found));
        EXPECT_EQ(found, values[i].get());
    }
    Type* untouched = values.front().get();
    EXPECT_FALSE(table.get("u:v" + std::to_string(count), untouched));
    EXPECT_EQ(untouched, values.front().get());
}

TEST(VarsValueTable, RemovedEntriesAreGoneAndTheirSlotsServeAgain)
{
    ValueTable table;
    std::vector<std::unique_ptr<StringType>> kept;
    for (int i = 0; i < 100; ++i) {
        kept.push_back(value("u:k" + std::to_string(i)));
        table.add(kept.back().get());
    }
    const std::size_t slots = table.slotCount();
    // Many names come and go; the table stays the size its lasting entries need.
    for (int round = 0; round < 50000; ++round) {
        auto passing = value("u:p" + std::to_string(round));
        table.add(passing.get());
        table.remove("u:p" + std::to_string(round));
        Type* found = nullptr;
        ASSERT_FALSE(table.get("u:p" + std::to_string(round), found));
    }
    EXPECT_LE(table.slotCount(), 2 * slots);
    for (const auto& entry : kept) {
        Type* found = nullptr;
        ASSERT_TRUE(table.get(entry->getName(), found));
        EXPECT_EQ(found, entry.get());
    }
    std::vector<Type*> all;
    table.values(all);
    EXPECT_EQ(all.size(), kept.size());
    EXPECT_EQ(table.size(), kept.size());
}

TEST(VarsValueTable, SpellingsDifferingInCaseAreFoundUnderEither)
{
    ValueTable table;
    auto lower = value("u:speed");
    auto mixed = value("u:Speed");
    table.add(lower.get());
    table.add(mixed.get());
    Type* found = nullptr;
    ASSERT_TRUE(table.get("u:Speed", found));
    EXPECT_EQ(found, mixed.get());  // an exact name is found as it is
    EXPECT_FALSE(table.get("u:SPEED", found));
    EXPECT_NE(table.findSpelling("u:SPEED", [](Type*) { return true; }), nullptr);
    EXPECT_EQ(table.findSpelling("u:SPEED", [&](Type* t) { return t == mixed.get(); }), mixed.get());
    EXPECT_EQ(table.findSpelling("u:speeds", [](Type*) { return true; }), nullptr);
}

}  // namespace
