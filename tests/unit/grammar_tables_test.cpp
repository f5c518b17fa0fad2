// The parse tables that bison builds from the command grammar: the raw reads
// and the resolution of the grammar's ambiguities depend on them.

#include <gtest/gtest.h>

#include <fstream>
#include <cstdio>
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
    std::istringstream lines(report);
    std::string line;
    bool inGrammar = false;
    while (std::getline(lines, line)) {
        if (line == "Grammar") inGrammar = true;
        if (line.rfind("Terminals", 0) == 0) inGrammar = false;
        int number = 0, count = 0, second = 0;
        char kind[32] = {0}, secondKind[32] = {0};
        if (line.rfind("State ", 0) == 0) {
            const int fields =
                std::sscanf(line.c_str(), "State %d conflicts: %d %31[a-z/], %d %31[a-z/]", &number, &count, kind,
                            &second, secondKind);
            if (fields == 1 && line == "State " + std::to_string(number)) ++states;
            if (fields >= 3) (std::string(kind) == "shift/reduce" ? shiftReduce : reduceReduce) += count;
            if (fields == 5) (std::string(secondKind) == "shift/reduce" ? shiftReduce : reduceReduce) += second;
        }
        if (inGrammar && std::sscanf(line.c_str(), " %d ", &number) == 1) lastRule = number;
    }
    EXPECT_EQ(states, 120);
    EXPECT_EQ(lastRule + 1, 85);  // bison counts its accepting rule as rule 0
    EXPECT_EQ(shiftReduce, 5);
    EXPECT_EQ(reduceReduce, 4);
}

}  // namespace
