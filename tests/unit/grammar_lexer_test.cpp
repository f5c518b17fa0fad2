// The lexer of the command language: tokens, raw blocks and their limits.

#include "ParseLock.h"
#include "TextArena.h"
#include "lex.h"
#include "parser.hpp"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

struct Token {
    int code;
    std::string text;  // the word of NUMBER, WORD and DOTTED tokens
    bool operator==(const Token& other) const { return code == other.code && text == other.text; }
};

std::ostream& operator<<(std::ostream& out, const Token& token)
{
    return out << token.code << (token.text.empty() ? "" : " '" + token.text + "'");
}

bool carriesText(int code) { return code == NUMBER || code == WORD || code == DOTTED; }

// Every token of the text, through the end of input (0).
std::vector<Token> lexAll(const std::string& text)
{
    loadLexText(text.c_str());
    std::vector<Token> tokens;
    for (int i = 0; i < 10000; ++i) {
        const int code = yylex();
        tokens.push_back({code, carriesText(code) ? std::string(yylval) : std::string()});
        if (code == 0) break;
    }
    return tokens;
}

Token w(const char* text) { return {WORD, text}; }
Token n(const char* text) { return {NUMBER, text}; }
Token t(int code) { return {code, ""}; }

class GrammarLexer : public ::testing::Test {
protected:
    void SetUp() override { bufferSize = 1400; }

    // The lexer's state is process-wide: hold the parse lock as a parse does,
    // in case the dispatcher's command thread is still finishing a message.
    std::unique_lock<std::recursive_mutex> parse{ParseLock::get()};
};

struct LexCase {
    const char* name;
    std::string text;
    std::vector<Token> tokens;
};

TEST_F(GrammarLexer, TokensOfTexts)
{
    const std::vector<LexCase> cases = {
        {"blank runs are one token", "  cube   box  size=2",
         {t(SPACE), t(CUBE), t(SPACE), w("box"), t(SPACE), w("size"), t(EQUALS), n("2"), t(EOL), t(0)}},
        {"tabs and blanks mix", " \t x", {t(SPACE), w("x"), t(EOL), t(0)}},
        {"keywords in any case", "Cube CUBE cUbE", {t(CUBE), t(SPACE), t(CUBE), t(SPACE), t(CUBE), t(EOL), t(0)}},
        {"lower-case keywords match upper case", "POINT Login",
         {t(POINT), t(SPACE), t(LOGIN), t(EOL), t(0)}},
        {"both scheduler spellings", "sched Scheduler", {t(SCHED), t(SPACE), t(SCHED), t(EOL), t(0)}},
        {"a keyword inside a word is a word", "cubes Main.time",
         {w("cubes"), t(SPACE), w("Main.time"), t(EOL), t(0)}},
        {"a sign is never part of a number", "x=-5", {w("x"), t(EQUALS), t(DASH), n("5"), t(EOL), t(0)}},
        {"numbers with a point anywhere", "5. .5 . 12.25",
         {n("5."), t(SPACE), n(".5"), t(SPACE), n("."), t(SPACE), n("12.25"), t(EOL), t(0)}},
        {"a second point before a letter gives dotted", "1.2.3 1.2.x ..",
         {{DOTTED, "1.2.3"}, t(SPACE), {DOTTED, "1.2.x"}, t(SPACE), {DOTTED, ".."}, t(EOL), t(0)}},
        {"other mixtures are words", "1.x.2 x1 a.b 1e5 0x10",
         {w("1.x.2"), t(SPACE), w("x1"), t(SPACE), w("a.b"), t(SPACE), w("1e5"), t(SPACE), w("0x10"), t(EOL),
          t(0)}},
        {"a comma inside a word belongs to it", "a,b", {w("a,b"), t(EOL), t(0)}},
        {"a leading comma stands alone", ",a", {w(","), w("a"), t(EOL), t(0)}},
        {"hash and braces split words", "box#1{x}",
         {w("box"), w("#"), n("1"), w("{"), w("x"), w("}"), t(EOL), t(0)}},
        {"quotes and back-quotes are tokens", "x='a' `", {w("x"), t(EQUALS), t(SQUOTE), w("a"), t(SQUOTE),
                                                          t(SPACE), t(BACKQUOTE), t(EOL), t(0)}},
        {"terminators", "a;b\nc", {w("a"), t(SEMICOLON), w("b"), t(EOL), w("c"), t(EOL), t(0)}},
        {"a carriage return is part of a word", "x=5\r", {w("x"), t(EQUALS), w("5\r"), t(EOL), t(0)}},
        {"the empty text", "", {t(EOL), t(0)}},
        {"the reserved words of no rule", "PARNAME varparam VarParams",
         {t(PARNAME), t(SPACE), t(VARPARAM), t(SPACE), t(VARPARAMS), t(EOL), t(0)}},
        {"bytes above 127 are word characters", "\xff\xe9x=1", {w("\xff\xe9x"), t(EQUALS), n("1"), t(EOL), t(0)}},
    };
    for (const LexCase& c : cases) {
        EXPECT_EQ(lexAll(c.text), c.tokens) << c.name;
    }
}

