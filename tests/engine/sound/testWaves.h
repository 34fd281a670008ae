// Wave files for the sound tests, built byte by byte so that they do not
// depend on the writer under test, and measurements of rendered sound.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/sound/waveFormat.h"

namespace soundtest {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

struct Format {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    uint32_t avg() const { return rate * channels * bits / 8; }
    uint16_t block() const { return static_cast<uint16_t>(channels * bits / 8); }
};

// The same format as the engine's record.
inline wave::WaveFormat waveFormat(const Format& f) {
    wave::WaveFormat format;
    format.formatTag = f.tag;
    format.channels = f.channels;
    format.samplesPerSec = f.rate;
    format.avgBytesPerSec = f.avg();
    format.blockAlign = f.block();
    format.bitsPerSample = f.bits;
    return format;
}

// The 16 format bytes of a "fmt " chunk.
inline std::vector<uint8_t> formatBytes(const Format& f) {
    std::vector<uint8_t> out;
    put16(out, f.tag);
    put16(out, f.channels);
    put32(out, f.rate);
    put32(out, f.avg());
    put16(out, f.block());
    put16(out, f.bits);
    return out;
}

inline std::vector<uint8_t> chunk(const char* tag, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out;
    putTag(out, tag);
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1u) out.push_back(0);
    return out;
}

inline std::vector<uint8_t> riff(const std::vector<uint8_t>& chunks, const char* form = "WAVE") {
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, static_cast<uint32_t>(chunks.size() + 4));
    putTag(out, form);
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

inline std::vector<uint8_t> concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A whole PCM file.
inline std::vector<uint8_t> pcmFile(const Format& f, const std::vector<uint8_t>& audio) {
    return riff(concat(chunk("fmt ", formatBytes(f)), chunk("data", audio)));
}

// `frames` of a sine of `hz` at `amplitude` (0..1) in every channel, or only
// in the left one; 8-bit audio is unsigned around 128.
inline std::vector<uint8_t> tone(const Format& f, uint32_t frames, double hz, double amplitude = 0.5,
                                 bool leftOnly = false) {
    std::vector<uint8_t> out;
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2.0 * M_PI * hz * i / f.rate);
        for (uint16_t c = 0; c < f.channels; ++c) {
            const double s = (leftOnly && c > 0) ? 0.0 : v;
            if (f.bits == 8) {
                out.push_back(static_cast<uint8_t>(std::lround(128.0 + s * 127.0)));
            } else {
                const auto sample = static_cast<int16_t>(std::lround(s * 32767.0));
                put16(out, static_cast<uint16_t>(sample));
            }
        }
    }
    return out;
}

inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// Root mean square of one channel of interleaved float frames.
inline double rms(const std::vector<float>& frames, int channels, int channel, size_t first = 0,
                  size_t count = SIZE_MAX) {
    const size_t total = frames.size() / channels;
    const size_t end = count == SIZE_MAX || first + count > total ? total : first + count;
    double sum = 0.0;
    for (size_t i = first; i < end; ++i) sum += double(frames[i * channels + channel]) * frames[i * channels + channel];
    return end > first ? std::sqrt(sum / double(end - first)) : 0.0;
}

// Frequency of one channel from its rising zero crossings.
inline double frequency(const std::vector<float>& frames, int channels, int channel, double rate) {
    const size_t total = frames.size() / channels;
    size_t firstCrossing = 0, lastCrossing = 0, crossings = 0;
    for (size_t i = 1; i < total; ++i) {
        if (frames[(i - 1) * channels + channel] < 0.0f && frames[i * channels + channel] >= 0.0f) {
            if (crossings == 0) firstCrossing = i;
            lastCrossing = i;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : rate * double(crossings - 1) / double(lastCrossing - firstCrossing);
}

// Index of the last frame in which any channel is above `threshold`, or -1.
inline long lastAudibleFrame(const std::vector<float>& frames, int channels, float threshold = 1e-3f) {
    for (size_t i = frames.size() / channels; i-- > 0;)
        for (int c = 0; c < channels; ++c)
            if (std::fabs(frames[i * channels + c]) > threshold) return static_cast<long>(i);
    return -1;
}

}  // namespace soundtest
