// The .tvp codec. One set of transfer functions describes every record
// field by field; a reading and a writing archive run them, so the two
// directions cannot drift apart. Checks that only a reader needs (indices
// against their lists, ranges, sizes) follow the transfer.
#include "app/scheme/tbProjectFile.h"

#include <algorithm>
#include <cstring>

#include "app/scheme/tbTextFields.h"
#include "app/shell/tbRecordArchive.h"
#include "platform/d3dx/d3dxImageTypes.h"

namespace {

constexpr char kMagic[] = "TOLVANEBUILDER PROJECT";
constexpr size_t kMagicSize = 32, kNameSize = kProjectTextBytes + 1, kShapeNameSize = kStoredShapeNameBytes + 1;
constexpr size_t kFontNameSize = 64;
constexpr size_t kVertexSize = 52, kShapePointSize = 25, kOutlinePointSize = 28;
constexpr size_t kObjectFixedSize = 256 + 4 + 1 + 1 + 24 + 4 + 4;

using ReadArchive = tbReadArchive;
using WriteArchive = tbWriteArchive;

// ---- Field groups ----

template <class A, class C>
void colour(A& a, C& c) {
    int32_t parts[4] = {c.red, c.green, c.blue, c.alpha};
    for (int32_t& p : parts) a.i32(p);
    if constexpr (A::kReading) c.set(parts[3], parts[0], parts[1], parts[2]);
    a.f32(c.redF);
    a.f32(c.greenF);
    a.f32(c.blueF);
    a.f32(c.alphaF);
}

template <class A, class V>
void vertex(A& a, V& v) {
    tbTransferVec3(a, v.position);
    tbTransferVec3(a, v.normal);
    for (auto& uv : v.uv) tbTransferVec2(a, uv);
    a.u32(v.colour);
}

template <class A, class L>
void indexList(A& a, L& list, const char* what) {
    if (!a.count(list, 4, what)) return;
    for (auto& i : list) a.u32(i);
}

template <class A, class T>
void triangle(A& a, T& t) {
    a.u32(t.index);
    tbTransferVec3(a, t.centre);
    a.f32(t.radius);
    tbTransferVec3(a, t.faceNormal);
    for (auto& i : t.vertexIndices) a.u32(i);
    for (auto& p : t.positions) tbTransferVec3(a, p);
    for (auto& n : t.normals) tbTransferVec3(a, n);
    for (auto& uv : t.uvs) tbTransferVec2(a, uv);
    for (auto& s : t.screenCorners) tbTransferVec2(a, s);
    for (auto& d : t.screenDepths) a.f32(d);
    for (auto& f : t.edgeFlags) a.u8(f);
    indexList(a, t.edgeNeighbours, "edge neighbours");
    indexList(a, t.cornerNeighbours, "corner neighbours");
    indexList(a, t.textureNeighbours, "texture neighbours");
    for (auto& list : t.cornerLists) {
        if (!a.count(list, 8, "corner list entries")) return;
        for (auto& [triangleIndex, corner] : list) {
            a.u32(triangleIndex);
            a.u32(corner);
        }
    }
}

template <class A, class M>
void material(A& a, M& m, int32_t version) {
    a.u32(m.index);
    a.text(m.textureName, kNameSize);
    a.u8(m.paintFlag);
    if (version < 1) return;
    colour(a, m.ambient);
    colour(a, m.diffuse);
    colour(a, m.specular);
    colour(a, m.fourthColour);
    for (auto* f : {&m.transparency, &m.value2, &m.value3, &m.reflectivity, &m.value5, &m.eccentricity}) a.f32(*f);
}

template <class A, class P>
void meshPart(A& a, P& p) {
    tbTransferBox(a, p.box);
    a.u32(p.firstVertex);
    a.u32(p.endVertex);
    a.u32(p.material);
    a.text(p.textureName, kNameSize);
}

template <class A, class O>
void object(A& a, O& o, int32_t version, int depth) {
    if (depth > kProjectMaxObjectDepth) {
        a.fail("objects nested too deeply");
        return;
    }
    a.text(o.name, kNameSize);
    a.u32(o.kind);
    a.u8(o.enabled);
    if (version >= 1) a.u8(o.visible);
    tbTransferBox(a, o.box);
    if (!a.count(o.children, kObjectFixedSize - (version >= 1 ? 0 : 1), "child objects")) return;
    for (auto& child : o.children) {
        object(a, child, version, depth + 1);
        if (!a.ok()) return;
    }
    if (!a.count(o.meshParts, kProjectMeshPartSize, "mesh parts")) return;
    for (auto& part : o.meshParts) meshPart(a, part);
}

template <class A, class P>
void placements(A& a, P& p) {
    for (auto& v : p.positions) tbTransferVec3(a, v);
    for (auto& v : p.scales) tbTransferVec3(a, v);
    for (auto& v : p.rotations) tbTransferVec3(a, v);
    for (auto& v : p.extents) tbTransferVec2(a, v);
}

template <class A, class S>
void settings(A& a, S& s, size_t cameraCount) {
    a.u32(s.floodAxis);
    a.u8(s.floodGradient);
    a.u32(s.projectionSlot);
    for (auto& slot : s.projectionSlots) {
        a.u32(slot.threshold);
        a.u32(slot.doubleSided);
        a.u32(slot.wrapMode);
        a.text(slot.imageName, kNameSize);
        a.text(slot.imagePath, kNameSize);
        a.u8(slot.show);
    }
    a.text(s.projectionLastFolder, kNameSize);
    placements(a, s.projection);
    a.u32(s.shapeAxis);
    a.u8(s.shapeGradient);
    a.u8(s.shapeDoubleSided);
    if (!a.count(s.shapeOutline, kOutlinePointSize, "outline points")) return;
    for (auto& p : s.shapeOutline) {
        a.u8(p.curved);
        const uint8_t padding[3] = {0, 0, 0};
        if constexpr (A::kReading) {
            uint8_t ignored[3];
            a.bytes(ignored, 3);
        } else {
            a.bytes(padding, 3);
        }
        tbTransferVec2(a, p.position);
        tbTransferVec2(a, p.outHandle);
        tbTransferVec2(a, p.inHandle);
    }
    a.u32(s.textGradientDirection);
    a.u32(s.textSided);
    a.u8(s.textColourMode);
    a.u32(s.textListSelection);
    a.text(s.text, kNameSize);
    a.text(s.fontName, kFontNameSize);
    a.u8(s.italic);
    a.u8(s.bold);
    placements(a, s.textProjection);
    tbTransferVec3(a, s.textPosition);
    tbTransferVec3(a, s.textScale);
    tbTransferVec3(a, s.textRotation);
    a.i32(s.uvMode);
    if (s.uvMode == 2) indexList(a, s.selectedFaces, "selected faces");
    if (s.uvMode == 1 && a.count(s.selectedCorners, 8, "selected corners")) {
        for (auto& [triangleIndex, corner] : s.selectedCorners) {
            a.u32(triangleIndex);
            a.u32(corner);
        }
    }
    if constexpr (A::kReading) s.cameras.resize(cameraCount);
    for (auto& record : s.cameras) a.bytes(record.data(), record.size());
    a.u32(s.viewMode);
}

template <class A, class T>
void textureBlock(A& a, T& t) {
    a.u32(t.width);
    a.u32(t.height);
    uint32_t n = uint32_t(t.bmp.size());
    a.u32(n);
    if constexpr (A::kReading) {
        if (!a.ok()) return;
        if (t.width == 0 || t.height == 0 || t.width > d3dx::kMaxImageDimension ||
            t.height > d3dx::kMaxImageDimension) {
            a.fail("a paint texture of " + std::to_string(t.width) + " x " + std::to_string(t.height) + " pixels");
            return;
        }
        // Written for a model without a paint texture: nothing to paint.
        if (n == 0) {
            a.fail("no paint texture picture");
            return;
        }
        if (!a.canTake(n)) {
            a.fail("a paint texture picture larger than the file");
            return;
        }
        t.bmp.resize(n);
    }
    a.bytes(t.bmp.data(), t.bmp.size());
}

template <class A, class G>
void geometry(A& a, G& g, int32_t version, size_t cameraCount) {
    tbTransferBox(a, g.box);
    textureBlock(a, g.texture);
    if (!a.count(g.materials, version >= 1 ? kProjectMaterialSize : kProjectMaterialSizeV0, "materials")) return;
    for (auto& m : g.materials) material(a, m, version);
    if (!a.count(g.vertices, kVertexSize, "vertices")) return;
    for (auto& v : g.vertices) vertex(a, v);
    if (!a.count(g.triangles, kProjectTriangleSize + 6 * 4, "triangles")) return;
    for (auto& t : g.triangles) {
        triangle(a, t);
        if (!a.ok()) return;
    }
    if (!a.count(g.objects, kObjectFixedSize - (version >= 1 ? 0 : 1), "objects")) return;
    for (auto& o : g.objects) {
        object(a, o, version, 1);
        if (!a.ok()) return;
    }
    settings(a, g.settings, cameraCount);
}

template <class A, class L>
void storedShapes(A& a, L& shapes) {
    if (!a.count(shapes, kShapeNameSize + 4, "stored shapes")) return;
    for (auto& shape : shapes) {
        a.text(shape.name, kShapeNameSize);
        if (!a.count(shape.points, kShapePointSize, "shape points")) return;
        for (auto& p : shape.points) {
            a.u8(p.curved);
            tbTransferVec2(a, p.position);
            tbTransferVec2(a, p.outHandle);
            tbTransferVec2(a, p.inHandle);
        }
    }
}

// ---- Checks of what was read ----

class IndexChecks {
public:
    IndexChecks(size_t vertices, size_t triangles) : m_vertices(vertices), m_triangles(triangles) {}

