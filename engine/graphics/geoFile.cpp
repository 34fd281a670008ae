#include "engine/graphics/geoFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/core/byteCursor.h"

namespace {

// Smallest size of each record, used to refuse counts that the bytes left
// cannot hold before anything is allocated for them.
constexpr size_t kBoxSize = 24;
constexpr size_t kNameSize = 128;
constexpr size_t kTextureNameSize = 512;
constexpr size_t kMaterialMinSize = kNameSize + 4 + 4 * 12 + 6 * 4;
constexpr size_t kNodeMinSize = kNameSize + 4 + kBoxSize + 64 + 4 + 4;
constexpr size_t kLayerMinSize = kBoxSize + 4 + 10 + 4;
constexpr size_t kBatchSize = kBoxSize + 4 + 4;
// The most vertices a model may hold: its vertex buffer is sized in 32 bits.
constexpr int32_t kMaxVertices = int32_t(UINT32_MAX / sizeof(simVertex) / 3 * 3);

class geoFileParser {
public:
    geoFileParser(const void* data, size_t size, geoVertexReading reading)
        : base_(static_cast<const uint8_t*>(data)), in_(data, size), reading_(reading) {}

    // With `run` the vertices stay in the input and `run` describes them;
    // otherwise they are decoded into `out.vertices`.
    bool parse(geoFileData& out, geoFileVertexRun* run) {
        out.formatWord = in_.u32();
        out.headerWordA = in_.u32();
        out.headerWordB = in_.u32();
        out.triangleCount = in_.u32();
        out.unused = in_.u8();
        out.box = box();
        if (!in_.ok()) return fail("truncated header");

        const int32_t materialCount = count(kMaterialMinSize, "material");
        for (int32_t i = 0; i < materialCount && ok(); ++i) {
            out.materials.push_back(material(i));
        }
        if (!ok()) return false;

        // The vertices are one triangle list; the model loader reads whole triangles only.
        const int32_t group = reading_ == geoVertexReading::everyVertex ? 1 : 3;
        const int32_t readable = count(simVertex::kFileSize, "vertex", group, kMaxVertices) / group * group;
        const geoFileVertexRun vertices{base_ + in_.position(), readable};
        in_.skip(size_t(readable) * simVertex::kFileSize);
        if (!in_.ok()) return fail("truncated vertices");
        vertexCount_ = readable;
        if (run) {
            *run = vertices;
        } else {
            out.vertices.resize(static_cast<size_t>(readable));
            for (int32_t i = 0; i < readable; ++i) vertices.copyTo(i, &out.vertices[size_t(i)]);
        }

        const int32_t rootCount = count(kNodeMinSize, "node");
        for (int32_t i = 0; i < rootCount && ok(); ++i) {
            out.roots.push_back(node(1));
        }
        return ok();
    }

    const std::string& error() const { return error_; }

private:
    bool ok() const { return error_.empty(); }

    bool fail(std::string reason) {
        if (error_.empty()) error_ = std::move(reason);
        return false;
    }

    // Reads a count and checks it against `most` and that the bytes left
    // can hold that many records, read in groups of `group` (whole groups
    // only); a refused count reads as none.
    int32_t count(size_t recordSize, const char* what, int32_t group = 1, int32_t most = INT32_MAX) {
        const int32_t n = in_.i32();
        if (!in_.ok()) {
            fail(std::string("truncated ") + what + " count");
            return 0;
        }
        if (n > most) {
            fail(std::string(what) + " count " + std::to_string(n) + " exceeds the most a model may hold (" +
                 std::to_string(most) + ")");
            return 0;
        }
        if (!in_.canHold(n / group, recordSize * group)) {
            fail(std::string(what) + " count " + std::to_string(n) + " exceeds the file");
            return 0;
        }
        return n < 0 ? 0 : n;
    }

    geoFileBox box() {
        geoFileBox b;
        b.min = vector3();
        b.max = vector3();
        return b;
    }

    d3dx::Vector3 vector3() {
        d3dx::Vector3 v;
        v.x = in_.f32();
        v.y = in_.f32();
        v.z = in_.f32();
        return v;
    }

    std::array<float, 3> colour() { return {in_.f32(), in_.f32(), in_.f32()}; }

    geoFileMaterial material(int32_t index) {
        geoFileMaterial m;
        m.name = in_.text(kNameSize);
        const int32_t textureCount = count(kTextureNameSize, "texture");
        for (int32_t i = 0; i < textureCount; ++i) m.textures.push_back(in_.text(kTextureNameSize));
        m.diffuse = colour();
        m.emissive = colour();
        m.ambient = colour();
        m.specular = colour();
        m.incandescance = in_.f32();
        m.transparency = in_.f32();
        m.glow = in_.f32();
        m.specularRolloff = in_.f32();
        m.eccentricity = in_.f32();
        m.reflectivity = in_.f32();
        if (!in_.ok()) fail("truncated material " + std::to_string(index));
        return m;
    }

    geoFileNode node(int depth) {
        geoFileNode n;
        if (depth > kGeoFileMaxDepth) {
            fail("nodes nested deeper than " + std::to_string(kGeoFileMaxDepth));
            return n;
        }
        n.name = in_.text(kNameSize);
        n.kind = in_.u32();
        n.box = box();
        for (float& f : n.matrix) f = in_.f32();
        if (!in_.ok()) {
            fail("truncated node");
            return n;
        }
        const int32_t layerCount = count(kLayerMinSize, "layer");
        for (int32_t i = 0; i < layerCount && ok(); ++i) n.layers.push_back(layer());
        if (!ok()) return n;
        const int32_t childCount = count(kNodeMinSize, "child node");
        for (int32_t i = 0; i < childCount && ok(); ++i) n.children.push_back(node(depth + 1));
        return n;
    }

