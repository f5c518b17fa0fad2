#pragma once
// Names of values. A full name is "user:name": a free value ("user0:x"),
// an object's tag owner ("user0:box") or an object's parameter
// ("user0:box.size"). A name written in a command may leave the user out
// ("x", "box.size") or leave the user part empty (":x"): it is then the
// sender's. These functions build, split and qualify names without
// looking anything up; none allocates but those that return a std::string.

#include <string>
#include <string_view>

constexpr char userSeparator = ':';
constexpr char parameterSeparator = '.';

// "user:name".
std::string fullName(std::string_view user, std::string_view name);
// "user:object.parameter".
std::string fullName(std::string_view user, std::string_view object, std::string_view parameter);
// "object.parameter"; the object may be a full name.
std::string parameterName(std::string_view object, std::string_view parameter);
// "user:", which stands before every name in the user's namespace.
std::string userPrefix(std::string_view user);

// Whether the name says whose it is (holds a ':').
inline bool namesUser(std::string_view name) { return name.find(userSeparator) != std::string_view::npos; }
// The text before the name's first ':'; empty when it has none.
std::string_view userPart(std::string_view name);

// A name as written, "[user:][object.]parameter", taken apart. The views
// point into the written text.
struct WrittenName {
    std::string_view user;       // before the ':'
    std::string_view object;     // between the ':' (or the start) and the '.'
    std::string_view parameter;  // after the '.', else after the ':', else all of it
    std::string_view local;      // after the ':', else all of it
    bool hasUser = false;        // the name holds a ':'
    bool hasObject = false;      // the name holds a '.'

    // The user whose namespace the name is in: its user part, or the
    // sender when that is missing or empty.
    std::string_view owner(std::string_view sender) const { return user.empty() ? sender : user; }
};

enum class NameProblem {
    None,
    MisplacedColon,  // a ':' after a ':' or after a '.'
    SecondDot,       // a second '.'
};

// Takes a written name apart; out is untouched unless the name is well formed.
NameProblem splitName(std::string_view written, WrittenName& out);

// The full name an assignment to the written name stores: the owner's
// namespace, and "object.parameter" when the object part is not empty,
// else the parameter alone (".x" stores the free value x).
std::string assignedName(const WrittenName& written, std::string_view sender);
// The full name a written name reads: the owner's namespace and the rest of
// the name as written (".x" reads "user:.x").
std::string readName(const WrittenName& written, std::string_view sender);
