#include "TextArena.h"

#include <cstring>

char* TextArena::copy(const char* text, std::size_t length)
{
    const std::size_t needed = length + 1;
    if (chunks.empty() || chunks.back().size - used < needed) {
        const std::size_t size = needed > chunkSize ? needed : chunkSize;
        chunks.push_back(Chunk{std::unique_ptr<char[]>(new char[size]), size});
        used = 0;
    }
    char* out = chunks.back().data.get() + used;
    if (length > 0) std::memcpy(out, text, length);
    out[length] = '\0';
    used += needed;
    return out;
}

void TextArena::clear()
{
    // Keep one ordinary chunk so that a parse of short texts allocates nothing.
    if (!chunks.empty() && chunks.front().size == chunkSize) {
        chunks.resize(1);
    } else {
        chunks.clear();
    }
    used = 0;
}

std::size_t TextArena::capacity() const
{
    std::size_t total = 0;
    for (const Chunk& chunk : chunks) total += chunk.size;
    return total;
}
