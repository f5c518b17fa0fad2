#include "lex.h"

#include "Config.h"
#include "TextArena.h"
#include "parser.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

std::string textblock;
char blockchar = ';';
long bufferSize = 0;

namespace {

constexpr int endOfText = -1;

// The text being parsed and the read position. Reading past the end keeps
// reporting the end; only the character just read can be put back.
std::string text;
std::size_t position = 0;
int senteof = 0;
BlockStatus blockStatus = BLOCK_COMPLETE;
TextArena texts;

int readChar()
{
    if (position >= text.size()) {
        position = text.size() + 1;  // put back after the end stays at the end
        return endOfText;
    }
    return static_cast<unsigned char>(text[position++]);
}

void putBack()
{
    if (position > 0) --position;
}

bool isBlank(int c) { return c == ' ' || c == '\t'; }

// Characters that form a token of their own.
bool isSingleCharToken(int c)
{
    switch (c) {
    case '"': case '\'': case '`': case '#': case ',': case '-': case ';': case '=': case '{': case '}':
        return true;
    default:
        return false;
    }
}

// Characters that end a word (a ',' does not).
bool endsWord(int c)
{
    switch (c) {
    case ' ': case '\t': case '\n': case '"': case '\'': case '`': case '#': case '-': case ';': case '=':
    case '{': case '}':
        return true;
    default:
        return false;
    }
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsIgnoringCase(const std::string& word, const char* keyword, std::size_t length)
{
    if (word.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (upperAscii(word[i]) != upperAscii(keyword[i])) return false;
    }
    return true;
}

struct Keyword {
    const char* text;
    std::size_t length;
    int token;
};

#define KEYWORD(text, token) {text, sizeof(text) - 1, token}
const Keyword keywords[] = {
    KEYWORD("point", POINT),       KEYWORD("TRIANGLE", TRIANGLE),   KEYWORD("QUAD", QUAD),
    KEYWORD("RECTANGLE", RECTANGLE), KEYWORD("SQUARE", SQUARE),     KEYWORD("CIRCLE", CIRCLE),
    KEYWORD("OVAL", OVAL),         KEYWORD("LINE", LINE),           KEYWORD("VIDEO", VIDEO),
    KEYWORD("TEXT", TEXT),         KEYWORD("CUBE", CUBE),           KEYWORD("CAPSULE", CAPSULE),
    KEYWORD("SPHERE", SPHERE),     KEYWORD("CONE", CONE),           KEYWORD("CYLINDER", CYLINDER),
    KEYWORD("MODEL", MODEL),       KEYWORD("VAR", VAR),             KEYWORD("DELETE", DELETE),
    KEYWORD("ALL", ALL),           KEYWORD("login", LOGIN),         KEYWORD("CAMERA", CAMERA),
    KEYWORD("EVENT", EVENT),       KEYWORD("AT", AT),               KEYWORD("IN", IN),
    KEYWORD("OVER", OVER),         KEYWORD("PRINT", PRINT),         KEYWORD("SCREENSHOT", SCREENSHOT),
    KEYWORD("LIGHT", LIGHT),       KEYWORD("PARNAME", PARNAME),     KEYWORD("VARPARAM", VARPARAM),
    KEYWORD("VARPARAMS", VARPARAMS), KEYWORD("SPEED", SPEED),       KEYWORD("PLAY", PLAY),
    KEYWORD("RESET", RESET),       KEYWORD("STOP", STOP),           KEYWORD("PAUSE", PAUSE),
    KEYWORD("TIME", TIME),         KEYWORD("ADD", ADD),             KEYWORD("SCHED", SCHED),
    KEYWORD("SCHEDULER", SCHED),
};
#undef KEYWORD

int keywordToken(const std::string& word)
{
    for (const Keyword& keyword : keywords) {
        if (equalsIgnoringCase(word, keyword.text, keyword.length)) return keyword.token;
    }
    return 0;
}

// NUMBER: digits with at most one '.'; DOTTED: a second '.' before any
// other character; WORD: anything else.
int classifyWord(const std::string& word)
{
    bool seenDot = false;
    for (char c : word) {
        if (c == '.') {
            if (seenDot) return DOTTED;
            seenDot = true;
        } else if (c < '0' || c > '9') {
            return WORD;
        }
    }
    return NUMBER;
}

// The whole-number part of the setting, kept within a long.
long limitFromSetting(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<long>::max())) return std::numeric_limits<long>::max();
    if (value <= static_cast<double>(std::numeric_limits<long>::min())) return std::numeric_limits<long>::min();
    return static_cast<long>(value);
}

}  // namespace