    geoFileLayer layer() {
        geoFileLayer l;
        l.box = box();
        l.materialIndex = in_.i32();
        in_.bytes(l.keptBytes.data(), l.keptBytes.size());
        const int32_t batchCount = count(kBatchSize, "batch");
        for (int32_t i = 0; i < batchCount && ok(); ++i) {
            geoFileBatch b;
            b.box = box();
            b.firstVertex = in_.i32();
            b.endVertex = in_.i32();
            if (!in_.ok()) {
                fail("truncated batch");
                break;
            }
            // A batch draws from its first vertex up to its end: both must lie
            // within the vertices read, or the draw would read past the buffer.
            if (b.firstVertex < 0 || b.firstVertex > b.endVertex || b.endVertex > vertexCount_) {
                fail("batch " + std::to_string(b.firstVertex) + ".." + std::to_string(b.endVertex) +
                     " outside " + std::to_string(vertexCount_) + " vertices");
                break;
            }
            l.batches.push_back(b);
        }
        if (!in_.ok()) fail("truncated layer");
        return l;
    }

    const uint8_t* base_;
    utils::ByteCursor in_;
    geoVertexReading reading_;
    int32_t vertexCount_ = 0;
    std::string error_;
};

class geoFileEncoder {
public:
    std::vector<uint8_t> encode(const geoFileData& d) {
        u32(d.formatWord);
        u32(d.headerWordA);
        u32(d.headerWordB);
        u32(d.triangleCount);
        bytes(&d.unused, 1);
        box(d.box);
        i32(static_cast<int32_t>(d.materials.size()));
        for (const geoFileMaterial& m : d.materials) material(m);
        i32(static_cast<int32_t>(d.vertices.size()));
        for (const simVertex& v : d.vertices) vertex(v);
        i32(static_cast<int32_t>(d.roots.size()));
        for (const geoFileNode& n : d.roots) node(n);
        return std::move(out_);
    }

private:
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void u32(uint32_t v) { bytes(&v, 4); }
    void i32(int32_t v) { bytes(&v, 4); }
    void f32(float v) { bytes(&v, 4); }
    void vector3(const d3dx::Vector3& v) {
        f32(v.x);
        f32(v.y);
        f32(v.z);
    }
    void box(const geoFileBox& b) {
        vector3(b.min);
        vector3(b.max);
    }
    // A fixed-width field, NUL-padded; the text is cut to leave one NUL.
    void text(const std::string& s, size_t width) {
        std::vector<char> field(width, '\0');
        std::memcpy(field.data(), s.data(), std::min(s.size(), width - 1));
        bytes(field.data(), width);
    }

    void material(const geoFileMaterial& m) {
        text(m.name, kNameSize);
        i32(static_cast<int32_t>(m.textures.size()));
        for (const std::string& t : m.textures) text(t, kTextureNameSize);
        for (const auto* c : {&m.diffuse, &m.emissive, &m.ambient, &m.specular}) {
            for (float f : *c) f32(f);
        }
        for (float f : {m.incandescance, m.transparency, m.glow, m.specularRolloff, m.eccentricity,
                        m.reflectivity}) {
            f32(f);
        }
    }

    void vertex(const simVertex& v) {
        vector3(v.position);
        vector3(v.normal);
        for (const auto& uv : v.uv) {
            f32(uv.x);
            f32(uv.y);
        }
        u32(v.colour);
    }

    void node(const geoFileNode& n) {
        text(n.name, kNameSize);
        u32(n.kind);
        box(n.box);
        for (float f : n.matrix) f32(f);
        i32(static_cast<int32_t>(n.layers.size()));
        for (const geoFileLayer& l : n.layers) {
            box(l.box);
            i32(l.materialIndex);
            bytes(l.keptBytes.data(), l.keptBytes.size());
            i32(static_cast<int32_t>(l.batches.size()));
            for (const geoFileBatch& b : l.batches) {
                box(b.box);
                i32(b.firstVertex);
                i32(b.endVertex);
            }
        }
        i32(static_cast<int32_t>(n.children.size()));
        for (const geoFileNode& c : n.children) node(c);
    }

    std::vector<uint8_t> out_;
};

}  // namespace

namespace {

bool parseGeoFile(const void* data, size_t size, geoFileData& out, std::string& error, geoFileVertexRun* vertices,
                  geoVertexReading reading) {
    out = geoFileData{};
    if (vertices) *vertices = geoFileVertexRun{};
    geoFileParser parser(data, size, reading);
    if (parser.parse(out, vertices)) return true;
    error = parser.error();
    out = geoFileData{};
    if (vertices) *vertices = geoFileVertexRun{};
    return false;
}

}  // namespace

bool readGeoFile(const void* data, size_t size, geoFileData& out, std::string& error, geoVertexReading reading) {
    return parseGeoFile(data, size, out, error, nullptr, reading);
}

bool readGeoFile(const void* data, size_t size, geoFileData& out, std::string& error, geoFileVertexRun* vertices) {
    return parseGeoFile(data, size, out, error, vertices, geoVertexReading::wholeTriangles);
}

std::vector<uint8_t> writeGeoFile(const geoFileData& data) { return geoFileEncoder().encode(data); }
