#pragma once
// A string value.

#include "Type.h"

#include <string>

class StringType : public Type {
public:
    StringType(std::string name, std::string text);
    ~StringType() override = default;

    StringType* asStringType() override { return this; }

    std::string getString();
    // The text, for a caller that holds contentLock().
    const std::string& stringUnderLock() const { return value; }
    // Replaces the text and hands every bound shape to the redraw set, also
    // when the text is unchanged.
    void setString(std::string text);

private:
    std::string value;
};
