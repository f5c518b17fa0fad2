// The value store. This is the one translation unit that includes the
// expression library: its header is large and slow to compile.

#include "Variables.h"

#include "DependencyGraph.h"
#include "FullName.h"
#include "ScheduleType.h"
#include "SenderReport.h"
#include "StringType.h"
#include "VarType.h"

#include <OpenThreads/ScopedLock>
#include <exprtk.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>
#include <unordered_map>

namespace {

typedef exprtk::symbol_table<double> SymbolTable;
typedef exprtk::expression<double> Expression;
typedef exprtk::parser<double> Parser;
typedef exprtk::lexer::token Token;

// Replacer, joiner, numeric, bracket, sequence and commutative checks.
constexpr std::size_t compileOptions = 63;

// Loop iterations that one evaluation of an expression may run over all its
// loops: with k loops in the text each loop may run the k-th root of it, so
// nested loops stay within it too.
constexpr double loopBudget = 1e5;
// Vector elements that the vectors of one expression may hold together.
constexpr double vectorBudget = 1e5;
// Vector elements that all stored numbers may hold together: each keeps its
// vectors for as long as it keeps its expression.
constexpr double storedVectorBudget = 1e7;
// Loop iterations times vector elements: a loop over vector operations is
// held to this much work.
constexpr double workBudget = 1e8;

const std::string undefinedSymbol = "Undefined symbol";

// The store's messages go to the sender; on standard error they are marked as the store's.
void sendError(User* user, const std::string& message)
{
    reportToSender(user, message, "Variable add error: ");
}

// Ends a loop at its bound and notes that it did; the evaluation then goes
// on without an exception.
class LoopBound : public exprtk::loop_runtime_check {
public:
    LoopBound(std::uint64_t limit, bool& violated) : violated(violated)
    {
        loop_set = e_all_loops;
        max_loop_iterations = limit;
    }

    void handle_runtime_violation(const violation_context&) override { violated = true; }

private:
    bool& violated;
};

bool isKeyword(const Token& token, const char* word)
{
    return token.type == Token::e_symbol && exprtk::details::imatch(token.value, std::string(word));
}

bool digitsAt(const std::string& text, std::size_t& at)
{
    const std::size_t start = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
        ++at;
    return at > start;
}

// The value of a text that is one plain decimal number, optionally negated
// (1, -2.5, 3e4), read as the expression library reads a number token and
// negated as it negates a literal; false for anything else, which is then
// compiled. A literal needs no compiled expression.
bool literalValue(const std::string& text, double& value)
{
    std::size_t at = text.empty() || text[0] != '-' ? 0 : 1;
    const std::size_t start = at;
    if (!digitsAt(text, at))
        return false;
    if (at < text.size() && text[at] == '.' && !digitsAt(text, ++at))
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (!digitsAt(text, at))
            return false;
    }
    double read = 0;
    if (at != text.size() || !exprtk::details::string_to_real(text.substr(start), read) || !std::isfinite(read))
        return false;
    value = start == 0 ? read : -read;
    return true;
}

// Unbinds the names that one parse found, at its end, after the expression
// that read them is gone.
struct Unbind {
    SymbolTable& names;
    ~Unbind() { names.clear_variables(); }
};

// Lends the parser a resolver of unknown names for one compilation; the
// parser lets go of it however the compilation ends.
struct ResolverInUse {
    ResolverInUse(Parser& parser, Parser::unknown_symbol_resolver* resolver) : parser(parser)
    {
        parser.enable_unknown_symbol_resolver(resolver);
    }
    ~ResolverInUse() { parser.disable_unknown_symbol_resolver(); }
    Parser& parser;
};

// Whether a name qualified with the owner's prefix reads as one name: the
// owner starts with a letter and holds only letters, digits and '_', and,
// when asked, the points and colons that a name may also hold.
bool prefixReadsAsName(std::string_view owner, bool pointsAndColons)
{
    return !owner.empty() && std::isalpha(static_cast<unsigned char>(owner[0])) &&
           std::all_of(owner.begin(), owner.end(), [&](char ch) {
               return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' ||
                      (pointsAndColons && (ch == '.' || ch == ':'));
           });
}

