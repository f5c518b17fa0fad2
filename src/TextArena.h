#pragma once
// Keeps the texts of one parse (token words and raw blocks) in a few large
// chunks; clear() releases them all at once and keeps the first chunk for
// the next parse.

#include <cstddef>
#include <memory>
#include <vector>

class TextArena {
public:
    // A zero-terminated copy of the first length bytes of text, valid until clear().
    char* copy(const char* text, std::size_t length);
    void clear();
    // Bytes held in chunks (for tests and diagnostics).
    std::size_t capacity() const;

private:
    static constexpr std::size_t chunkSize = 4096;

    struct Chunk {
        std::unique_ptr<char[]> data;
        std::size_t size;
    };
    std::vector<Chunk> chunks;
    std::size_t used = 0;  // bytes used in the last chunk
};
