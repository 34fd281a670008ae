// The RIFF WAVE layout shared by both wave readers.
//
// A file is read whole and parsed from memory, so every size that the file
// declares is checked against the bytes that are really there: a chunk that
// runs past the end of the file is refused rather than trusted, and nothing
// is allocated from a declared size alone. Chunks are word aligned (an odd
// chunk is followed by one pad byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/sound/waveFormat.h"

namespace wave {

// Where the parts of one wave file lie in its bytes.
struct Layout {
    WaveFormat format;
    size_t dataOffset = 0;  // first byte of the "data" chunk's body
    uint32_t dataSize = 0;  // bytes of audio, all present in the file
};

// Reads the whole file into `bytes`; false when it cannot be opened or read
// completely.
bool readFile(const std::string& path, std::vector<uint8_t>& bytes);

// Parses a RIFF "WAVE" form: the "fmt " chunk (at least 16 bytes; formats
// other than PCM add an extra size and that many bytes, all inside the
// chunk) and the "data" chunk, both inside the RIFF chunk and inside the
// bytes given. A format whose rate, channel count, block size or byte rate is
// 0 is refused, since every duration and position divides by them, and so is
// PCM (plain or extensible) whose block size is not its channels times its
// bytes per sample. False for anything else.
bool parse(const uint8_t* data, size_t size, Layout& layout);

}  // namespace wave
