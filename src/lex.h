#pragma once
// The lexer of the command language: cuts one command text into the
// grammar's tokens and reads raw blocks (quoted texts, back-quoted
// expressions, the command of a timed statement) straight from the text.
// Its state is process-wide; one parse runs at a time.

#include <cstddef>
#include <string>

// Why the last raw block ended.
enum BlockStatus {
    BLOCK_COMPLETE,  // closed by its character, or (for ';') by a line end or the end of the text
    BLOCK_UNCLOSED,  // a quote or back-quote not closed before a line end, the end or the limit
    BLOCK_TOO_LONG,  // a ';' block that reached the limit with more text to come
};

// The word or raw block being collected.
extern std::string textblock;
// The character that closes the raw block being read: '"', '\'', '`' or ';'.
extern char blockchar;
// The limit of a raw block (it holds at most bufferSize - 1 characters).
extern long bufferSize;

// Reads the limit from the setting BufferSize.
void initLex();
// Loads a new text (up to its zero byte), clears the end state and releases
// the texts handed out for the previous one.
void loadLexText(const char* text);

// The next token's code; word tokens first set yylval to a copy of the word.
int yylex();
// Collects the next word or one-character token in textblock: 1; a line
// feed or the first request after the end: -1; the second request: 0.
int getword();
// Reads a raw block up to blockchar; null when it fails (see lastBlockStatus).
char* getblock();
// Reads the command of a timed statement: quoted in ' or ", or up to ';'.
char* GetSchedString();
BlockStatus lastBlockStatus();

// A copy of the text that lives until the next text is loaded.
char* savestr(const char* text);
// Bytes held for the texts of the loaded text's tokens and blocks.
std::size_t lexTextCapacity();

// Replaces \\, \n and \t in a label; every other character stays.
std::string ReplaceEscapeSequences(std::string label);