    bool triangle(uint64_t i) const { return i < m_triangles; }
    bool corner(const std::pair<uint32_t, uint32_t>& c) const { return triangle(c.first) && c.second <= 2; }
    bool triangleRecord(const tbFileTriangle& t) const {
        for (uint32_t v : t.vertexIndices)
            if (v >= m_vertices) return false;
        for (const auto* list : {&t.edgeNeighbours, &t.cornerNeighbours, &t.textureNeighbours})
            for (uint32_t i : *list)
                if (!triangle(i)) return false;
        for (const auto& list : t.cornerLists)
            for (const auto& c : list)
                if (!corner(c)) return false;
        return true;
    }
    bool objectRecord(const tbFileObject& o) const {
        for (const tbFileMeshPart& p : o.meshParts)
            if (p.firstVertex > p.endVertex || p.endVertex > m_vertices) return false;
        for (const tbFileObject& child : o.children)
            if (!objectRecord(child)) return false;
        return true;
    }

private:
    size_t m_vertices, m_triangles;
};

bool checkIndices(const tbFileGeometry& g, std::string& error) {
    const IndexChecks checks(g.vertices.size(), g.triangles.size());
    for (size_t i = 0; i < g.triangles.size(); ++i) {
        if (!checks.triangleRecord(g.triangles[i])) {
            error = "triangle " + std::to_string(i) + " refers to a vertex or triangle that does not exist";
            return false;
        }
    }
    for (const tbFileObject& o : g.objects) {
        if (!checks.objectRecord(o)) {
            error = "object \"" + o.name + "\" has a mesh part outside the vertex list";
            return false;
        }
    }
    const tbToolSettings& s = g.settings;
    const bool facesOk = std::all_of(s.selectedFaces.begin(), s.selectedFaces.end(),
                                     [&](uint32_t i) { return checks.triangle(i); });
    const bool cornersOk = std::all_of(s.selectedCorners.begin(), s.selectedCorners.end(),
                                       [&](const auto& c) { return checks.corner(c); });
    if (!facesOk || !cornersOk) {
        error = "the UV selection refers to a triangle or corner that does not exist";
        return false;
    }
    return true;
}

// The model name becomes part of paths (the model's folder, the exported
// scheme's file name): one plain name, no folder, no way up, nothing a
// terminal or a file system treats specially.
bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || u < 0x20 || u == 0x7F;
    });
}

}  // namespace

