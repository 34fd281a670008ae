// The .tvq codec: one reader that checks every field against the bytes left
// before the caller builds anything, and its writer.
#include "app/site/tbFlyingSiteFile.h"

#include "engine/core/byteCursor.h"
#include "engine/core/byteWriter.h"

namespace {

constexpr char kMagic[] = "TOLVANEBUILDER PROJECT";
// The smallest collision object entry: its tag and the common record.
constexpr size_t kSmallestObjectEntry = 4 + 239;

void readVector(utils::ByteCursor& in, d3dx::Vector3& v) {
    v.x = in.f32();
    v.y = in.f32();
    v.z = in.f32();
}
void writeVector(utils::ByteWriter& out, const d3dx::Vector3& v) {
    out.f32(v.x);
    out.f32(v.y);
    out.f32(v.z);
}

void readMatrix(utils::ByteCursor& in, d3dx::Matrix& m) {
    for (auto& row : m.m)
        for (float& f : row) f = in.f32();
}
void writeMatrix(utils::ByteWriter& out, const d3dx::Matrix& m) {
    for (const auto& row : m.m)
        for (float f : row) out.f32(f);
}

// Alpha first, as the colour record is kept in every project file.
void readColour(utils::ByteCursor& in, simColour& c) {
    const int32_t alpha = in.i32(), red = in.i32(), green = in.i32(), blue = in.i32();
    c.set(alpha, red, green, blue);
}
void writeColour(utils::ByteWriter& out, const simColour& c) {
    out.i32(c.alpha);
    out.i32(c.red);
    out.i32(c.green);
    out.i32(c.blue);
}

bool readHeader(utils::ByteCursor& in, tbFlyingSiteFileData& d, std::string& error) {
    if (in.text(kFlyingSiteMagicSize) != kMagic || !in.ok()) {
        error = "not a flying-site project file";
        return false;
    }
    d.version = in.u32();
    d.exportName = in.text(kFlyingSiteTextSize);
    d.siteName = in.text(kFlyingSiteTextSize);
    d.siteDescription = in.text(kFlyingSiteTextSize);
    d.imageMode = in.u32();
    d.interior = in.u8();
    for (std::string& path : d.cubeImages) path = in.text(kFlyingSiteTextSize);
    d.sphereImage = in.text(kFlyingSiteTextSize);
    readVector(in, d.panoramaRotation);
    readVector(in, d.panoramaPosition);
    readMatrix(in, d.panoramaTransform);
    readColour(in, d.ambient);
    readColour(in, d.diffuse);
    readColour(in, d.specular);
    readVector(in, d.sunPosition);
    if (!in.ok()) error = "the file ends inside its header";
    return in.ok();
}

bool readObjects(utils::ByteCursor& in, const uint8_t* file, const tbSiteObjectRecordReader& readObject,
                 tbFlyingSiteFileData& d, std::string& error) {
    const uint32_t count = in.u32();
    if (!in.ok() || !in.canHold(count, kSmallestObjectEntry)) {
        error = in.ok() ? "more collision objects than the file can hold" : "the file ends inside its header";
        return false;
    }
    d.objects.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        tbSiteObjectEntry& entry = d.objects[i];
        entry.tag = in.u32();
        if (!in.ok()) {
            error = "the file ends inside the collision objects";
            return false;
        }
        if (entry.tag >= kFlyingSiteObjectTags) {
            error = "collision object " + std::to_string(i) + " has the unknown type " + std::to_string(entry.tag);
            return false;
        }
        const size_t start = in.position();
        std::string reason;
        if (!readObject(in, entry.tag, reason) || !in.ok()) {
            error = "collision object " + std::to_string(i) + ": " +
                    (reason.empty() ? std::string("the file ends inside it") : reason);
            return false;
        }
        entry.record.assign(file + start, file + in.position());
    }
    return true;
}

}  // namespace

bool readFlyingSiteFile(const void* data, size_t size, const tbSiteObjectRecordReader& readObject,
                        tbFlyingSiteFileData& out, std::string& error) {
    utils::ByteCursor in(data, size);
    tbFlyingSiteFileData d;
    if (!readHeader(in, d, error) || !readObjects(in, static_cast<const uint8_t*>(data), readObject, d, error))
        return false;

    d.waterEnabled = in.u8();
    readVector(in, d.waterPosition);
    const uint32_t maskBytes = in.u32();
    if (!in.ok() || maskBytes > in.remaining()) {
        error = in.ok() ? "the water mask is longer than the file" : "the file ends inside the water settings";
        return false;
    }
    d.waterMask.resize(maskBytes);
    in.bytes(d.waterMask.data(), maskBytes);

    const uint32_t positions = in.u32();
    if (!in.ok() || !in.canHold(positions, kFlyingSitePositionSize)) {
        error = in.ok() ? "more positions than the file can hold" : "the file ends after the water mask";
        return false;
    }
    d.positions.resize(positions);
    for (tbSitePositionRecord& record : d.positions) in.bytes(record.data(), record.size());

    d.windFlag = in.u8();
    for (float& speed : d.windSpeed) speed = in.f32();
    readVector(in, d.windRotation);
    readVector(in, d.windPosition);
    if (d.version >= 2) {
        d.ambientSound = in.text(kFlyingSiteSoundSize);
        d.reverb = in.u8();
    }
    if (!in.ok()) {
        error = "the file ends inside the wind and sound settings";
        return false;
    }
    out = std::move(d);
    return true;
}

std::vector<uint8_t> writeFlyingSiteFile(const tbFlyingSiteFileData& d) {
    utils::ByteWriter out;
    out.text(kMagic, kFlyingSiteMagicSize);
    out.u32(d.version);
    out.text(d.exportName, kFlyingSiteTextSize);
    out.text(d.siteName, kFlyingSiteTextSize);
    out.text(d.siteDescription, kFlyingSiteTextSize);
    out.u32(d.imageMode);
    out.u8(d.interior);
    for (const std::string& path : d.cubeImages) out.text(path, kFlyingSiteTextSize);
    out.text(d.sphereImage, kFlyingSiteTextSize);
    writeVector(out, d.panoramaRotation);
    writeVector(out, d.panoramaPosition);
    writeMatrix(out, d.panoramaTransform);
    writeColour(out, d.ambient);
    writeColour(out, d.diffuse);
    writeColour(out, d.specular);
    writeVector(out, d.sunPosition);
    out.u32(uint32_t(d.objects.size()));
    for (const tbSiteObjectEntry& entry : d.objects) {
        out.u32(entry.tag);
        out.bytes(entry.record.data(), entry.record.size());
    }
    out.u8(d.waterEnabled);
    writeVector(out, d.waterPosition);
    out.u32(uint32_t(d.waterMask.size()));
    out.bytes(d.waterMask.data(), d.waterMask.size());
    out.u32(uint32_t(d.positions.size()));
    for (const tbSitePositionRecord& record : d.positions) out.bytes(record.data(), record.size());
    out.u8(d.windFlag);
    for (float speed : d.windSpeed) out.f32(speed);
    writeVector(out, d.windRotation);
    writeVector(out, d.windPosition);
    if (d.version >= 2) {
        out.text(d.ambientSound, kFlyingSiteSoundSize);
        out.u8(d.reverb);
    }
    return out.take();
}
