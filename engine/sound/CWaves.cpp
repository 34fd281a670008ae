#include "engine/sound/CWaves.h"


#include "engine/core/byteCursor.h"
#include "engine/sound/waveRiff.h"

namespace {

// The extensible format's extra part: valid bits, channel mask, subformat.
constexpr uint16_t kExtensibleExtraBytes = 22;
// {00000001-0000-0010-8000-00aa00389b71} as it lies in the file.
constexpr std::array<uint8_t, 16> kPcmSubFormat = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                                   0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

}  // namespace

CWaves::Result CWaves::loadWaveFile(const char* name, WaveId* id) {
    if (!name || !id) return kInvalidParameter;
    std::vector<uint8_t> bytes;
    if (!wave::readFile(name, bytes)) return kCannotOpen;
    return loadWaveMemory(bytes.data(), bytes.size(), id);
}

CWaves::Result CWaves::loadWaveMemory(const uint8_t* data, size_t size, WaveId* id) {
    if (!id || (!data && size)) return kInvalidParameter;
    wave::Layout layout;
    if (!wave::parse(data, size, layout)) return kBadWave;
    Wave loaded;
    loaded.format = std::move(layout.format);
    if (loaded.format.formatTag == wave::kTagExtensible) {
        if (loaded.format.extraSize != kExtensibleExtraBytes) return kBadWave;
        utils::ByteCursor extra(loaded.format.extra.data(), loaded.format.extra.size());
        uint8_t validBits[2];
        extra.bytes(validBits, sizeof validBits);
        loaded.validBitsPerSample = static_cast<uint16_t>(validBits[0] | validBits[1] << 8);
        loaded.channelMask = extra.u32();
        extra.bytes(loaded.subFormat.data(), loaded.subFormat.size());
        if (loaded.subFormat != kPcmSubFormat) return kBadWave;
        loaded.kind = 1;
    } else if (!loaded.format.isPcm()) {
        return kBadWave;
    }
    loaded.data.assign(data + layout.dataOffset, data + layout.dataOffset + layout.dataSize);
    loaded.id = ++m_lastId;
    if (loaded.id == 0) loaded.id = ++m_lastId;  // 0 stays the null id when the count wraps
    m_waves.push_back(std::move(loaded));
    *id = m_waves.back().id;
    return kOk;
}

const CWaves::Wave* CWaves::find(WaveId id) const {
    for (const Wave& wave : m_waves)
        if (wave.id == id && id != 0) return &wave;
    return nullptr;
}

CWaves::Result CWaves::getWaveFormatExHeader(WaveId id, wave::WaveFormat* header) const {
    const Wave* wave = find(id);
    if (!wave) return kUnknownId;
    if (!header) return kInvalidParameter;
    *header = wave->format;
    header->extra.clear();
    return kOk;
}

CWaves::Result CWaves::getWaveData(WaveId id, const uint8_t** data) const {
    const Wave* wave = find(id);
    if (!wave) return kUnknownId;
    if (!data) return kInvalidParameter;
    *data = wave->data.data();
    return kOk;
}

CWaves::Result CWaves::getWaveSize(WaveId id, uint32_t* size) const {
    const Wave* wave = find(id);
    if (!wave) return kUnknownId;
    if (!size) return kInvalidParameter;
    *size = static_cast<uint32_t>(wave->data.size());
    return kOk;
}

CWaves::Result CWaves::deleteWaveFile(WaveId id) {
    if (id == 0) return kOk;
    for (auto it = m_waves.begin(); it != m_waves.end(); ++it) {
        if (it->id == id) {
            m_waves.erase(it);
            return kOk;
        }
    }
    return kUnknownId;
}