// Puts the owner's prefix before the bare name at the position. After a
// digit or a point a blank goes first, where an owner's name starting with
// an 'e' would otherwise read as the number's exponent ("2 e0:y" for "2y").
void insertPrefix(std::string& text, std::size_t position, const std::string& prefix)
{
    const bool afterANumber =
        position > 0 && (std::isdigit(static_cast<unsigned char>(text[position - 1])) || text[position - 1] == '.');
    const bool exponentLike = !prefix.empty() && (prefix[0] == 'e' || prefix[0] == 'E');
    text.insert(position, afterANumber && exponentLike ? " " + prefix : prefix);
}

// The characters that the compilations of one expression's passes may read
// in all, so that qualifying a long text with many names stays bounded.
std::size_t passBudget(std::size_t textSize) { return std::max<std::size_t>(std::size_t(1) << 20, 64 * textSize); }

// Qualifies the names of an expression within one compilation. The parser
// hands over each name that it cannot resolve, where it meets it: a full
// name ("user1:y") goes to the resolve function, which binds it; a bare one
// ("y") is read from there on as the owner's ("user0:y"), its position kept
// for the text, and that full name goes to the resolve function in turn
// unless it is bound already. Every other occurrence of a bare name comes
// back here, as it stays unknown. This decides what a compilation per name
// found would, with the owner's prefix put before each bare name; the number
// of such compilations is counted, as the caller bounds it.
class NameQualifier : public Parser::unknown_symbol_resolver {
public:
    enum Outcome { bound, refused, undecided };
    typedef std::function<Outcome(const std::string& fullName)> Resolve;

    NameQualifier(Parser& parser, std::string_view owner, std::size_t textSize, Resolve resolve)
        : unknown_symbol_resolver(e_usrmode_extended), parser(parser), prefix(userPrefix(owner)), ownerless(owner.empty()),
          textSize(textSize), resolve(std::move(resolve))
    {
    }

    bool process(const std::string& name, SymbolTable& table, std::string&) override
    {
        if (stopped)
            return false;
        if (namesUser(name))
            return found(name);
        // A position met twice would mean the text is read again: left to
        // the compilations per name, as are bare names without an owner.
        const std::size_t position = parser.current_token().position;
        if (ownerless || position >= textSize || !positions.insert(position).second) {
            stop(undecided);
            return false;
        }
        ++count;
        const std::string fullName = prefix + name;
        // The parser reads the symbol again from its current token, a member
        // of its own, once this returns.
        const_cast<Token&>(parser.current_token()).value = fullName;
        return table.get_variable(fullName) != nullptr || found(fullName);
    }

    bool isUndecided() const { return outcome == undecided; }
    // The compilations that one per name found would have failed.
    std::size_t passes() const { return count; }

    // Puts the owner's prefix before every bare name met.
    void qualify(std::string& text) const
    {
        for (auto position = positions.rbegin(); position != positions.rend(); ++position)
            insertPrefix(text, *position, prefix);
    }

private:
    bool found(const std::string& fullName)
    {
        ++count;
        const Outcome resolved = resolve(fullName);
        if (resolved != bound)
            stop(resolved);
        return resolved == bound;
    }
    void stop(Outcome why)
    {
        stopped = true;
        outcome = why;
    }

    Parser& parser;
    const std::string prefix;
    const bool ownerless;
    const std::size_t textSize;
    Resolve resolve;
    std::set<std::size_t> positions;
    std::size_t count = 0;
    bool stopped = false;
    Outcome outcome = bound;
};

}  // namespace

struct CompiledExpression {
    explicit CompiledExpression(const Expression& compiled) : expression(compiled) {}
    Expression expression;  // shares the compiled tree with the store's expression
};

void destroyCompiledExpression(CompiledExpression* compiled)
{
    delete compiled;
}

struct ExpressionLimits {
    std::size_t symbols = 0;       // symbol tokens in the text
    std::uint64_t loopLimit = 1;   // iterations allowed to each run of a loop
    double elements = 0;           // vector elements that its vectors hold
};

struct ExpressionEngine {
    ExpressionEngine() : parser(Parser::settings_t(compileOptions))
    {
        constants.add_constants();
        symbolTable.add_constants();
        startValues();
    }

    // No number, an empty expression and graph. The parser and the symbol
    // tables, costly to make, and the loop bounds, which compiled
    // expressions point to, stay.
    void startValues()
    {
        // The expression's tree goes before the numbers it reads. One that
        // nothing was compiled into since is as a new one.
        if (compiledInto) {
            expression = Expression();
            // Once: every registration appends another copy to the expression.
            expression.register_symbol_table(symbolTable);
            compiledInto = false;
        }
        unbindNumbers();
        graph.linksChanged();
        shapes.clear();
        vectorElements.clear();
        storedVectorElements = 0;
    }

