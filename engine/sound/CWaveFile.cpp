#include "engine/sound/CWaveFile.h"

#include <cstdio>
#include <cstring>

#include "engine/sound/waveProgramResources.h"
#include "engine/sound/waveRiff.h"

namespace {

void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, static_cast<uint16_t>(value));
    put16(out, static_cast<uint16_t>(value >> 16));
}

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// The whole file: RIFF header, "fmt ", "fact" for formats other than PCM,
// then "data" with its pad byte.
std::vector<uint8_t> encode(const wave::WaveFormat& format, const std::vector<uint8_t>& audio) {
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, format.isPcm() ? 16u : 18u + format.extra.size());
    put16(out, format.formatTag);
    put16(out, format.channels);
    put32(out, format.samplesPerSec);
    put32(out, format.avgBytesPerSec);
    put16(out, format.blockAlign);
    put16(out, format.bitsPerSample);
    if (!format.isPcm()) {
        put16(out, static_cast<uint16_t>(format.extra.size()));
        out.insert(out.end(), format.extra.begin(), format.extra.end());
        const uint32_t bitsPerFrame = uint32_t{format.bitsPerSample} * format.channels;
        putTag(out, "fact");
        put32(out, 4);
        put32(out, bitsPerFrame ? static_cast<uint32_t>(uint64_t{audio.size()} * 8 / bitsPerFrame) : 0u);
    }
    putTag(out, "data");
    put32(out, static_cast<uint32_t>(audio.size()));
    out.insert(out.end(), audio.begin(), audio.end());
    if (audio.size() & 1u) out.push_back(0);
    const uint32_t riffSize = static_cast<uint32_t>(out.size() - 8);
    std::memcpy(out.data() + 4, &riffSize, 4);
    return out;
}

}  // namespace

CWaveFile::~CWaveFile() { close(); }

wave::Result CWaveFile::open(const char* name, const wave::WaveFormat* format, uint32_t mode) {
    if (!name) return wave::kInvalidArgument;
    close();
    m_format.reset();
    if (mode == kWrite) {
        if (!format) return wave::kInvalidArgument;
        m_format = std::make_unique<wave::WaveFormat>(*format);
        m_format->extraSize = static_cast<uint16_t>(m_format->extra.size());
        m_path = name;
        m_bytes.clear();
        m_mode = kWrite;
        return wave::kOk;
    }
    if (mode != kRead) return wave::kInvalidArgument;
    std::vector<uint8_t> bytes;
    if (!wave::readFile(name, bytes) && !wave::readProgramResource(name, bytes)) return wave::kFail;
    return openBytes(std::move(bytes));
}

wave::Result CWaveFile::openMemory(const uint8_t* data, size_t size) {
    if (!data && size) return wave::kInvalidArgument;
    close();
    m_format.reset();
    return openBytes(std::vector<uint8_t>(data, data + size));
}

wave::Result CWaveFile::openBytes(std::vector<uint8_t> bytes) {
    wave::Layout layout;
    if (!wave::parse(bytes.data(), bytes.size(), layout)) return wave::kFail;
    m_format = std::make_unique<wave::WaveFormat>(std::move(layout.format));
    m_bytes = std::move(bytes);
    m_dataOffset = layout.dataOffset;
    m_dataSize = layout.dataSize;
    m_mode = kRead;
    return resetFile();
}

wave::Result CWaveFile::resetFile() {
    if (m_mode == 0) return wave::kNotInitialised;
    if (m_mode == kRead) m_left = m_dataSize;
    return wave::kOk;
}

wave::Result CWaveFile::read(uint8_t* buffer, uint32_t bytes, uint32_t* bytesRead) {
    if (m_mode != kRead) return wave::kNotInitialised;
    if (!buffer || !bytesRead) return wave::kInvalidArgument;
    const uint32_t count = bytes < m_left ? bytes : m_left;
    std::memcpy(buffer, m_bytes.data() + m_dataOffset + (m_dataSize - m_left), count);
    m_left -= count;
    *bytesRead = count;
    return wave::kOk;
}

wave::Result CWaveFile::write(const uint8_t* data, uint32_t bytes, uint32_t* bytesWritten) {
    if (m_mode != kWrite) return wave::kNotInitialised;
    if ((!data && bytes) || !bytesWritten) return wave::kInvalidArgument;
    m_bytes.insert(m_bytes.end(), data, data + bytes);
    *bytesWritten = bytes;
    return wave::kOk;
}

wave::Result CWaveFile::close() {
    const bool writing = m_mode == kWrite;
    const bool written = writing ? writeFile() : true;
    m_mode = 0;
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_dataSize = 0;
    m_left = 0;
    return written ? wave::kOk : wave::kFail;
}

bool CWaveFile::writeFile() const {
    const std::vector<uint8_t> file = encode(*m_format, m_bytes);
    const std::string temporary = m_path + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return false;
    const bool wrote = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    const bool closed = std::fclose(out) == 0;
    if (wrote && closed && std::rename(temporary.c_str(), m_path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}
