#pragma once
// An immutable text in 24 bytes that keeps up to 23 characters without an
// allocation: a stored value's full name ("user0:box.tiltx") fits, and a
// shape binds a few dozen values, so the bytes add up.

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class CompactName {
public:
    explicit CompactName(std::string_view text)
    {
        if (text.size() < sizeof local) {
            std::memcpy(local, text.data(), text.size());
            local[sizeof local - 1] = static_cast<char>(text.size());
        } else {
            char* copy = new char[text.size()];
            std::memcpy(copy, text.data(), text.size());
            std::memcpy(local, &copy, sizeof copy);
            const std::size_t length = text.size();
            std::memcpy(local + sizeof copy, &length, sizeof length);
            local[sizeof local - 1] = longMark;
        }
    }
    ~CompactName()
    {
        if (isLong())
            delete[] heapText();
    }
    CompactName(const CompactName&) = delete;
    CompactName& operator=(const CompactName&) = delete;

    std::string_view view() const
    {
        if (!isLong())
            return std::string_view(local, static_cast<unsigned char>(local[sizeof local - 1]));
        std::size_t length = 0;
        std::memcpy(&length, local + sizeof(char*), sizeof length);
        return std::string_view(heapText(), length);
    }
    std::string str() const { return std::string(view()); }

private:
    static constexpr char longMark = static_cast<char>(0xff);
    bool isLong() const { return local[sizeof local - 1] == longMark; }
    char* heapText() const
    {
        char* text = nullptr;
        std::memcpy(&text, local, sizeof text);
        return text;
    }

    char local[24];  // the text and its length in the last byte, or pointer, length and the mark
};
