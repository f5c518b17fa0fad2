#include "SafeFileName.h"

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

bool hasParentComponent(const std::string& name)
{
    std::string::size_type start = 0;
    while (start <= name.size()) {
        std::string::size_type end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string unsafeFileNameReason(const std::string& name)
{
    for (char c : name)
        if (isControl(c))
            return "control character in file name";
    if (name.find("://") != std::string::npos)
        return "URL not allowed in file name";
    if (hasParentComponent(name))
        return "'..' not allowed in file name";
    return "";
}

std::string printableText(std::string text)
{
    for (char& c : text)
        if (isControl(c))
            c = '?';
    return text;
}