    // Unbinds every number and keeps the constants: bound again, each
    // constant would leave one more copy of its value in the table.
    void unbindNumbers()
    {
        if (symbolTable.variable_count() == constantCount)
            return;
        std::vector<std::string> names;
        symbolTable.get_variable_list(names);
        for (const std::string& name : names)
            if (!symbolTable.is_constant_node(name))
                symbolTable.remove_variable(name);
    }

    exprtk::loop_runtime_check& loopBoundFor(std::uint64_t limit)
    {
        std::unique_ptr<LoopBound>& bound = loopBounds[limit];
        if (!bound)
            bound.reset(new LoopBound(limit, loopViolated));
        return *bound;
    }

    static constexpr std::size_t constantCount = 3;  // pi, epsilon and inf
    SymbolTable symbolTable;  // the constants, and every number under its full name
    SymbolTable constants;    // pi, epsilon and inf alone
    SymbolTable foundNames;   // the names that one parse has found, while it runs
    double placeholder = 0.0; // what a found name of a string or schedule reads there
    Parser parser;
    Expression expression;    // compiled into by every store
    bool compiledInto = true; // since the last start: not yet set up at first
    DependencyGraph graph;

    // Compiled expressions keep pointers to their loop bound: never freed.
    std::map<std::uint64_t, std::unique_ptr<LoopBound>> loopBounds;
    bool loopViolated = false;

    // The shapes to hand over after one evaluation.
    std::vector<BasicShape*> shapes;

    // Vector elements held by each number's compiled expression, and in all.
    std::unordered_map<const VarType*, double> vectorElements;
    double storedVectorElements = 0;

    double vectorsHeldBy(const VarType* number) const
    {
        auto held = vectorElements.find(number);
        return held == vectorElements.end() ? 0.0 : held->second;
    }

    void setVectorsHeld(const VarType* number, double elements)
    {
        if (elements <= 0 && vectorElements.empty())
            return;
        storedVectorElements += elements - vectorsHeldBy(number);
        if (elements > 0)
            vectorElements[number] = elements;
        else
            vectorElements.erase(number);
    }
};

Variables* Variables::instance = nullptr;

Variables* Variables::getInstance()
{
    // Made once, whichever thread comes first.
    static Variables* const created = instance = new Variables();
    return created;
}

Variables::Variables() : vars(new ValueTable()), engine(new ExpressionEngine()) {}

Variables::~Variables() = default;

bool Variables::get(std::string fullName, Type*& out)
{
    return vars->get(fullName, out);
}

bool Variables::exists(std::string fullName)
{
    Type* value = nullptr;
    return vars->get(fullName, value);
}

void Variables::add(User* user, std::string fullName, std::string text, ParamType kind)
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    try {
        switch (kind) {
        case PARAM_STRING:
            addString(fullName, std::move(text));
            break;
        case PARAM_SCHEDULE:
            addSchedule(fullName, std::move(text));
            break;
        case PARAM_NUMBER:
        case PARAM_EXPRESSION:
            addNumber(user, fullName, std::move(text), kind);
            break;
        default:
            sendError(user, "Error: unknown kind of value for " + fullName);
            break;
        }
    } catch (const std::exception& error) {
        sendError(user, std::string("Error: ") + error.what());
    }
}

bool Variables::evaluate(User* user, std::string ownerName, std::string text, double& value)
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    try {
        ExpressionLimits limits;
        if (!screen(user, text, limits))
            return false;
        // The owner's prefix stands in for a full name: it names no value.
        std::set<std::string> usedNames;
        if (!parse(user, userPrefix(ownerName), text, usedNames, 2 * limits.symbols + 2))
            return false;
        Expression expression;
        expression.register_symbol_table(engine->symbolTable);
        engine->parser.register_loop_runtime_check(engine->loopBoundFor(limits.loopLimit));
        bindNamesIn(text);
        if (!engine->parser.compile(text, expression)) {
            sendError(user, engine->parser.error());
            return false;
        }
        std::lock_guard<LeafLock> guard(Type::contentLock());
        engine->loopViolated = false;
        value = expression.value();
        if (engine->loopViolated) {
            sendError(user, "Error: Loop iteration limit exceeded in " + text);
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        sendError(user, std::string("Error: ") + error.what());
        return false;
    }
}

