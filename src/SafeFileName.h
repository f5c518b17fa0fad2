#pragma once
// The safety rule for file names that commands name (images, shaders,
// fonts, models): they come from the network, so a name may not climb out
// of its folder, carry control characters or name a URL.

#include <string>

// False for a name with a ".." path component, a control character or a
// URL scheme ("://").
bool isSafeFileName(const std::string& name);

// The text as it may go to a terminal: control characters become '?'.
std::string printableText(std::string text);
