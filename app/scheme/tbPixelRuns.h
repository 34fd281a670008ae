// tbPixelRuns: a block of 32-bit pixels kept in memory, run-length packed
// where that is smaller.
//
// The undo keeps the pixels a step painted over. Paint is mostly flat
// colour, so runs of one value pack well; a photograph does not, and is then
// kept as it is. Either way `unpack` gives back exactly what was packed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class tbPixelRuns {
public:
    tbPixelRuns() = default;
    explicit tbPixelRuns(const std::vector<uint32_t>& pixels);

    std::vector<uint32_t> unpack() const;
    size_t pixelCount() const { return m_count; }
    bool isPacked() const { return m_packed; }
    // The bytes held.
    size_t memoryBytes() const { return m_words.capacity() * sizeof(uint32_t); }

private:
    // Packed: (run length, value) pairs; otherwise the pixels themselves.
    std::vector<uint32_t> m_words;
    size_t m_count = 0;
    bool m_packed = false;
};