void Variables::addString(const std::string& fullName, std::string text)
{
    Type* existing = nullptr;
    if (!vars->get(fullName, existing)) {
        insert(new StringType(fullName, std::move(text)));
        return;
    }
    if (StringType* string = existing->asStringType())
        string->setString(std::move(text));
    else
        std::cerr << "Error: can not convert an expression to a string\n";
}

void Variables::addSchedule(const std::string& fullName, std::string text)
{
    Type* existing = nullptr;
    if (!vars->get(fullName, existing)) {
        insert(new ScheduleType(fullName, std::move(text)));
        return;
    }
    if (ScheduleType* schedule = existing->asScheduleType())
        schedule->add(std::move(text));
    else
        std::cerr << "Error: incorrect type already exists\n";
}

void Variables::addNumber(User* user, const std::string& fullName, std::string text, ParamType kind)
{
    // Loops, vectors and strings all need letters or quotes: plain numbers,
    // as the clock stores every frame, need no screening.
    ExpressionLimits limits;
    const bool plain = std::none_of(text.begin(), text.end(), [](char ch) {
        return std::isalpha(static_cast<unsigned char>(ch)) || ch == '\'' || ch == '"';
    });
    if (!plain && !screen(user, text, limits))
        return;
    if (limits.elements > 0) {
        const double others = engine->storedVectorElements - engine->vectorsHeldBy(numberNamed(fullName));
        if (others + limits.elements > storedVectorBudget) {
            sendError(user, "Error: vectors in expression too large");
            return;
        }
    }

    // A literal is neither qualified nor compiled: it is its value.
    double literal = 0;
    const bool isLiteral = literalValue(text, literal);

    std::set<std::string> usedNames;
    if (kind == PARAM_EXPRESSION && !isLiteral && !parse(user, fullName, text, usedNames, 2 * limits.symbols + 2))
        return;
    // Link to the numbers that the symbol table actually reads: names that
    // differ only in case read the number bound first.
    std::set<std::string> links;
    for (const std::string& name : usedNames)
        links.insert(boundName(name));

    Type* existing = nullptr;
    VarType* number = nullptr;
    if (vars->get(fullName, existing)) {
        auto lookup = [this](const std::string& name) { return numberNamed(name); };
        if (DependencyGraph::reaches(links, fullName, lookup)) {
            sendError(user, "Error: Loop created with expression");
            return;
        }
        number = existing->asVarType();
        if (number == nullptr) {
            std::cerr << "Error: incorrect type already exists\n";
            return;
        }
        // A text that does not compile leaves the number as it was.
        if (!isLiteral && !compile(user, text, limits))
            return;
        number->setString(text);
        unlink(number);
    } else {
        number = new VarType(fullName, text);
        // Its name is bound in the symbol table once an expression names it.
        number->holdsSymbol = symbolHolder(fullName) == nullptr;
        insert(number);
        // A new number whose text does not compile stays, holding 0.
        if (!isLiteral && !compile(user, text, limits))
            return;
    }

    if (isLiteral) {
        if (number->linkSets) {
            destroyCompiledExpression(number->linkSets->compiledExpression);
            number->linkSets->compiledExpression = nullptr;
        }
    } else if (number->compiled() == nullptr) {
        number->links().compiledExpression = new CompiledExpression(engine->expression);
    } else {
        number->compiled()->expression = engine->expression;
    }
    engine->setVectorsHeld(number, limits.elements);
    link(number, links);
    evaluateFrom(user, number, isLiteral ? &literal : nullptr);
}

void Variables::insert(Type* value) { vars->add(value); }

