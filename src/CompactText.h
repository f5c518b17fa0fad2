#pragma once
// A text in 24 bytes that keeps up to 23 characters without an allocation:
// a stored value's full name ("user0:box.tiltx") and a number's text as
// written ("1.0") fit, and a shape binds a few dozen values, so the bytes
// add up. Not thread-safe: its owner guards it.

#include <cstring>
#include <string>
#include <string_view>

class CompactText {
public:
    explicit CompactText(std::string_view text) { set(text); }
    ~CompactText() { release(); }
    CompactText(const CompactText&) = delete;
    CompactText& operator=(const CompactText&) = delete;

    void assign(std::string_view text)
    {
        release();
        set(text);
    }

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

    // Short: the characters, and their count in the last byte. Long: a
    // pointer to a copy, the length, and the mark in the last byte.
    void set(std::string_view text)
    {
        if (text.size() < sizeof local) {
            std::memcpy(local, text.data(), text.size());
            local[sizeof local - 1] = static_cast<char>(text.size());
            return;
        }
        char* copy = new char[text.size()];
        std::memcpy(copy, text.data(), text.size());
        std::memcpy(local, &copy, sizeof copy);
        const std::size_t length = text.size();
        std::memcpy(local + sizeof copy, &length, sizeof length);
        local[sizeof local - 1] = longMark;
    }
    void release()
    {
        if (isLong())
            delete[] heapText();
    }
    bool isLong() const { return local[sizeof local - 1] == longMark; }
    char* heapText() const
    {
        char* text = nullptr;
        std::memcpy(&text, local, sizeof text);
        return text;
    }

    char local[24];
};
