#include "app/shell/tbCameraRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

class Writer {
public:
    explicit Writer(std::array<uint8_t, tbCameraRecord::kSize>& out) : m_out(out) { m_out.fill(0); }
    void f32(float v) { put(&v, 4); }
    void u32(uint32_t v) { put(&v, 4); }
    void vec(const d3dx::Vector3& v) { f32(v.x), f32(v.y), f32(v.z); }
    void matrix(const d3dx::Matrix& m) { put(&m.m[0][0], 64); }
    void zeros(size_t n) { m_at += n; }
    void name(const std::string& text) {
        const size_t n = std::min(text.size(), tbCameraRecord::kNameSize - 1);
        std::memcpy(m_out.data() + m_at, text.data(), n);
        m_at += tbCameraRecord::kNameSize;
    }
    size_t at() const { return m_at; }

private:
    // The program runs on little-endian machines only, as the file format is.
    void put(const void* data, size_t n) {
        std::memcpy(m_out.data() + m_at, data, n);
        m_at += n;
    }
    std::array<uint8_t, tbCameraRecord::kSize>& m_out;
    size_t m_at = 0;
};

class Reader {
public:
    explicit Reader(const uint8_t* bytes) : m_bytes(bytes) {}
    float f32() { return take<float>(); }
    uint32_t u32() { return take<uint32_t>(); }
    d3dx::Vector3 vec() {
        d3dx::Vector3 v;
        v.x = f32(), v.y = f32(), v.z = f32();
        return v;
    }
    d3dx::Matrix matrix() {
        d3dx::Matrix m;
        std::memcpy(&m.m[0][0], m_bytes + m_at, 64);
        m_at += 64;
        return m;
    }
    void skip(size_t n) { m_at += n; }
    std::string name() {
        const char* field = reinterpret_cast<const char*>(m_bytes + m_at);
        m_at += tbCameraRecord::kNameSize;
        // The field holds at most 127 characters and its NUL; a field without
        // a NUL gives its first 127, so the name writes back as it was read.
        return std::string(field, strnlen(field, tbCameraRecord::kNameSize - 1));
    }

private:
    template <class T>
    T take() {
        T v;
        std::memcpy(&v, m_bytes + m_at, sizeof v);
        m_at += sizeof v;
        return v;
    }
    const uint8_t* m_bytes;
    size_t m_at = 0;
};

bool finite(const d3dx::Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool finite(const d3dx::Matrix& m) {
    for (const auto& row : m.m)
        for (float v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

bool refuse(std::string* reason, const char* why) {
    if (reason) *reason = why;
    return false;
}

}  // namespace

tbCameraRecordBytes tbWriteCameraRecord(const tbCameraRecord& r) {
    std::array<uint8_t, tbCameraRecord::kSize> bytes;
    Writer w(bytes);
    w.vec(r.angles);
    w.u32(r.projectionMode);
    w.u32(r.orientationMode);
    w.matrix(r.savedRotation);
    w.name(r.name);
    w.vec(r.target);
    w.vec(r.position);
    w.vec(r.forward);
    w.vec(r.up);
    w.zeros(12);
    w.vec(r.sphereCentre);
    w.f32(r.distance), w.f32(r.afterDistance);
    w.zeros(16);
    w.f32(r.fieldOfView), w.f32(r.aspect);
    w.f32(r.aspect), w.f32(r.nearZ);
    w.f32(r.nearZ), w.f32(r.farZ);
    w.f32(r.farZ), w.f32(r.position.x);
    w.zeros(8);
    w.f32(r.sphereRadius), w.zeros(4);
    w.matrix(r.rotation);
    w.matrix(r.view);
    w.zeros(64);
    w.matrix(r.projection);
    w.matrix(r.inverseView);
    w.zeros(64);
    w.matrix(r.inverseRotation);
    return bytes;
}

bool tbReadCameraRecord(const uint8_t* bytes, size_t size, tbCameraRecord& out, std::string* reason) {
    if (!bytes || size < tbCameraRecord::kSize) return refuse(reason, "camera record cut short");
    Reader r(bytes);
    tbCameraRecord rec;
    rec.angles = r.vec();
    rec.projectionMode = r.u32();
    rec.orientationMode = r.u32();
    rec.savedRotation = r.matrix();
    rec.name = r.name();
    rec.target = r.vec();
    rec.position = r.vec();
    rec.forward = r.vec();
    rec.up = r.vec();
    r.skip(12);
    rec.sphereCentre = r.vec();
    rec.distance = r.f32(), rec.afterDistance = r.f32();
    r.skip(16);
    rec.fieldOfView = r.f32(), rec.aspect = r.f32();
    rec.aspect = r.f32(), rec.nearZ = r.f32();
    rec.nearZ = r.f32(), rec.farZ = r.f32();
    rec.farZ = r.f32(), rec.position.x = r.f32();
    r.skip(8);
    rec.sphereRadius = r.f32(), r.skip(4);
    rec.rotation = r.matrix();
    rec.view = r.matrix();
    r.skip(64);
    rec.projection = r.matrix();
    rec.inverseView = r.matrix();
    r.skip(64);
    rec.inverseRotation = r.matrix();

    if (!finite(rec.angles) || !finite(rec.savedRotation) || !finite(rec.rotation) || !finite(rec.target) ||
        !std::isfinite(rec.distance) || !std::isfinite(rec.fieldOfView) || !std::isfinite(rec.aspect))
        return refuse(reason, "camera record holds a value that is not a finite number");
    // A mode past the last is taken as the last.
    rec.projectionMode = std::min<uint32_t>(rec.projectionMode, 2);
    rec.orientationMode = std::min<uint32_t>(rec.orientationMode, 6);
    if (!(rec.nearZ >= 0.0f && rec.farZ > rec.nearZ && std::isfinite(rec.farZ)))
        return refuse(reason, "camera record near and far make no projection");
    // A camera's aspect is its view's width over its height, never zero or
    // less; such a value would turn the projection inside out or infinite.
    if (!(rec.aspect > 0.0f)) return refuse(reason, "camera record aspect is not above zero");
    out = std::move(rec);
    return true;
}