bool Variables::screen(User* user, const std::string& text, ExpressionLimits& limits)
{
    exprtk::lexer::generator lexer;
    if (!lexer.process(text))
        return true;  // the compilation reports what the lexer cannot read

    std::size_t loops = 0;
    for (std::size_t i = 0; i < lexer.size(); ++i) {
        const Token& token = lexer[i];
        if (token.type == Token::e_string) {
            // String operations can double a string's length at each step.
            sendError(user, "Error: strings are not allowed in expressions");
            return false;
        }
        if (token.type == Token::e_symbol)
            ++limits.symbols;
        if (isKeyword(token, "for") || isKeyword(token, "while") || isKeyword(token, "repeat"))
            ++loops;
    }
    const double perLoop = std::pow(loopBudget, 1.0 / static_cast<double>(std::max<std::size_t>(loops, 1)));
    limits.loopLimit = static_cast<std::uint64_t>(std::max(1.0, std::floor(perLoop + 1e-9)));

    // Vector definitions, var name[size]: the library allocates them while
    // compiling, so their sizes are checked before any compilation.
    double elements = 0;
    for (std::size_t i = 0; i + 3 < lexer.size(); ++i) {
        if (!isKeyword(lexer[i], "var") || lexer[i + 1].type != Token::e_symbol ||
            lexer[i + 2].type != Token::e_lsqrbracket)
            continue;
        std::size_t close = i + 3;
        for (int depth = 1; close < lexer.size(); ++close) {
            if (lexer[close].type == Token::e_lsqrbracket)
                ++depth;
            else if (lexer[close].type == Token::e_rsqrbracket && --depth == 0)
                break;
        }
        if (close >= lexer.size())
            continue;  // unclosed: the compilation fails
        // A size that defines variables is no constant, and evaluating it
        // here would fill the vectors it defines: the compilation refuses
        // it, and the vectors inside it are counted on their own.
        bool definesVariables = false;
        for (std::size_t inner = i + 3; inner < close && !definesVariables; ++inner)
            definesVariables = isKeyword(lexer[inner], "var");
        if (definesVariables)
            continue;
        const std::size_t from = lexer[i + 3].position;
        const std::string sizeText = text.substr(from, lexer[close].position - from);
        Expression size;
        size.register_symbol_table(engine->constants);
        engine->parser.register_loop_runtime_check(engine->loopBoundFor(limits.loopLimit));
        if (!engine->parser.compile(sizeText, size))
            continue;  // not a constant: the compilation refuses it
        const double count = size.value();
        elements += std::isnan(count) ? std::numeric_limits<double>::infinity() : std::max(count, 0.0);
    }
    if (elements > vectorBudget) {
        sendError(user, "Error: vectors in expression too large");
        return false;
    }
    limits.elements = elements;
    if (elements > 1.0 && loops > 0) {
        const double budget = std::min(loopBudget, workBudget / elements);
        const double perLoopWithVectors = std::pow(budget, 1.0 / static_cast<double>(loops));
        limits.loopLimit = static_cast<std::uint64_t>(std::max(1.0, std::floor(perLoopWithVectors + 1e-9)));
    }
    return true;
}

bool Variables::parse(User* user, std::string fullName, std::string& text, std::set<std::string>& usedNames,
                      std::size_t maxPasses)
{
    if (text.empty()) {
        sendError(user, "Expression empty");
        return false;
    }
    const std::string_view owner = userPart(fullName);
    // Only a plain owner name is sure to read as one name with the name
    // after it.
    if (!owner.empty() && !prefixReadsAsName(owner, false))
        return parseByPasses(user, fullName, text, usedNames, maxPasses);

    Unbind unbind{engine->foundNames};
    Expression localExpression;
    localExpression.register_symbol_table(engine->foundNames);
    localExpression.register_symbol_table(engine->constants);
    Parser& parser = engine->parser;

    std::string refusal;
    std::set<std::string> found;
    NameQualifier qualifier(parser, owner, text.size(), [&](const std::string& name) {
        refusal = refusalOf(fullName, name);
        if (!refusal.empty())
            return NameQualifier::refused;
        if (!bindFound(name))
            return NameQualifier::undecided;
        found.insert(name);
        return NameQualifier::bound;
    });
    bool compiled = false;
    {
        ResolverInUse inUse(parser, &qualifier);
        compiled = parser.compile(text, localExpression);
    }

    // What the passes would decide otherwise: they alone give up after
    // maxPasses compilations, with the parser's diagnostic of the last.
    if (qualifier.isUndecided() || qualifier.passes() > maxPasses) {
        localExpression = Expression();
        engine->foundNames.clear_variables();
        return parseByPasses(user, fullName, text, usedNames, maxPasses);
    }
    if (!refusal.empty()) {
        sendError(user, refusal);
        return false;
    }
    if (!compiled) {
        sendError(user, parser.error());
        return false;
    }
    qualifier.qualify(text);
    usedNames.insert(found.begin(), found.end());
    return true;
}

