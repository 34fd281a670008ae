// The format record of a RIFF WAVE file and the result codes of its readers.
//
// `WaveFormat` is the 18-byte wave format header (the layout every audio API
// of the platform family takes) followed by its extra bytes, which only
// formats other than plain PCM carry. Readers fill it field by field from the
// little-endian file; nothing here is a copy of a platform header.
#pragma once

#include <cstdint>
#include <vector>

namespace wave {

// Format tags the sound system knows by name.
inline constexpr uint16_t kTagPcm = 0x0001;
inline constexpr uint16_t kTagExtensible = 0xFFFE;

struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;   // sample frames per second
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;      // bytes per sample frame
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;       // bytes in `extra`
    std::vector<uint8_t> extra;   // the bytes behind the 18-byte header

    bool isPcm() const { return formatTag == kTagPcm; }
};

// Result codes of `CWaveFile`, with the platform's values and sign rule.
using Result = int32_t;
inline constexpr Result kOk = 0;
inline constexpr Result kFail = static_cast<Result>(0x80004005u);
inline constexpr Result kInvalidArgument = static_cast<Result>(0x80070057u);
inline constexpr Result kNotInitialised = static_cast<Result>(0x800401F0u);
constexpr bool failed(Result result) { return result < 0; }

}  // namespace wave
