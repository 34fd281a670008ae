// Fuzzes both wave readers with RIFF WAVE files (seeds in fuzz/corpus/wave/).
// Whatever opens must hand out exactly its data chunk, in pieces or whole,
// and the two readers must agree on a file both take.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/sound/CWaveFile.h"
#include "engine/sound/CWaves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CWaveFile file;
    const bool opened = file.openMemory(data, size) == wave::kOk;
    std::vector<uint8_t> streamed;
    if (opened) {
        if (file.getSize() > size) std::abort();
        uint8_t piece[333];
        uint32_t read = 0;
        do {
            if (file.read(piece, sizeof piece, &read) != wave::kOk) std::abort();
            streamed.insert(streamed.end(), piece, piece + read);
        } while (read > 0);
        if (streamed.size() != file.getSize()) std::abort();
    }

    CWaves waves;
    CWaves::WaveId id = 0;
    if (waves.loadWaveMemory(data, size, &id) == CWaves::kOk) {
        const uint8_t* audio = nullptr;
        uint32_t audioSize = 0;
        wave::WaveFormat header;
        if (waves.getWaveData(id, &audio) != CWaves::kOk || waves.getWaveSize(id, &audioSize) != CWaves::kOk ||
            waves.getWaveFormatExHeader(id, &header) != CWaves::kOk)
            std::abort();
        // The loader takes a subset of what the stream reader takes.
        if (!opened || std::vector<uint8_t>(audio, audio + audioSize) != streamed) std::abort();
        if (header.samplesPerSec == 0 || header.blockAlign == 0) std::abort();
        if (waves.deleteWaveFile(id) != CWaves::kOk || waves.isWaveId(id)) std::abort();
    }
    return 0;
}