bool Variables::parseByPasses(User* user, std::string fullName, std::string& text, std::set<std::string>& usedNames,
                              std::size_t maxPasses)
{
    // Names without a user go into the owner's namespace; without an owner
    // (no or an empty user part) they stay as written.
    const std::string_view owner = userPart(fullName);
    const std::string prefix = userPrefix(owner);

    Unbind unbind{engine->foundNames};
    Expression localExpression;
    localExpression.register_symbol_table(engine->foundNames);
    localExpression.register_symbol_table(engine->constants);
    Parser& parser = engine->parser;

    std::string working = text;
    const std::size_t budget = passBudget(text.size());
    std::size_t read = 0;
    for (std::size_t pass = 0;; ++pass) {
        const std::string compiled = working;
        if (compiled.empty()) {
            sendError(user, "Expression empty");
            return false;
        }
        if (parser.compile(compiled, localExpression)) {
            text = compiled;
            return true;
        }
        read += compiled.size();
        if (pass >= maxPasses || read > budget) {
            sendError(user, parser.error());
            return false;
        }

        // Positions refer to this pass's text; each is qualified once.
        std::set<std::size_t> insertions;
        bool bound = false;
        for (std::size_t i = 0; i < parser.error_count(); ++i) {
            const exprtk::parser_error::type error = parser.get_error(i);
            if (error.mode != exprtk::parser_error::e_syntax) {
                sendError(user, parser.error());
                return false;
            }
            // Other syntax errors follow from an undefined name (a function
            // whose argument failed) or remain when nothing is left to mend.
            if (error.diagnostic.find(undefinedSymbol) == std::string::npos)
                continue;
            const Token& token = error.token;
            if (token.position == std::numeric_limits<std::size_t>::max() || token.position >= compiled.size())
                continue;
            const std::string& name = token.value;
            if (!namesUser(name)) {
                if (!owner.empty())
                    insertions.insert(token.position);
                continue;
            }
            const std::string refusal = refusalOf(fullName, name);
            if (!refusal.empty()) {
                sendError(user, refusal);
                return false;
            }
            if (bindFound(name))
                bound = true;
            usedNames.insert(name);
        }
        // A prefix that does not read as part of a name would only be read
        // as more bare names, pass after pass.
        if (!insertions.empty() && !prefixReadsAsName(owner, true)) {
            sendError(user, parser.error());
            return false;
        }
        for (auto position = insertions.rbegin(); position != insertions.rend(); ++position)
            insertPrefix(working, *position, prefix);
        if (insertions.empty() && !bound) {
            sendError(user, parser.error());
            return false;
        }
    }
}

std::string Variables::refusalOf(const std::string& fullName, const std::string& name)
{
    if (name == fullName)
        return "Error: Found simple loop";
    Type* value = nullptr;
    if (!vars->get(name, value))
        return "Var does not exist: " + name;
    return std::string();
}

bool Variables::bindFound(const std::string& name)
{
    Type* value = nullptr;
    if (!vars->get(name, value))
        return false;
    VarType* number = value->asVarType();
    return engine->foundNames.add_variable(name, number != nullptr ? *number->getValuePtr() : engine->placeholder,
                                           false);
}

bool Variables::compile(User* user, const std::string& text, const ExpressionLimits& limits)
{
    Parser& parser = engine->parser;
    parser.register_loop_runtime_check(engine->loopBoundFor(limits.loopLimit));
    bindNamesIn(text);
    engine->compiledInto = true;
    if (parser.compile(text, engine->expression))
        return true;
    sendError(user, parser.error());
    return false;
}

std::string Variables::boundName(const std::string& name)
{
    VarType* holder = symbolHolder(name);
    return holder == nullptr ? name : holder->getName();
}

VarType* Variables::symbolHolder(const std::string& name)
{
    Type* holder = vars->findSpelling(name, [](Type* value) {
        VarType* number = value->asVarType();
        return number != nullptr && number->holdsSymbol;
    });
    return holder != nullptr ? holder->asVarType() : nullptr;
}

void Variables::bindNamesIn(const std::string& text)
{
    exprtk::lexer::generator lexer;
    if (!lexer.process(text))
        return;  // the compilation reports what the lexer cannot read
    for (std::size_t i = 0; i < lexer.size(); ++i) {
        const Token& token = lexer[i];
        if (token.type != Token::e_symbol || !namesUser(token.value) ||
            engine->symbolTable.symbol_exists(token.value))
            continue;
        if (VarType* holder = symbolHolder(token.value))
            engine->symbolTable.add_variable(holder->getName(), holder->value, false);
    }
}