TEST_F(GrammarLexer, WordTextsSurviveLaterTokens)
{
    loadLexText("alpha beta");
    ASSERT_EQ(yylex(), WORD);
    const char* first = yylval;
    yylex();
    ASSERT_EQ(yylex(), WORD);
    EXPECT_STREQ(first, "alpha");
    EXPECT_STREQ(yylval, "beta");
}

TEST_F(GrammarLexer, TextsOfAParseAreReleasedByTheNext)
{
    // Every word token and block gets its own copy; loading the next text
    // gives them back, so a long-running viewer does not grow per message.
    std::string words;
    for (int i = 0; i < 5000; ++i) words += "w" + std::to_string(i) + " ";
    for (int round = 0; round < 3; ++round) {
        loadLexText(words.c_str());
        while (yylex() != 0) {
        }
        EXPECT_GT(lexTextCapacity(), words.size() / 2);
        loadLexText("x=1");
        while (yylex() != 0) {
        }
        EXPECT_LE(lexTextCapacity(), 4096u) << "round " << round;
    }
}

TEST_F(GrammarLexer, EndIsReportedAsLineEndThenEndOfInput)
{
    loadLexText("x");
    EXPECT_EQ(getword(), 1);
    EXPECT_EQ(getword(), -1);
    EXPECT_EQ(getword(), 0);
    // A new text starts with a fresh end state even after a parse that stopped early.
    loadLexText("y");
    EXPECT_EQ(getword(), 1);
    loadLexText("");
    EXPECT_EQ(getword(), -1);
    EXPECT_EQ(getword(), 0);
}

// A raw block read right after its opening token.
struct BlockCase {
    const char* name;
    std::string text;  // what follows the opening character
    char closing;
    bool complete;
    std::string block;
    std::string rest;  // tokens after the block, as one word (or "" for the end)
};

TEST_F(GrammarLexer, RawBlocks)
{
    const std::string max(1399, 'q');
    const std::vector<BlockCase> cases = {
        {"blanks and other quotes are kept", "hello 'w' `x`;\" rest", '"', true, "hello 'w' `x`;", " rest"},
        {"single quotes", "hello world'x", '\'', true, "hello world", "x"},
        {"back-quotes", "a*2+b`", '`', true, "a*2+b", ""},
        {"a quote never closed", "abc", '"', false, "", ""},
        {"a quote at the very end", "", '\'', false, "", ""},
        {"a line feed ends a quote", "ab\ncd'", '\'', false, "", ""},
        {"a quoted block at the limit", max + "\"", '"', true, max, ""},
        {"a quoted block past the limit", max + "q\"", '"', false, "", ""},
        {"an unquoted block runs to ';'", "cube a; print x", ';', true, "cube a", " print x"},
        {"an unquoted block runs to a line end", "cube a\nx", ';', true, "cube a", "x"},
        {"an unquoted block runs to the end", "cube a", ';', true, "cube a", ""},
        {"an unquoted block at the limit", max, ';', true, max, ""},
        {"an unquoted block at the limit before ';'", max + ";x", ';', true, max, "x"},
    };
    for (const BlockCase& c : cases) {
        loadLexText(c.text.c_str());
        blockchar = c.closing;
        const char* block = getblock();
        ASSERT_EQ(block != nullptr, c.complete) << c.name;
        if (!c.complete) {
            EXPECT_EQ(lastBlockStatus(), BLOCK_UNCLOSED) << c.name;
            continue;
        }
        EXPECT_EQ(block, c.block) << c.name;
        std::string rest;
        while (getword() == 1) rest += textblock;
        EXPECT_EQ(rest, c.rest) << c.name;
    }
}

