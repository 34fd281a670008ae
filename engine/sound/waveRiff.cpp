#include "engine/sound/waveRiff.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/core/byteCursor.h"

namespace wave {

namespace {

constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kPcmFormatBytes = 16;

bool isTag(const uint8_t* at, const char* tag) { return std::memcmp(at, tag, 4) == 0; }

// A chunk's body inside [begin, end), found by its tag; false when the tag is
// absent or its chunk does not fit in what is left.
bool findChunk(const uint8_t* data, size_t begin, size_t end, const char* tag, size_t& bodyOffset,
               uint32_t& bodySize) {
    size_t at = begin;
    while (end - at >= kChunkHeaderBytes) {
        utils::ByteCursor header(data + at + 4, 4);
        const uint32_t size = header.u32();
        const size_t body = at + kChunkHeaderBytes;
        const bool fits = size <= end - body;
        if (isTag(data + at, tag)) {
            if (!fits) return false;
            bodyOffset = body;
            bodySize = size;
            return true;
        }
        if (!fits) return false;
        at = body + size + (size & 1u);
        if (at > end) return false;
    }
    return false;
}

uint16_t u16(utils::ByteCursor& in) {
    uint8_t bytes[2];
    in.bytes(bytes, sizeof bytes);
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

bool readFormat(const uint8_t* body, uint32_t size, WaveFormat& format) {
    if (size < kPcmFormatBytes) return false;
    utils::ByteCursor in(body, size);
    format.formatTag = u16(in);
    format.channels = u16(in);
    format.samplesPerSec = in.u32();
    format.avgBytesPerSec = in.u32();
    format.blockAlign = u16(in);
    format.bitsPerSample = u16(in);
    format.extraSize = 0;
    format.extra.clear();
    if (!format.isPcm()) {
        format.extraSize = u16(in);
        if (!in.ok() || format.extraSize > in.remaining()) return false;
        format.extra.resize(format.extraSize);
        if (format.extraSize) in.bytes(format.extra.data(), format.extra.size());
    }
    if (format.channels == 0 || format.samplesPerSec == 0 || format.avgBytesPerSec == 0 || format.blockAlign == 0)
        return false;
    // Play positions step by the block size while the mixer steps by the
    // samples: for PCM the two must agree, or positions land inside frames.
    const bool pcmSamples = format.isPcm() || format.formatTag == kTagExtensible;
    return !pcmSamples || format.blockAlign == format.channels * ((format.bitsPerSample + 7u) / 8u);
}

}  // namespace

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    bytes.resize(static_cast<size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool parse(const uint8_t* data, size_t size, Layout& layout) {
    if (!data || size < 12 || !isTag(data, "RIFF") || !isTag(data + 8, "WAVE")) return false;
    utils::ByteCursor riff(data + 4, 4);
    // A RIFF size past the end of the file is bounded by what is there.
    const size_t riffEnd = std::min(size, kChunkHeaderBytes + static_cast<size_t>(riff.u32()));
    if (riffEnd < 12) return false;
    size_t formatOffset = 0;
    uint32_t formatSize = 0;
    if (!findChunk(data, 12, riffEnd, "fmt ", formatOffset, formatSize)) return false;
    if (!readFormat(data + formatOffset, formatSize, layout.format)) return false;
    return findChunk(data, 12, riffEnd, "data", layout.dataOffset, layout.dataSize);
}

}  // namespace wave
