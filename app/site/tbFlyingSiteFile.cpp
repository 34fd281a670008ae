// The .tvq codec. One set of transfer functions names the file's fields in
// order and the reading and the writing archive run them, so the two
// directions cannot drift apart; the reader checks every count, tag and
// object record against the bytes left as it goes.
#include "app/site/tbFlyingSiteFile.h"

#include "app/shell/tbRecordArchive.h"

namespace {

constexpr char kMagic[] = "TOLVANEBUILDER PROJECT";
// The smallest collision object entry: its tag and the common record.
constexpr size_t kSmallestObjectEntry = 4 + 239;

template <class A, class M>
void matrix(A& a, M& m) {
    for (auto& row : m.m)
        for (auto& f : row) a.f32(f);
}

// Alpha first, as the colour record is kept in every project file.
template <class A, class C>
void colour(A& a, C& c) {
    int32_t parts[4] = {c.alpha, c.red, c.green, c.blue};
    for (int32_t& p : parts) a.i32(p);
    if constexpr (A::kReading) c.set(parts[0], parts[1], parts[2], parts[3]);
}

template <class A, class D>
void header(A& a, D& d) {
    std::string magic = kMagic;
    a.text(magic, kFlyingSiteMagicSize);
    if (magic != kMagic) return a.fail("not a flying-site project file");
    a.u32(d.version);
    a.text(d.exportName, kFlyingSiteTextSize);
    a.text(d.siteName, kFlyingSiteTextSize);
    a.text(d.siteDescription, kFlyingSiteTextSize);
    a.u32(d.imageMode);
    a.u8(d.interior);
    for (auto& path : d.cubeImages) a.text(path, kFlyingSiteTextSize);
    a.text(d.sphereImage, kFlyingSiteTextSize);
    tbTransferVec3(a, d.panoramaRotation);
    tbTransferVec3(a, d.panoramaPosition);
    matrix(a, d.panoramaTransform);
    colour(a, d.ambient);
    colour(a, d.diffuse);
    colour(a, d.specular);
    tbTransferVec3(a, d.sunPosition);
}

// The water mask's bytes behind their u32 size.
template <class A, class D>
void waterMask(A& a, D& d) {
    if (!a.unsignedCount(d.waterMask, 1, "water mask bytes")) return;
    a.bytes(d.waterMask.data(), d.waterMask.size());
}

template <class A, class D>
void positions(A& a, D& d) {
    if (!a.unsignedCount(d.positions, kFlyingSitePositionSize, "positions")) return;
    for (auto& record : d.positions) a.bytes(record.data(), record.size());
}

template <class A, class D>
void tail(A& a, D& d) {
    a.u8(d.waterEnabled);
    tbTransferVec3(a, d.waterPosition);
    waterMask(a, d);
    if (!a.ok()) return;
    positions(a, d);
    if (!a.ok()) return;
    a.u8(d.windFlag);
    for (auto& speed : d.windSpeed) a.f32(speed);
    tbTransferVec3(a, d.windRotation);
    tbTransferVec3(a, d.windPosition);
    if (d.version < 2) return;
    a.text(d.ambientSound, kFlyingSiteSoundSize);
    a.u8(d.reverb);
}

// Each entry's record is checked by the objects' reader in place and kept
// as the bytes it spans.
bool readObjects(utils::ByteCursor& in, tbReadArchive& a, const uint8_t* file,
                 const tbSiteObjectRecordReader& readObject, tbFlyingSiteFileData& d) {
    if (!a.unsignedCount(d.objects, kSmallestObjectEntry, "collision objects")) return false;
    for (size_t i = 0; i < d.objects.size(); ++i) {
        tbSiteObjectEntry& entry = d.objects[i];
        a.u32(entry.tag);
        if (!a.ok()) return false;
        const std::string which = "collision object " + std::to_string(i);
        if (entry.tag >= kFlyingSiteObjectTags) {
            a.fail(which + " has the unknown type " + std::to_string(entry.tag));
            return false;
        }
        const size_t start = in.position();
        std::string reason;
        if (!readObject(in, entry.tag, reason) || !in.ok()) {
            a.fail(which + ": " + (reason.empty() ? std::string("the file ends inside it") : reason));
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
    tbReadArchive a(in);
    tbFlyingSiteFileData d;
    header(a, d);
    if (a.ok()) readObjects(in, a, static_cast<const uint8_t*>(data), readObject, d);
    if (a.ok()) tail(a, d);
    if (!a.ok()) {
        error = a.error().empty() ? "the file ends early, at byte " + std::to_string(size) : a.error();
        return false;
    }
    out = std::move(d);
    return true;
}

std::vector<uint8_t> writeFlyingSiteFile(const tbFlyingSiteFileData& data) {
    tbWriteArchive a;
    header(a, data);
    a.u32(uint32_t(data.objects.size()));
    for (const tbSiteObjectEntry& entry : data.objects) {
        a.u32(entry.tag);
        a.bytes(entry.record.data(), entry.record.size());
    }
    tail(a, data);
    return a.take();
}