TEST_F(GrammarLexer, UnquotedBlockPastTheLimitIsRefusedWhole)
{
    const std::string text(2000, 'c');
    loadLexText(text.c_str());
    blockchar = ';';
    EXPECT_EQ(getblock(), nullptr);
    EXPECT_EQ(lastBlockStatus(), BLOCK_TOO_LONG);
}

TEST_F(GrammarLexer, BlockLimitFollowsTheSetting)
{
    struct LimitCase {
        long limit;
        std::string text;
        bool complete;
    };
    const std::vector<LimitCase> cases = {
        {0, "\"", true},       // nothing admitted, but the closing quote still closes
        {1, "a\"", false},
        {3, "ab\"", true},
        {3, "abc\"", false},
        {-1, std::string(5000, 'x') + "\"", true},  // a negative limit sets no practical bound
    };
    for (const LimitCase& c : cases) {
        bufferSize = c.limit;
        loadLexText(c.text.c_str());
        blockchar = '"';
        EXPECT_EQ(getblock() != nullptr, c.complete) << "limit " << c.limit << " length " << c.text.size();
    }
}

TEST_F(GrammarLexer, TimedCommandText)
{
    struct SchedCase {
        std::string text;
        const char* command;  // null: no command
        char closing;
    };
    const std::vector<SchedCase> cases = {
        {"cube a; print x", "cube a", ';'},
        {"'cube a; print x'", "cube a; print x", '\''},
        {"\"cube a\"", "cube a", '"'},
        {"", "", ';'},
        {"'cube a", nullptr, '\''},
        {"\"cube a", nullptr, '"'},
    };
    for (const SchedCase& c : cases) {
        loadLexText(c.text.c_str());
        const char* command = GetSchedString();
        EXPECT_EQ(blockchar, c.closing) << c.text;
        if (c.command) {
            ASSERT_NE(command, nullptr) << c.text;
            EXPECT_STREQ(command, c.command) << c.text;
        } else {
            EXPECT_EQ(command, nullptr) << c.text;
        }
    }
}

TEST_F(GrammarLexer, EveryByteLexesToTheEnd)
{
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    const std::string text = all + all;
    const std::vector<Token> tokens = lexAll(text);
    ASSERT_FALSE(tokens.empty());
    EXPECT_EQ(tokens.back().code, 0);
    for (const char closing : {'"', '\'', '`', ';'}) {
        loadLexText(text.c_str());
        blockchar = closing;
        getblock();
        GetSchedString();
    }
}

TEST(GrammarTextArena, CopiesLiveUntilClearedAndClearingReleasesGrowth)
{
    TextArena arena;
    std::vector<char*> copies;
    for (int i = 0; i < 2000; ++i) {
        const std::string text = "word" + std::to_string(i);
        copies.push_back(arena.copy(text.data(), text.size()));
    }
    const std::string big(10000, 'b');
    char* bigCopy = arena.copy(big.data(), big.size());
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(copies[i], "word" + std::to_string(i));
    }
    EXPECT_EQ(bigCopy, big);
    arena.clear();
    EXPECT_LE(arena.capacity(), 4096u);
    EXPECT_STREQ(arena.copy("x", 1), "x");
}

TEST(GrammarEscapes, ReplaceEscapeSequences)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"plain", "plain"},
        {"a\\nb", "a\nb"},
        {"a\\tb", "a\tb"},
        {"a\\\\b", "a\\b"},
        {"\\\\n", "\\n"},    // the character after a backslash is consumed with it
        {"\\q", "\\q"},
        {"end\\", "end\\"},
        {"\\", "\\"},
        {"a\\\\\\nb", "a\\\nb"},  // a backslash pair, then a line feed
        {"\\t\\n\\\\", "\t\n\\"},
        {"caf\xc3\xa9\\n", "caf\xc3\xa9\n"},  // UTF-8 bytes pass as they are
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceEscapeSequences(c.first), c.second) << c.first;
    }
}

}  // namespace
