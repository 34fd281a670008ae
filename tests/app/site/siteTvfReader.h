// Reads an exported .tvf back field by field for the tests, checking the
// fixed blocks' padding on the way: what the simulator would find in it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/site/tbSiteTvfFile.h"
#include "engine/core/byteCursor.h"

namespace sitetest {

// A fixed text block: the text, then nothing but zeros.
inline std::string block(utils::ByteCursor& in, size_t width) {
    std::vector<char> bytes(width);
    in.bytes(bytes.data(), width);
    const std::string text(bytes.data(), strnlen(bytes.data(), width));
    for (size_t i = text.size(); i < width; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i << " of \"" << text << "\"";
    return text;
}

inline d3dx::Vector3 vec3(utils::ByteCursor& in) {
    d3dx::Vector3 v;
    v.x = in.f32();
    v.y = in.f32();
    v.z = in.f32();
    return v;
}

inline simColour colour(utils::ByteCursor& in) {
    simColour c;
    c.alpha = in.i32();
    c.red = in.i32();
    c.green = in.i32();
    c.blue = in.i32();
    return c;
}

inline std::vector<uint8_t> blob(utils::ByteCursor& in) {
    std::vector<uint8_t> bytes(in.u32());
    if (bytes.size() > in.remaining()) bytes.resize(in.remaining());
    in.bytes(bytes.data(), bytes.size());
    return bytes;
}

// The record read back, with the magic, the version and the wind flag.
struct ReadTvf {
    std::string magic;
    uint32_t version = 0;
    tbSiteTvfData data;
    uint8_t windFlag = 0;
    std::array<float, 3> windSpeeds{};
    bool whole = false;  // every byte read and nothing left over
};

// `objectRecordSize` gives the size of a collision object's record by its tag.
inline ReadTvf readTvf(const std::vector<uint8_t>& file, const std::function<size_t(uint32_t)>& objectRecordSize) {
    ReadTvf r;
    utils::ByteCursor in(file.data(), file.size());
    tbSiteTvfData& d = r.data;
    r.magic = block(in, 32);
    r.version = in.u32();
    d.siteName = block(in, 256);
    d.siteDescription = block(in, 256);
    d.imageMode = in.u32();
    d.interior = in.u8();
    const int names = d.imageMode == 0 ? 6 : d.imageMode == 1 ? 1 : 0;
    for (int i = 0; i < names; ++i) d.imageNames.push_back(block(in, 256));
    d.panoramaRotation = vec3(in);
    for (auto& row : d.panoramaTransform.m)
        for (float& f : row) f = in.f32();
    d.cubemapName = block(in, 256);
    d.ambient = colour(in);
    d.diffuse = colour(in);
    d.specular = colour(in);
    d.sunPosition = vec3(in);
    d.positions.resize(in.u32());
    for (auto& record : d.positions) in.bytes(record.data(), record.size());
    d.objects.resize(in.u32());
    for (auto& object : d.objects) {
        object.tag = in.u32();
        object.record.resize(objectRecordSize(object.tag));
        in.bytes(object.record.data(), object.record.size());
    }
    d.blackBitmap = blob(in);
    d.waterEnabled = in.u8();
    if (d.waterEnabled) {
        d.waterPosition = vec3(in);
        d.waterMaskBitmap = blob(in);
    }
    r.windFlag = in.u8();
    for (float& f : r.windSpeeds) f = in.f32();
    d.windSpeed = r.windSpeeds[0];
    d.windRotation = vec3(in);
    d.ambientSoundName = block(in, kSiteTvfSoundSize);
    d.reverb = in.u8();
    r.whole = in.ok() && in.remaining() == 0;
    return r;
}

}  // namespace sitetest
