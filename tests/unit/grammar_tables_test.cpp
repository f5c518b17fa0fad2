// The parse tables that bison builds from the command grammar: the raw reads
// and the resolution of the grammar's ambiguities depend on them.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

TEST(GrammarTables, StatesRulesAndConflicts)
{
    std::ifstream in(ZOLVI_GRAMMAR_REPORT);
    ASSERT_TRUE(in) << "no report at " << ZOLVI_GRAMMAR_REPORT;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string report = buffer.str();

    int states = 0, shiftReduce = 0, reduceReduce = 0, lastRule = -1;
    const std::regex stateLine(R"(^State (\d+)$)");
    const std::regex conflictLine(R"(^State \d+ conflicts: (?:(\d+) shift/reduce)?(?:, )?(?:(\d+) reduce/reduce)?$)");
    const std::regex ruleLine(R"(^ +(\d+) )");
    std::istringstream lines(report);
    std::string line;
    bool inGrammar = false;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (line == "Grammar") inGrammar = true;
        if (line.rfind("Terminals", 0) == 0) inGrammar = false;
        if (std::regex_match(line, match, stateLine)) ++states;
        if (std::regex_match(line, match, conflictLine)) {
            if (match[1].matched) shiftReduce += std::stoi(match[1]);
            if (match[2].matched) reduceReduce += std::stoi(match[2]);
        }
        if (inGrammar && std::regex_search(line, match, ruleLine)) lastRule = std::stoi(match[1]);
    }
    EXPECT_EQ(states, 120);
    EXPECT_EQ(lastRule + 1, 85);  // bison counts its accepting rule as rule 0
    EXPECT_EQ(shiftReduce, 5);
    EXPECT_EQ(reduceReduce, 4);
}

}  // namespace
