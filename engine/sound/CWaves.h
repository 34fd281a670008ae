// CWaves: whole wave files loaded into memory and known by an id.
//
// Only PCM is taken: the plain PCM tag, or the extensible format whose extra
// part is its 22 bytes and whose subformat is PCM. A wave's id is a number
// handed out once (0 is never an id), so a stale id fails its look-up with
// kUnknownId instead of reaching freed memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

#include "engine/sound/waveFormat.h"

class CWaves {
public:
    using WaveId = uint32_t;
    enum Result : int32_t {
        kOk = 0,
        kCannotOpen = -1,       // the file cannot be opened
        kBadWave = -2,          // not a usable wave file
        kInvalidParameter = -3,
        kUnknownId = -4,
    };

    CWaves() = default;
    virtual ~CWaves() = default;
    CWaves(const CWaves&) = delete;
    CWaves& operator=(const CWaves&) = delete;

    // Loads the whole file (or a block of memory) and gives the new wave's id.
    Result loadWaveFile(const char* name, WaveId* id);
    Result loadWaveMemory(const uint8_t* data, size_t size, WaveId* id);

    // The 18-byte header (no extra bytes) of a loaded wave.
    Result getWaveFormatExHeader(WaveId id, wave::WaveFormat* header) const;
    // The wave's audio, owned by the loader until the wave is deleted.
    Result getWaveData(WaveId id, const uint8_t** data) const;
    Result getWaveSize(WaveId id, uint32_t* size) const;
    // Frees the wave; a null id is no wave and succeeds.
    Result deleteWaveFile(WaveId id);
    bool isWaveId(WaveId id) const { return find(id) != nullptr; }

private:
    struct Wave {
        WaveId id = 0;
        uint32_t kind = 0;  // 0 plain format, 1 extensible
        wave::WaveFormat format;
        uint16_t validBitsPerSample = 0;
        uint32_t channelMask = 0;
        std::array<uint8_t, 16> subFormat{};
        std::vector<uint8_t> data;
    };

    const Wave* find(WaveId id) const;

    std::list<Wave> m_waves;
    WaveId m_lastId = 0;
};