void initLex()
{
    // Read again only when the setting's text changed: this runs for every message.
    static std::string lastSetting;
    static bool read = false;
    const std::string setting = Config::getInstance()->get("BufferSize");
    if (!read || setting != lastSetting) {
        bufferSize = limitFromSetting(stringToDouble(setting));
        lastSetting = setting;
        read = true;
    }
}

void loadLexText(const char* newText)
{
    text.assign(newText ? newText : "");
    position = 0;
    senteof = 0;
    texts.clear();
}

char* savestr(const char* word)
{
    return texts.copy(word, std::strlen(word));
}

std::size_t lexTextCapacity() { return texts.capacity(); }

int getword()
{
    int c = readChar();
    if (isBlank(c)) {
        do {
            c = readChar();
        } while (isBlank(c));
        putBack();
        textblock.assign(1, ' ');
        return 1;
    }
    if (isSingleCharToken(c)) {
        textblock.assign(1, static_cast<char>(c));
        return 1;
    }
    if (c == endOfText) {
        if (senteof) {
            senteof = 0;
            return 0;
        }
        senteof = 1;
        return -1;
    }
    if (c == '\n') return -1;

    const std::size_t start = position - 1;
    do {
        c = readChar();
    } while (c != endOfText && !endsWord(c));
    putBack();
    textblock.assign(text, start, position - start);
    return 1;
}

int yylex()
{
    const int got = getword();
    if (got == -1) return EOL;
    if (got == 0) return 0;

    if (textblock.size() == 1) {
        switch (textblock[0]) {
        case '-': return DASH;
        case '=': return EQUALS;
        case ' ': return SPACE;
        case ';': return SEMICOLON;
        case '"': return DQUOTE;
        case '\'': return SQUOTE;
        case '`': return BACKQUOTE;
        default: break;
        }
    }
    if (const int keyword = keywordToken(textblock)) return keyword;

    yylval = texts.copy(textblock.data(), textblock.size());
    return classifyWord(textblock);
}

char* getblock()
{
    textblock.clear();
    // The count starts at 1 and is compared as an unsigned 32-bit number,
    // so a negative limit sets no practical bound.
    const uint32_t limit = static_cast<uint32_t>(bufferSize);
    uint32_t count = 1;
    const bool toSemicolon = blockchar == ';';
    for (;;) {
        const int c = readChar();
        if (c == static_cast<unsigned char>(blockchar)) {
            blockStatus = BLOCK_COMPLETE;
            break;
        }
        if (c == endOfText || c == '\n') {
            blockStatus = toSemicolon ? BLOCK_COMPLETE : BLOCK_UNCLOSED;
            break;
        }
        if (count >= limit) {
            // An unquoted block that goes on past the limit is refused whole
            // rather than cut: the rest would otherwise run as statements.
            blockStatus = toSemicolon ? BLOCK_TOO_LONG : BLOCK_UNCLOSED;
            break;
        }
        textblock.push_back(static_cast<char>(c));
        ++count;
    }
    char* block = nullptr;
    if (blockStatus == BLOCK_COMPLETE) block = texts.copy(textblock.data(), textblock.size());
    textblock.clear();
    return block;
}

char* GetSchedString()
{
    const int c = readChar();
    if (c == '\'' || c == '"') {
        blockchar = static_cast<char>(c);
    } else {
        if (c != endOfText) putBack();
        blockchar = ';';
    }
    return getblock();
}

BlockStatus lastBlockStatus() { return blockStatus; }

std::string ReplaceEscapeSequences(std::string label)
{
    if (label.find('\\') == std::string::npos)
        return label;
    std::string out;
    out.reserve(label.size());
    for (std::size_t i = 0; i < label.size(); ++i) {
        const char c = label[i];
        if (c != '\\' || i + 1 == label.size()) {
            out.push_back(c);
            continue;
        }
        const char next = label[++i];
        switch (next) {
        case '\\': out.push_back('\\'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        default:
            out.push_back('\\');
            out.push_back(next);
            break;
        }
    }
    return out;
}