VarType* Variables::numberNamed(const std::string& name)
{
    Type* value = nullptr;
    return vars->get(name, value) ? value->asVarType() : nullptr;
}

void Variables::unlink(VarType* number)
{
    if (number->linksOrNone().childrenKeys.empty())
        return;
    engine->graph.linksChanged();
    for (const std::string& name : number->linksOrNone().childrenKeys)
        if (VarType* used = numberNamed(name))
            used->getParentVars()->erase(number);
    number->getChildrenKeys()->clear();
}

void Variables::link(VarType* number, const std::set<std::string>& usedNames)
{
    if (usedNames.empty())
        return;
    engine->graph.linksChanged();
    for (const std::string& name : usedNames) {
        number->getChildrenKeys()->insert(name);
        if (VarType* used = numberNamed(name))
            used->getParentVars()->insert(number);
    }
}

void Variables::evaluateFrom(User* user, VarType* number, const double* literal)
{
    const std::vector<VarType*>& order = engine->graph.evaluationOrder(number);
    std::vector<BasicShape*>& shapes = engine->shapes;
    shapes.clear();

    std::vector<std::string> failures;
    {
        // Expressions may also assign other numbers (y := 5): readers wait
        // for the whole evaluation.
        std::lock_guard<LeafLock> guard(Type::contentLock());
        for (VarType* each : order) {
            if (each == number && literal != nullptr) {
                each->value = *literal;
            } else if (each->compiled() == nullptr) {
                continue;
            } else {
                engine->loopViolated = false;
                try {
                    each->value = each->compiled()->expression.value();
                } catch (const std::exception& error) {
                    failures.push_back("Error: " + std::string(error.what()) + " in " + each->getName());
                }
                if (engine->loopViolated)
                    failures.push_back("Error: Loop iteration limit exceeded in " + each->getName());
            }
            each->collectAssocObjects(shapes);
        }
    }
    Type::handOver(shapes);
    for (const std::string& failure : failures)
        sendError(user, failure);
}

void Variables::remove(std::string fullName)
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    VarType* number = numberNamed(fullName);
    if (number == nullptr)
        return;
    if (!number->linksOrNone().parentVars.empty()) {
        std::cerr << ("Can not remove: " + fullName + " as it has parents\n");
        return;
    }
    unlink(number);
    engine->setVectorsHeld(number, 0);
    vars->remove(fullName);
    // Unbind only this number's own binding, not one of another case; the
    // node stays alive for expressions compiled against it.
    if (number->holdsSymbol) {
        number->holdsSymbol = false;
        exprtk::details::variable_node<double>* variable = engine->symbolTable.get_variable(fullName);
        if (variable != nullptr && &variable->ref() == &number->value)
            engine->symbolTable.remove_variable(fullName, false);
    }
}

void Variables::clear()
{
    OpenThreads::ScopedLock<OpenThreads::Mutex> lock(mutex);
    std::vector<Type*> values;
    vars->values(values);
    vars->clear();
    for (Type* value : values)
        delete value;
    // Compiled expressions went with their numbers: nothing refers to the
    // symbol table's numbers any more.
    engine->startValues();
}

namespace {

std::string describe(Type* value, bool withExpression)
{
    std::ostringstream line;
    if (StringType* string = value->asStringType()) {
        line << "String Name: " << value->getName() << " string is: " << string->getString();
    } else if (VarType* number = value->asVarType()) {
        line << "Var Name: " << value->getName() << " current value " << number->getValue();
        if (withExpression)
            line << " expression " << number->getString();
    } else if (ScheduleType* schedule = value->asScheduleType()) {
        std::list<Event> events;
        schedule->getEvents(events);
        line << "Schedule Name: " << value->getName() << " events: " << events.size();
    }
    line << '\n';
    return line.str();
}

}  // namespace

void Variables::print(std::string fullName)
{
    Type* value = nullptr;
    if (vars->get(fullName, value))
        std::cerr << describe(value, false);
}

void Variables::printAll()
{
    std::vector<std::string_view> names;
    vars->names(names);
    std::sort(names.begin(), names.end());
    for (std::string_view name : names) {
        Type* value = nullptr;
        if (vars->get(name, value))
            std::cerr << describe(value, true);
    }
}

void Variables::printTimes() {}
