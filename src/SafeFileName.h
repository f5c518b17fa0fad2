#pragma once
// The one safety rule for file names that commands name (screenshots,
// images, shaders, fonts, models): they come from the network, so a name
// may not climb out of its folder, carry control characters or name a URL.

#include <string>

// Why the name is refused, or "" when it is safe: a control character
// ("control character in file name"), a URL scheme "://" ("URL not allowed
// in file name"), a ".." path component between '/' or '\' separators
// ("'..' not allowed in file name").
std::string unsafeFileNameReason(const std::string& name);

inline bool isSafeFileName(const std::string& name) { return unsafeFileNameReason(name).empty(); }

// The text as it may go to a terminal: control characters become '?'.
std::string printableText(std::string text);
