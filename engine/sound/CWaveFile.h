// CWaveFile: a wave file read as a stream of audio bytes, or written as one.
//
// Reading takes a file (read whole and bounded by its size), or, when no
// file of that name opens, the program's own wave resource of that name
// (waveProgramResources.h), or a copy of a block of memory; `read` then hands out the "data" chunk's bytes in pieces.
// Writing collects the audio and, at `close`, writes the file beside its
// target and renames it over, so a failed write leaves the old file whole.
// Plain PCM is written without a "fact" chunk (it needs none); other formats
// get one with the real count of sample frames.
//
// Results are the platform's codes (waveFormat.h): kOk, kFail,
// kInvalidArgument, kNotInitialised.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound/waveFormat.h"

class CWaveFile {
public:
    enum Mode : uint32_t { kRead = 1, kWrite = 2 };

    CWaveFile() = default;
    ~CWaveFile();
    CWaveFile(const CWaveFile&) = delete;
    CWaveFile& operator=(const CWaveFile&) = delete;

    // Reading (mode kRead): the file must be a RIFF "WAVE" form whose "fmt "
    // and "data" chunks are whole. Writing (mode kWrite): `format` is the
    // format of the file. A null name is an invalid argument.
    wave::Result open(const char* name, const wave::WaveFormat* format, uint32_t mode);
    // Reading from a copy of `size` bytes of memory, checked like a file.
    wave::Result openMemory(const uint8_t* data, size_t size);

    // Bytes of audio: the data chunk's size while reading, the bytes written
    // so far while writing.
    uint32_t getSize() const { return m_mode == kWrite ? static_cast<uint32_t>(m_bytes.size()) : m_dataSize; }
    // Back to the first audio byte (reading); kNotInitialised when not open.
    wave::Result resetFile();
    // Copies the smaller of `bytes` and the bytes left into `buffer`.
    wave::Result read(uint8_t* buffer, uint32_t bytes, uint32_t* bytesRead);
    // Appends audio (writing).
    wave::Result write(const uint8_t* data, uint32_t bytes, uint32_t* bytesWritten);
    // Reading: forgets the file. Writing: writes the file; kFail when any
    // write fails, and the old file stays as it was.
    wave::Result close();

    // The file's format, or null before a successful open.
    const wave::WaveFormat* format() const { return m_format.get(); }

private:
    wave::Result openBytes(std::vector<uint8_t> bytes);
    bool writeFile() const;

    std::unique_ptr<wave::WaveFormat> m_format;
    std::vector<uint8_t> m_bytes;  // reading: the whole file; writing: the audio
    std::string m_path;            // writing: the target
    size_t m_dataOffset = 0;
    uint32_t m_dataSize = 0;
    uint32_t m_left = 0;  // reading: data bytes not yet read
    uint32_t m_mode = 0;  // 0 while not open
};