bool readProjectFile(const void* data, size_t size, size_t cameraCount, tbProjectFileData& out,
                     std::string& error) {
    out = tbProjectFileData{};
    tbProjectFileData d;
    ReadArchive a(data, size);
    char magic[kMagicSize];
    a.bytes(magic, kMagicSize);
    if (a.ok() && std::string(magic, strnlen(magic, kMagicSize)) == kMagic) {
        a.i32(d.version);
    } else {
        // Older files start with the model name.
        a.rewind(data, size);
        d.version = 0;
    }
    a.text(d.modelName, kNameSize);
    a.text(d.schemeName, kNameSize);
    geometry(a, d.geometry, d.version, cameraCount);
    if (d.version >= 1) storedShapes(a, d.shapes);
    if (!a.ok()) {
        error = a.error().empty() ? "the file ends early (" + std::to_string(size) + " bytes)" : a.error();
        return false;
    }
    if (!checkIndices(d.geometry, error)) return false;
    if (!isPlainFileName(d.modelName)) {
        error = "the model name is not a plain file name";
        return false;
    }
    out = std::move(d);
    return true;
}

std::vector<uint8_t> writeProjectFile(const tbProjectFileData& d) {
    WriteArchive a;
    if (d.version >= 1) {
        char magic[kMagicSize] = {};
        std::memcpy(magic, kMagic, sizeof kMagic - 1);
        a.bytes(magic, kMagicSize);
        a.i32(d.version);
    }
    a.text(d.modelName, kNameSize);
    a.text(d.schemeName, kNameSize);
    geometry(a, d.geometry, d.version, d.geometry.settings.cameras.size());
    if (d.version >= 1) storedShapes(a, d.shapes);
    return a.take();
}
