// The wave readers and the writer: round trips, the table of malformed
// files both readers refuse, the program's own wave resources, and the
// loader's ids.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/simApplication.h"
#include "engine/sound/CWaveFile.h"
#include "engine/sound/CWaves.h"
#include "engine/sound/simSound_null.h"
#include "tests/engine/sound/testWaves.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/tempFolder.h"
#include "tests/support/wholeFile.h"

using namespace soundtest;

namespace {

std::vector<uint8_t> readAll(CWaveFile& file) {
    std::vector<uint8_t> out(file.getSize());
    uint32_t read = 0;
    EXPECT_EQ(file.read(out.data(), static_cast<uint32_t>(out.size()), &read), wave::kOk);
    EXPECT_EQ(read, out.size());
    return out;
}

using testsupport::fileBytes;

// An extensible-format "fmt " body: 16 bytes, extra size, then the extra part.
std::vector<uint8_t> extensibleFormat(uint16_t extraSize, uint8_t subFormatFirstByte) {
    Format f;
    f.tag = wave::kTagExtensible;
    std::vector<uint8_t> body = formatBytes(f);
    put16(body, extraSize);
    put16(body, 16);  // valid bits
    put32(body, 4);   // channel mask
    const uint8_t pcm[16] = {0x01, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    body.insert(body.end(), pcm, pcm + 16);
    body[24] = subFormatFirstByte;
    return body;
}

}  // namespace

TEST(WaveFile, WrittenFilesReadBackWithTheirFormatAndAudio) {
    testsupport::TempFolder folder;
    struct Case {
        Format format;
        uint32_t frames;
    };
    for (const Case& c : {Case{{1, 1, 44100, 16}, 441}, Case{{1, 2, 22050, 8}, 101}, Case{{1, 1, 8000, 8}, 3}}) {
        const std::string path = folder.file("round.wav");
        const std::vector<uint8_t> audio = tone(c.format, c.frames, 440.0);
        const wave::WaveFormat format = waveFormat(c.format);
        CWaveFile writer;
        ASSERT_EQ(writer.open(path.c_str(), &format, CWaveFile::kWrite), wave::kOk);
        uint32_t written = 0;
        ASSERT_EQ(writer.write(audio.data(), static_cast<uint32_t>(audio.size()), &written), wave::kOk);
        ASSERT_EQ(writer.close(), wave::kOk);
        // PCM needs no "fact" chunk and gets none; the file is exactly what a
        // reader independent of ours expects.
        EXPECT_EQ(fileBytes(path), pcmFile(c.format, audio));

        CWaveFile reader;
        ASSERT_EQ(reader.open(path.c_str(), nullptr, CWaveFile::kRead), wave::kOk);
        ASSERT_NE(reader.format(), nullptr);
        EXPECT_EQ(reader.format()->channels, c.format.channels);
        EXPECT_EQ(reader.format()->samplesPerSec, c.format.rate);
        EXPECT_EQ(reader.format()->bitsPerSample, c.format.bits);
        EXPECT_EQ(readAll(reader), audio);
    }
}

TEST(WaveFile, OtherFormatsKeepTheirExtraBytesAndGetTheRealSampleCount) {
    testsupport::TempFolder folder;
    wave::WaveFormat format = waveFormat({3, 2, 48000, 32});  // IEEE float
    format.extra = {0xAB, 0xCD};
    const std::vector<uint8_t> audio(10 * 8, 0x11);  // 10 frames
    CWaveFile writer;
    ASSERT_EQ(writer.open(folder.file("float.wav").c_str(), &format, CWaveFile::kWrite), wave::kOk);
    uint32_t written = 0;
    writer.write(audio.data(), static_cast<uint32_t>(audio.size()), &written);
    ASSERT_EQ(writer.close(), wave::kOk);
    const std::vector<uint8_t> bytes = fileBytes(folder.file("float.wav"));
    // RIFF(12) + "fmt "(8 + 20) then "fact" holding 10 frames.
    ASSERT_GE(bytes.size(), 52u);
    EXPECT_EQ(std::string(bytes.begin() + 40, bytes.begin() + 44), "fact");
    EXPECT_EQ(bytes[48], 10);

    CWaveFile reader;
    ASSERT_EQ(reader.open(folder.file("float.wav").c_str(), nullptr, CWaveFile::kRead), wave::kOk);
    EXPECT_EQ(reader.format()->extra, format.extra);
    EXPECT_EQ(readAll(reader), audio);
    // The loader takes PCM only.
    CWaves waves;
    CWaves::WaveId id = 0;
    EXPECT_EQ(waves.loadWaveFile(folder.file("float.wav").c_str(), &id), CWaves::kBadWave);
}

TEST(WaveFile, FailedWriteKeepsTheOldFile) {
    testsupport::TempFolder folder;
    const std::string path = folder.file("keep.wav");
    writeFile(path, {1, 2, 3});
    std::filesystem::create_directory(path + ".tmp");  // the temporary file cannot be made
    const wave::WaveFormat format = waveFormat({});
    CWaveFile writer;
    ASSERT_EQ(writer.open(path.c_str(), &format, CWaveFile::kWrite), wave::kOk);
    EXPECT_EQ(writer.close(), wave::kFail);
    EXPECT_EQ(fileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(WaveFile, ReadsStopAtTheEndOfTheDataAndNeedAnOpenFile) {
    const Format f{1, 1, 8000, 8};
    const std::vector<uint8_t> audio = tone(f, 5, 100.0);
    const std::vector<uint8_t> file = pcmFile(f, audio);
    CWaveFile reader;
    uint8_t buffer[16] = {};
    uint32_t read = 99;
    EXPECT_EQ(reader.read(buffer, 4, &read), wave::kNotInitialised);
    EXPECT_EQ(reader.resetFile(), wave::kNotInitialised);
    EXPECT_EQ(reader.open(nullptr, nullptr, CWaveFile::kRead), wave::kInvalidArgument);
    ASSERT_EQ(reader.openMemory(file.data(), file.size()), wave::kOk);
    EXPECT_EQ(reader.read(nullptr, 4, &read), wave::kInvalidArgument);
    EXPECT_EQ(reader.read(buffer, 3, &read), wave::kOk);
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(reader.read(buffer, 16, &read), wave::kOk);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(buffer[1], audio[4]);
    EXPECT_EQ(reader.read(buffer, 16, &read), wave::kOk);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(reader.resetFile(), wave::kOk);
    EXPECT_EQ(reader.read(buffer, 16, &read), wave::kOk);
    EXPECT_EQ(read, 5u);
}

TEST(WaveFile, MalformedFilesAreRefusedByBothReaders) {
    const Format pcm;
    const std::vector<uint8_t> fmt = chunk("fmt ", formatBytes(pcm));
    const std::vector<uint8_t> data = chunk("data", {1, 2, 3, 4});
    auto withFormat = [&](Format f) { return riff(concat(chunk("fmt ", formatBytes(f)), data)); };
    std::vector<uint8_t> hugeData = riff(fmt);
    putTag(hugeData, "data");
    put32(hugeData, 0xFFFFFFF0u);  // 4 GiB declared, nothing there
    hugeData.insert(hugeData.end(), 16, 0);
    std::vector<uint8_t> shortData = riff(concat(fmt, chunk("data", std::vector<uint8_t>(100, 7))));
    shortData.resize(shortData.size() - 10);
    std::vector<uint8_t> shortFormat = riff(fmt);
    shortFormat.resize(shortFormat.size() - 4);
    Format zeroRate = pcm;
    zeroRate.rate = 0;
    Format zeroChannels = pcm;
    zeroChannels.channels = 0;
    Format adpcm = pcm;
    adpcm.tag = 0x0002;
    std::vector<uint8_t> adpcmBody = formatBytes(adpcm);
    put16(adpcmBody, 40);  // extra bytes that are not there
    // Stereo 16-bit PCM frames are 4 bytes; these claim 2 (and 6).
    std::vector<uint8_t> halfBlock = formatBytes(Format{1, 2, 44100, 16});
    halfBlock[12] = 2;
    std::vector<uint8_t> extensibleBlock = extensibleFormat(22, 0x01);
    extensibleBlock[12] = 6;

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"not RIFF", concat({'R', 'I', 'F', 'X', 4, 0, 0, 0}, concat({'W', 'A', 'V', 'E'}, fmt))},
        {"form other than WAVE", riff(concat(fmt, data), "AVI ")},
        {"no fmt chunk", riff(data)},
        {"fmt shorter than 16", riff(concat(chunk("fmt ", std::vector<uint8_t>(14, 1)), data))},
        {"fmt past the end", shortFormat},
        {"no data chunk", riff(fmt)},
        {"data of 4 GiB declared", hugeData},
        {"data cut short", shortData},
        {"rate 0", withFormat(zeroRate)},
        {"no channels", withFormat(zeroChannels)},
        {"extra bytes past the chunk", riff(concat(chunk("fmt ", adpcmBody), data))},
        {"PCM block size other than its frame", riff(concat(chunk("fmt ", halfBlock), data))},
        {"extensible PCM block size other than its frame", riff(concat(chunk("fmt ", extensibleBlock), data))},
    };
    for (const Case& c : cases) {
        CWaveFile file;
        EXPECT_EQ(file.openMemory(c.bytes.data(), c.bytes.size()), wave::kFail) << c.name;
        EXPECT_EQ(file.format(), nullptr) << c.name;
        CWaves waves;
        CWaves::WaveId id = 0;
        EXPECT_EQ(waves.loadWaveMemory(c.bytes.data(), c.bytes.size(), &id), CWaves::kBadWave) << c.name;
    }
}

TEST(WaveFile, ANameThatOpensNoFileOpensTheProgramsOwnWaveResource) {
    testsupport::HeadlessEngine engine;
    testsupport::TempFolder program;
    // The program lives in <temp>/bin, so its resources are <temp>/bin/resources.
    simApplication::setProcessCommandLine(program.path() + "/bin/tolvaneBuilder");
    engine.app().parseCommandLine();
    simSound_null sound(nullptr);  // tells the readers where the resources are
    const std::string resources = program.path() + "/bin/resources/";
    std::filesystem::create_directories(resources + "WAVE");
    std::filesystem::create_directories(resources + "WAV");
    writeFile(resources + "WAVE/chime", pcmFile(Format{1, 1, 22050, 16}, tone(Format{1, 1, 22050, 16}, 8, 440.0)));
    writeFile(resources + "WAV/bell", pcmFile(Format{1, 2, 11025, 8}, tone(Format{1, 2, 11025, 8}, 8, 440.0)));
    writeFile(resources + "WAVE/both", pcmFile(Format{1, 1, 8000, 8}, tone(Format{1, 1, 8000, 8}, 8, 440.0)));
    writeFile(resources + "WAV/both", pcmFile(Format{1, 2, 8000, 8}, tone(Format{1, 2, 8000, 8}, 8, 440.0)));
    struct Case {
        std::string name;
        uint32_t rate;  // 0: refused
        uint16_t channels;
    };
    const Case cases[] = {
        {"chime", 22050, 1},
        {"bell", 11025, 2},
        {"both", 8000, 1},  // "WAVE" before "WAV"
        {"missing", 0, 0},
        {"../resources/WAVE/chime", 0, 0},  // a path names no resource
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        CWaveFile file;
        EXPECT_EQ(file.open(c.name.c_str(), nullptr, CWaveFile::kRead), c.rate ? wave::kOk : wave::kFail) << c.name;
        if (!c.rate) continue;
        ASSERT_NE(file.format(), nullptr) << c.name;
        EXPECT_EQ(file.format()->samplesPerSec, c.rate) << c.name;
        EXPECT_EQ(file.format()->channels, c.channels) << c.name;
        EXPECT_EQ(file.getSize(), 8u * c.channels * file.format()->bitsPerSample / 8u) << c.name;
    }
}

TEST(WaveFile, LoaderTakesPcmAndExtensiblePcmOnly) {
    const std::vector<uint8_t> data = chunk("data", {1, 2, 3, 4});
    Format tag92;
    tag92.tag = 0x92;
    std::vector<uint8_t> tag92Body = formatBytes(tag92);
    put16(tag92Body, 0);
    struct Case {
        const char* name;
        std::vector<uint8_t> format;
        CWaves::Result result;
    };
    const Case cases[] = {
        {"PCM", formatBytes(Format{}), CWaves::kOk},
        {"extensible PCM", extensibleFormat(22, 0x01), CWaves::kOk},
        {"extensible, other subformat", extensibleFormat(22, 0x03), CWaves::kBadWave},
        {"extensible, extra size 20", extensibleFormat(20, 0x01), CWaves::kBadWave},
        {"tag 0x92", tag92Body, CWaves::kBadWave},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> file = riff(concat(chunk("fmt ", c.format), data));
        CWaves waves;
        CWaves::WaveId id = 0;
        EXPECT_EQ(waves.loadWaveMemory(file.data(), file.size(), &id), c.result) << c.name;
        EXPECT_EQ(waves.isWaveId(id), c.result == CWaves::kOk) << c.name;
    }
}

TEST(WaveFile, LoaderIdsFindTheirWaveUntilDeleted) {
    testsupport::TempFolder folder;
    const Format f{1, 2, 22050, 16};
    const std::vector<uint8_t> audio = tone(f, 30, 440.0);
    writeFile(folder.file("a.wav"), pcmFile(f, audio));
    CWaves waves;
    CWaves::WaveId first = 0, second = 0;
    EXPECT_EQ(waves.loadWaveFile(folder.file("missing.wav").c_str(), &first), CWaves::kCannotOpen);
    EXPECT_EQ(waves.loadWaveFile(nullptr, &first), CWaves::kInvalidParameter);
    EXPECT_EQ(waves.loadWaveFile(folder.file("a.wav").c_str(), nullptr), CWaves::kInvalidParameter);
    ASSERT_EQ(waves.loadWaveFile(folder.file("a.wav").c_str(), &first), CWaves::kOk);
    ASSERT_EQ(waves.loadWaveFile(folder.file("a.wav").c_str(), &second), CWaves::kOk);
    EXPECT_NE(first, second);

    wave::WaveFormat header;
    ASSERT_EQ(waves.getWaveFormatExHeader(first, &header), CWaves::kOk);
    EXPECT_EQ(header.channels, 2);
    EXPECT_EQ(header.samplesPerSec, 22050u);
    EXPECT_EQ(header.blockAlign, 4);
    uint32_t size = 0;
    const uint8_t* bytes = nullptr;
    ASSERT_EQ(waves.getWaveSize(first, &size), CWaves::kOk);
    ASSERT_EQ(waves.getWaveData(first, &bytes), CWaves::kOk);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + size), audio);
    EXPECT_EQ(waves.getWaveSize(first, nullptr), CWaves::kInvalidParameter);

    EXPECT_EQ(waves.deleteWaveFile(0), CWaves::kOk);
    EXPECT_EQ(waves.deleteWaveFile(first), CWaves::kOk);
    EXPECT_EQ(waves.deleteWaveFile(first), CWaves::kUnknownId);
    EXPECT_FALSE(waves.isWaveId(first));
    EXPECT_EQ(waves.getWaveData(first, &bytes), CWaves::kUnknownId);
    EXPECT_TRUE(waves.isWaveId(second));
}
