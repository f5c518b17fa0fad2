#include "FullName.h"

namespace {

std::string joined(std::string_view first, char separator, std::string_view second)
{
    std::string name;
    name.reserve(first.size() + 1 + second.size());
    name.append(first).append(1, separator).append(second);
    return name;
}

}  // namespace

std::string fullName(std::string_view user, std::string_view name) { return joined(user, userSeparator, name); }

std::string fullName(std::string_view user, std::string_view object, std::string_view parameter)
{
    std::string name;
    name.reserve(user.size() + object.size() + parameter.size() + 2);
    name.append(user).append(1, userSeparator).append(object).append(1, parameterSeparator).append(parameter);
    return name;
}

std::string parameterName(std::string_view object, std::string_view parameter)
{
    return joined(object, parameterSeparator, parameter);
}

std::string userPrefix(std::string_view user) { return fullName(user, {}); }

std::string_view userPart(std::string_view name)
{
    const std::size_t colon = name.find(userSeparator);
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

NameProblem splitName(std::string_view written, WrittenName& out)
{
    std::size_t colon = std::string_view::npos;
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == userSeparator) {
            if (colon != std::string_view::npos || dot != std::string_view::npos)
                return NameProblem::MisplacedColon;
            colon = i;
        } else if (written[i] == parameterSeparator) {
            if (dot != std::string_view::npos)
                return NameProblem::SecondDot;
            dot = i;
        }
    }
    WrittenName name;
    name.hasUser = colon != std::string_view::npos;
    name.hasObject = dot != std::string_view::npos;
    const std::size_t localStart = name.hasUser ? colon + 1 : 0;
    if (name.hasUser)
        name.user = written.substr(0, colon);
    name.local = written.substr(localStart);
    if (name.hasObject) {
        name.object = written.substr(localStart, dot - localStart);
        name.parameter = written.substr(dot + 1);
    } else {
        name.parameter = name.local;
    }
    out = name;
    return NameProblem::None;
}

std::string assignedName(const WrittenName& written, std::string_view sender)
{
    if (written.object.empty())
        return fullName(written.owner(sender), written.parameter);
    return fullName(written.owner(sender), written.object, written.parameter);
}

std::string readName(const WrittenName& written, std::string_view sender)
{
    return fullName(written.owner(sender), written.local);
}
