// geoGenerator: makes the program's own .geo models and the sample aircraft.
//
//   geoGenerator <resources folder>
//
// writes, below the given resources folder:
//  - tolvaneBuilder/geometry: the unit shapes the collision primitives scale
//    by their size (unitCube, unitSphere, unitCylinder: centred on the
//    origin, 1 unit across in x, y and z, the cylinder's axis along y), the
//    lighting preview shapes (shinyCube, shinySphere, shinyCylinder,
//    shinyPyramid: 100 units across, centred on the origin), an arrow of 100
//    units along +z from the origin, and the starting-position figures
//    fixedWing and helicopter (about 150 units long, nose towards +z);
//  - objects/aircraft/fixedWing/trainers/sparrow: a sample model to paint,
//    with its marker file, several materials and textures (the paint texture
//    "sparrow.bmp", whose name holds the model's name), an empty "none"
//    slot, a material without slots, nested named nodes including collision,
//    shadow and helper nodes, and texture coordinates laid out on the paint
//    texture.
//
// Models face the Direct3D way: front faces wind clockwise seen from
// outside (left-handed coordinates, y up). Every shape is built from
// triangles whose winding is set from an outward direction, so that no part
// can come out inside out.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/graphics/geoFile.h"
#include "platform/d3dx/d3dxImage.h"
#include "tools/paintableAircraft.h"

namespace {

using d3dx::Vector2;
using d3dx::Vector3;

constexpr float kPi = 3.14159265f;

Vector3 sub(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vector3 add(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vector3 scale(const Vector3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vector3 normalised(const Vector3& a) {
    const float length = std::sqrt(dot(a, a));
    return length > 0 ? scale(a, 1.0f / length) : a;
}

// Where a part's texture coordinates go: a rectangle of the texture, onto
// which the part's own (0..1, 0..1) coordinates are laid.
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    Vector2 map(float s, float t) const { return {u0 + (u1 - u0) * s, v0 + (v1 - v0) * t}; }
};

// A growing triangle list; each part records the range it added.
struct Mesh {
    std::vector<simVertex> vertices;

    simVertex vertex(const Vector3& p, const Vector3& n, const Vector2& uv) const {
        simVertex v;
        v.position = p;
        v.normal = n;
        v.colour = 0xFFFFFFFF;
        v.uv[0] = v.uv[1] = v.uv[2] = uv;
        return v;
    }

    // One triangle, wound clockwise as seen from the side `outward` points to.
    void triangle(simVertex a, simVertex b, simVertex c, const Vector3& outward) {
        if (dot(cross(sub(b.position, a.position), sub(c.position, a.position)), outward) < 0) std::swap(b, c);
        vertices.push_back(a);
        vertices.push_back(b);
        vertices.push_back(c);
    }

    // A flat quad a-b-c-d (in order around its edge) with one normal.
    void quad(const Vector3 p[4], const Vector2 uv[4], const Vector3& normal) {
        triangle(vertex(p[0], normal, uv[0]), vertex(p[1], normal, uv[1]), vertex(p[2], normal, uv[2]), normal);
        triangle(vertex(p[0], normal, uv[0]), vertex(p[2], normal, uv[2]), vertex(p[3], normal, uv[3]), normal);
    }

    int32_t size() const { return static_cast<int32_t>(vertices.size()); }
};

// An axis-aligned box; each face gets the whole of `uv`.
void addBox(Mesh& mesh, const Vector3& lo, const Vector3& hi, const UvRect& uv) {
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            Vector3 normal;
            (&normal.x)[axis] = side ? 1.0f : -1.0f;
            const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
            Vector3 p[4];
            const float corner[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            Vector2 t[4];
            for (int i = 0; i < 4; ++i) {
                Vector3 q;
                (&q.x)[axis] = side ? (&hi.x)[axis] : (&lo.x)[axis];
                (&q.x)[a1] = corner[i][0] ? (&hi.x)[a1] : (&lo.x)[a1];
                (&q.x)[a2] = corner[i][1] ? (&hi.x)[a2] : (&lo.x)[a2];
                p[i] = q;
                t[i] = uv.map(corner[i][0], 1.0f - corner[i][1]);
            }
            mesh.quad(p, t, normal);
        }
    }
}

// A sphere of `slices` around y and `stacks` from pole to pole; u runs
// around, v from top to bottom.
void addSphere(Mesh& mesh, const Vector3& centre, float radius, int slices, int stacks, const UvRect& uv) {
    auto point = [&](int slice, int stack) {
        const float theta = kPi * stack / stacks, phi = 2 * kPi * slice / slices;
        const Vector3 n(std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi));
        return mesh.vertex(add(centre, scale(n, radius)), n, uv.map(float(slice) / slices, float(stack) / stacks));
    };
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            const simVertex a = point(slice, stack), b = point(slice + 1, stack);
            const simVertex c = point(slice + 1, stack + 1), d = point(slice, stack + 1);
            const Vector3 outward = sub(scale(add(a.position, c.position), 0.5f), centre);
            if (stack > 0) mesh.triangle(a, b, c, outward);
            if (stack < stacks - 1) mesh.triangle(a, c, d, outward);
        }
    }
}

// A closed cylinder or cone along y from `base` up by `height`: radius
// `bottom` at the base and `top` at the top (0 makes a cone, no cap there).
void addTube(Mesh& mesh, const Vector3& base, float bottom, float top, float height, int sides, const UvRect& uv) {
    const float slope = (bottom - top) / height;
    for (int i = 0; i < sides; ++i) {
        const float a0 = 2 * kPi * i / sides, a1 = 2 * kPi * (i + 1) / sides;
        auto ring = [&](float angle, float radius, float y, float t) {
            const Vector3 n = normalised(Vector3(std::cos(angle), slope, std::sin(angle)));
            const Vector3 p = add(base, Vector3(std::cos(angle) * radius, y, std::sin(angle) * radius));
            return mesh.vertex(p, n, uv.map(angle / (2 * kPi), t));
        };
        const simVertex b0 = ring(a0, bottom, 0, 1), b1 = ring(a1, bottom, 0, 1);
        const simVertex t0 = ring(a0, top, height, 0), t1 = ring(a1, top, height, 0);
        const float mid = (a0 + a1) / 2;
        const Vector3 outward(std::cos(mid), 0, std::sin(mid));
        mesh.triangle(b0, b1, t1, outward);
        if (top > 0) mesh.triangle(b0, t1, t0, outward);
        // Caps: a fan around the axis for each end that has a radius.
        for (int end = 0; end < 2; ++end) {
            const float radius = end ? top : bottom;
            if (radius <= 0) continue;
            const float y = end ? height : 0;
            const Vector3 n(0, end ? 1.0f : -1.0f, 0);
            auto capPoint = [&](float angle) {
                const Vector3 p = add(base, Vector3(std::cos(angle) * radius, y, std::sin(angle) * radius));
                return mesh.vertex(p, n, uv.map(0.5f + 0.5f * std::cos(angle), 0.5f + 0.5f * std::sin(angle)));
            };
            mesh.triangle(mesh.vertex(add(base, Vector3(0, y, 0)), n, uv.map(0.5f, 0.5f)), capPoint(a0), capPoint(a1),
                          n);
        }
    }
}

// A pyramid on a square base of side `size` centred under its apex.
void addPyramid(Mesh& mesh, const Vector3& baseCentre, float size, float height, const UvRect& uv) {
    const float h = size / 2;
    const Vector3 apex = add(baseCentre, Vector3(0, height, 0));
    const Vector3 corners[4] = {add(baseCentre, Vector3(-h, 0, -h)), add(baseCentre, Vector3(h, 0, -h)),
                                add(baseCentre, Vector3(h, 0, h)), add(baseCentre, Vector3(-h, 0, h))};
    for (int i = 0; i < 4; ++i) {
        const Vector3& a = corners[i];
        const Vector3& b = corners[(i + 1) % 4];
        const Vector3 outward = sub(scale(add(a, b), 0.5f), baseCentre);
        const Vector3 n = normalised(cross(sub(b, a), sub(apex, a)));
        const Vector3 normal = dot(n, outward) < 0 ? scale(n, -1) : n;
        mesh.triangle(mesh.vertex(a, normal, uv.map(0, 1)), mesh.vertex(b, normal, uv.map(1, 1)),
                      mesh.vertex(apex, normal, uv.map(0.5f, 0)), outward);
    }
    const Vector2 t[4] = {uv.map(0, 0), uv.map(1, 0), uv.map(1, 1), uv.map(0, 1)};
    mesh.quad(corners, t, Vector3(0, -1, 0));
}

// ---- Files

geoFileBox boxOf(const std::vector<simVertex>& vertices, int32_t first, int32_t end) {
    geoFileBox box{{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
    for (int32_t i = first; i < end; ++i) {
        const Vector3& p = vertices[i].position;
        box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
        box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
    }
    return box;
}

geoFileBox merge(const geoFileBox& a, const geoFileBox& b) {
    return {{std::min(a.min.x, b.min.x), std::min(a.min.y, b.min.y), std::min(a.min.z, b.min.z)},
            {std::max(a.max.x, b.max.x), std::max(a.max.y, b.max.y), std::max(a.max.z, b.max.z)}};
}

geoFileMaterial material(const std::string& name, std::vector<std::string> textures, std::array<float, 3> diffuse) {
    geoFileMaterial m;
    m.name = name;
    m.textures = std::move(textures);
    m.diffuse = diffuse;
    m.ambient = {diffuse[0] * 0.5f, diffuse[1] * 0.5f, diffuse[2] * 0.5f};
    m.specular = {0.2f, 0.2f, 0.2f};
    m.eccentricity = 0.3f;
    return m;
}

// A node; its box covers its own batches and its children.
struct NodeBuilder {
    const Mesh& mesh;

    geoFileNode node(const std::string& name) const {
        geoFileNode n;
        n.name = name;
        n.box = {{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
        n.matrix[0] = n.matrix[5] = n.matrix[10] = n.matrix[15] = 1.0f;
        return n;
    }
    // A layer of `material` with one batch per range.
    void layer(geoFileNode& n, int32_t material, const std::vector<std::pair<int32_t, int32_t>>& ranges) const {
        geoFileLayer l;
        l.materialIndex = material;
        l.box = {{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}};
        for (const auto& [first, end] : ranges) {
            geoFileBatch b{boxOf(mesh.vertices, first, end), first, end};
            l.box = merge(l.box, b.box);
            l.batches.push_back(b);
        }
        n.box = merge(n.box, l.box);
        n.layers.push_back(l);
    }
    void child(geoFileNode& parent, geoFileNode child) const {
        parent.box = merge(parent.box, child.box);
        parent.children.push_back(std::move(child));
    }
};

geoFileData model(const Mesh& mesh, std::vector<geoFileMaterial> materials, std::vector<geoFileNode> roots) {
    geoFileData geo;
    geo.formatWord = 1;
    geo.triangleCount = static_cast<uint32_t>(mesh.vertices.size() / 3);
    geo.box = boxOf(mesh.vertices, 0, mesh.size());
    geo.materials = std::move(materials);
    geo.vertices = mesh.vertices;
    geo.roots = std::move(roots);
    return geo;
}

// A model of one shape: one material, one node with one batch.
geoFileData singleShape(const std::string& name, const Mesh& mesh, const geoFileMaterial& m) {
    NodeBuilder nodes{mesh};
    geoFileNode root = nodes.node(name);
    nodes.layer(root, 0, {{0, mesh.size()}});
    return model(mesh, {m}, {root});
}

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::fprintf(stderr, "geoGenerator: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(out);
}

bool writeGeo(const std::filesystem::path& path, const geoFileData& geo) { return writeFile(path, writeGeoFile(geo)); }

// An A8R8G8B8 image filled by `pixel(x, y)` -> ARGB.
template <typename Pixel>
bool writeImage(const std::filesystem::path& path, d3dx::ImageFileFormat format, uint32_t size, Pixel pixel) {
    d3dx::Image image;
    image.format = d3dx::Format::A8R8G8B8;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = image.surfaces[0].height = size;
    image.surfaces[0].bytes.resize(size_t(size) * size * 4);
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            const uint32_t argb = pixel(x, y);
            uint8_t* p = &image.surfaces[0].bytes[(size_t(y) * size + x) * 4];
            p[0] = argb & 0xFF;
            p[1] = (argb >> 8) & 0xFF;
            p[2] = (argb >> 16) & 0xFF;
            p[3] = argb >> 24;
        }
    }
    std::filesystem::create_directories(path.parent_path());
    const d3dx::ImageResult result = d3dx::SaveImageToFile(path.string(), format, image);
    if (!result.ok()) std::fprintf(stderr, "geoGenerator: %s: %s\n", path.string().c_str(), result.reason.c_str());
    return result.ok();
}

// ---- The program's shapes

bool writeShapes(const std::filesystem::path& folder) {
    const UvRect whole;
    geoFileMaterial unit = material("unit", {}, {1, 1, 1});
    geoFileMaterial shiny = material("shiny", {}, {0.8f, 0.8f, 0.8f});
    shiny.specular = {1, 1, 1};
    shiny.eccentricity = 0.1f;
    shiny.reflectivity = 0.5f;
    bool ok = true;
    auto shape = [&](const char* file, const geoFileMaterial& m, auto build) {
        Mesh mesh;
        build(mesh);
        ok = writeGeo(folder / file, singleShape(std::filesystem::path(file).stem().string(), mesh, m)) && ok;
    };
    shape("unitCube.geo", unit, [&](Mesh& m) { addBox(m, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, whole); });
    shape("unitSphere.geo", unit, [&](Mesh& m) { addSphere(m, {0, 0, 0}, 0.5f, 24, 16, whole); });
    shape("unitCylinder.geo", unit, [&](Mesh& m) { addTube(m, {0, -0.5f, 0}, 0.5f, 0.5f, 1.0f, 24, whole); });
    shape("shinyCube.geo", shiny, [&](Mesh& m) { addBox(m, {-50, -50, -50}, {50, 50, 50}, whole); });
    shape("shinySphere.geo", shiny, [&](Mesh& m) { addSphere(m, {0, 0, 0}, 50, 32, 24, whole); });
    shape("shinyCylinder.geo", shiny, [&](Mesh& m) { addTube(m, {0, -50, 0}, 50, 50, 100, 32, whole); });
    shape("shinyPyramid.geo", shiny, [&](Mesh& m) { addPyramid(m, {0, -50, 0}, 100, 100, whole); });

    // The arrow lies along +z: build it along y, then turn y into z.
    Mesh arrow;
    addTube(arrow, {0, 0, 0}, 2, 2, 75, 12, whole);
    addTube(arrow, {0, 75, 0}, 6, 0, 25, 12, whole);
    for (simVertex& v : arrow.vertices) {
        v.position = {v.position.x, -v.position.z, v.position.y};
        v.normal = {v.normal.x, -v.normal.z, v.normal.y};
    }
    ok = writeGeo(folder / "arrow.geo", singleShape("arrow", arrow, material("arrow", {}, {1, 0.1f, 0.1f}))) && ok;
    return ok;
}

// ---- Aircraft

// The parts of a small high-wing trainer, nose towards +z, wheels on y = 0,
// each part's texture coordinates in its own area of the paint texture.
struct Trainer {
    Mesh mesh;
    std::pair<int32_t, int32_t> fuselage, canopy, wingLeft, wingRight, tailplane, fin, gear, wheels, propeller;
    std::pair<int32_t, int32_t> collision, shadow, helper;

    template <typename Build>
    std::pair<int32_t, int32_t> part(Build build) {
        const int32_t first = mesh.size();
        build(mesh);
        return {first, mesh.size()};
    }

    explicit Trainer(float span) {
        const float s = span / 150.0f;
        const auto v = [s](float x, float y, float z) { return Vector3(x * s, y * s, z * s); };
        fuselage = part([&](Mesh& m) { addBox(m, v(-7, 10, -60), v(7, 26, 55), {0, 0, 0.5f, 0.5f}); });
        canopy = part([&](Mesh& m) { addSphere(m, v(0, 26, 20), 7 * s, 12, 8, {0, 0, 1, 1}); });
        wingLeft = part([&](Mesh& m) { addBox(m, v(-75, 26, 0), v(-7, 29, 25), {0.5f, 0, 1, 0.25f}); });
        wingRight = part([&](Mesh& m) { addBox(m, v(7, 26, 0), v(75, 29, 25), {0.5f, 0.25f, 1, 0.5f}); });
        tailplane = part([&](Mesh& m) { addBox(m, v(-25, 18, -60), v(25, 20, -45), {0, 0.5f, 0.5f, 0.75f}); });
        fin = part([&](Mesh& m) { addBox(m, v(-1, 20, -60), v(1, 42, -45), {0.5f, 0.5f, 0.75f, 0.75f}); });
        gear = part([&](Mesh& m) { addBox(m, v(-20, 5, 25), v(20, 10, 28), {}); });
        wheels = part([&](Mesh& m) {
            addSphere(m, v(-20, 5, 26), 5 * s, 10, 6, {});
            addSphere(m, v(20, 5, 26), 5 * s, 10, 6, {});
        });
        propeller = part([&](Mesh& m) { addBox(m, v(-15, 16, 56), v(15, 20, 57), {}); });
        collision = part([&](Mesh& m) { addBox(m, v(-75, 0, -60), v(75, 42, 57), {}); });
        shadow = part([&](Mesh& m) { addBox(m, v(-75, 0, -60), v(75, 1, 57), {}); });
        helper = part([&](Mesh& m) { addBox(m, v(-1, 24, 9), v(1, 26, 11), {}); });
    }
};

// The paint texture: panels in the areas the parts use, with a grid so that
// the layout shows on the model.
uint32_t paintPixel(uint32_t x, uint32_t y) {
    const uint32_t size = 256;
    const bool grid = x % 32 == 0 || y % 32 == 0;
    uint32_t base;
    if (y < size / 2) {
        base = x < size / 2 ? 0xFFE8E8F0 : 0xFFF0C020;  // fuselage, wings
    } else {
        base = x < size / 2 ? 0xFF3060C0 : 0xFFD03030;  // tailplane, fin
    }
    return grid ? 0xFF202020 : base;
}

uint32_t canopyPixel(uint32_t x, uint32_t y) {
    const bool streak = (x + y) % 16 < 3;
    return streak ? 0xC0E0F0FF : 0x6080A0C0;
}

bool writeSampleAircraft(const std::filesystem::path& resources) {
    const std::filesystem::path folder = resources / "objects/aircraft/fixedWing/trainers/sparrow";
    Trainer t(150.0f);
    NodeBuilder nodes{t.mesh};

    // 0 the paint texture, 1 glass (an empty second slot), 2 metal (an empty
    // slot only), 3 rubber (no slots: drawn with "white.bmp").
    geoFileMaterial paint = material("paint", {"sparrow.bmp"}, {1, 1, 1});
    geoFileMaterial glass = material("glass", {"sparrowCanopy.png", "none"}, {0.7f, 0.8f, 0.9f});
    glass.transparency = 0.5f;
    glass.reflectivity = 0.3f;
    glass.specular = {1, 1, 1};
    glass.eccentricity = 0.05f;
    geoFileMaterial metal = material("metal", {"none"}, {0.5f, 0.5f, 0.55f});
    geoFileMaterial rubber = material("rubber", {}, {0.1f, 0.1f, 0.1f});

    geoFileNode fuselage = nodes.node("fuselage");
    nodes.layer(fuselage, 0, {t.fuselage});
    geoFileNode canopy = nodes.node("canopy");
    nodes.layer(canopy, 1, {t.canopy});
    nodes.child(fuselage, canopy);
    geoFileNode propeller = nodes.node("propeller");
    nodes.layer(propeller, 2, {t.propeller});
    nodes.child(fuselage, propeller);
    geoFileNode cg = nodes.node("centreOfGravity__helper");
    nodes.layer(cg, 2, {t.helper});
    nodes.child(fuselage, cg);

    // The wing's halves are two batches of one layer.
    geoFileNode wing = nodes.node("wing");
    nodes.layer(wing, 0, {t.wingLeft, t.wingRight});
    geoFileNode tail = nodes.node("tail");
    nodes.layer(tail, 0, {t.tailplane});
    geoFileNode fin = nodes.node("fin");
    nodes.layer(fin, 0, {t.fin});
    nodes.child(tail, fin);
    geoFileNode gear = nodes.node("undercarriage");
    nodes.layer(gear, 2, {t.gear});
    geoFileNode wheels = nodes.node("wheels");
    nodes.layer(wheels, 3, {t.wheels});
    nodes.child(gear, wheels);

    geoFileNode collision = nodes.node("body__col");
    nodes.layer(collision, 2, {t.collision});
    geoFileNode shadow = nodes.node("body__shad");
    nodes.layer(shadow, 2, {t.shadow});

    geoFileNode root = nodes.node("sparrow");
    for (geoFileNode* part : {&fuselage, &wing, &tail, &gear, &collision, &shadow}) nodes.child(root, *part);
    const geoFileData geo = model(t.mesh, {paint, glass, metal, rubber}, {root});

    bool ok = writeGeo(folder / "sparrow.geo", geo);
    ok = writeImage(folder / "sparrow.bmp", d3dx::ImageFileFormat::Bmp, 256, paintPixel) && ok;
    ok = writeImage(folder / "sparrowCanopy.png", d3dx::ImageFileFormat::Png, 64, canopyPixel) && ok;
    const std::string marker = "sparrow: a high-wing trainer for painting\n";
    ok = writeFile(folder / "sparrow.tvm", std::vector<uint8_t>(marker.begin(), marker.end())) && ok;
    return ok;
}

// ---- The paintable samples

// The neutral base scheme: off-white islands on a grey ground, with panel
// lines every `panel` units across the axis the part runs along, filled one
// texel beyond each island so filtering at a seam never reaches the ground.
std::vector<uint32_t> baseScheme(const aircraft::Model& model, int size) {
    constexpr uint32_t kGround = 0xFF70737A, kBase = 0xFFE4E4DE, kLine = 0xFF8C8C90;
    std::vector<uint32_t> pixels(size_t(size) * size, 0);
    for (const aircraft::Part& part : model.parts) {
        if (part.material != aircraft::kPaint) continue;
        // Fuselage and spinner panels break along z, wing and tailplane ribs
        // along x, the fin's along y.
        const int axis = part.name == "fin" ? 1 : (part.name == "wing" || part.name == "tailplane") ? 0 : 2;
        for (const loft::Island& island : part.islands) {
            for (size_t t = 0; t + 2 < island.vertices.size(); t += 3) {
                const simVertex* v = &island.vertices[t];
                Vector2 p[3];
                for (int k = 0; k < 3; ++k) p[k] = {v[k].uv[0].x * size - 0.5f, v[k].uv[0].y * size - 0.5f};
                const float area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
                if (area == 0) continue;
                const int x0 = std::max(0, int(std::floor(std::min({p[0].x, p[1].x, p[2].x})))),
                          x1 = std::min(size - 1, int(std::ceil(std::max({p[0].x, p[1].x, p[2].x})))),
                          y0 = std::max(0, int(std::floor(std::min({p[0].y, p[1].y, p[2].y})))),
                          y1 = std::min(size - 1, int(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
                for (int y = y0; y <= y1; ++y) {
                    for (int x = x0; x <= x1; ++x) {
                        float w[3];
                        for (int k = 0; k < 3; ++k) {
                            const Vector2& a = p[(k + 1) % 3];
                            const Vector2& b = p[(k + 2) % 3];
                            w[k] = ((b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y)) / area;
                        }
                        if (w[0] < -1e-4f || w[1] < -1e-4f || w[2] < -1e-4f) continue;
                        const float c = w[0] * (&v[0].position.x)[axis] + w[1] * (&v[1].position.x)[axis] +
                                        w[2] * (&v[2].position.x)[axis];
                        const float panel = 16.0f;
                        const bool line = std::fabs(c - panel * std::round(c / panel)) < 0.15f;
                        pixels[size_t(y) * size + x] = line ? kLine : kBase;
                    }
                }
            }
        }
    }
    // Two rounds of growing the islands by a texel.
    for (int round = 0; round < 2; ++round) {
        std::vector<uint32_t> grown = pixels;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (pixels[size_t(y) * size + x]) continue;
                const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    const int nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= size || ny >= size) continue;
                    if (const uint32_t c = pixels[size_t(ny) * size + nx]) {
                        grown[size_t(y) * size + x] = c;
                        break;
                    }
                }
            }
        }
        pixels.swap(grown);
    }
    for (uint32_t& p : pixels)
        if (!p) p = kGround;
    return pixels;
}

// Writes a paintable sample into `folder`: "<name>.geo", its paint texture
// "<name>.png" (2048 x 2048, named after the model so the import finds it),
// the canopy's "canopyGlass.png" and the marker "<name>.tvm".
bool writePaintable(const std::filesystem::path& folder, const aircraft::Model& sample, const std::string& about) {
    constexpr int kTextureSize = 2048;
    Mesh mesh;
    std::vector<geoFileNode> parts;
    NodeBuilder nodes{mesh};
    for (const aircraft::Part& part : sample.parts) {
        std::vector<std::pair<int32_t, int32_t>> ranges;
        for (const loft::Island& island : part.islands) {
            const int32_t first = mesh.size();
            mesh.vertices.insert(mesh.vertices.end(), island.vertices.begin(), island.vertices.end());
            ranges.push_back({first, mesh.size()});
        }
        geoFileNode node = nodes.node(part.name);
        nodes.layer(node, part.material, ranges);
        parts.push_back(std::move(node));
    }
    geoFileNode root = nodes.node(sample.name);
    for (geoFileNode& part : parts) nodes.child(root, std::move(part));

    geoFileMaterial paint = material("paint", {sample.name + ".png"}, {1, 1, 1});
    geoFileMaterial glass = material("glass", {"canopyGlass.png"}, {0.7f, 0.8f, 0.9f});
    glass.transparency = 0.5f;
    glass.reflectivity = 0.3f;
    glass.specular = {1, 1, 1};
    glass.eccentricity = 0.05f;
    geoFileMaterial metal = material("metal", {}, {0.55f, 0.55f, 0.6f});
    metal.specular = {0.8f, 0.8f, 0.8f};
    geoFileMaterial rubber = material("rubber", {}, {0.08f, 0.08f, 0.08f});
    geoFileMaterial blade = material("blade", {}, {0.15f, 0.15f, 0.15f});
    const geoFileData geo = model(mesh, {paint, glass, metal, rubber, blade}, {root});

    bool ok = writeGeo(folder / (sample.name + ".geo"), geo);
    const std::vector<uint32_t> scheme = baseScheme(sample, kTextureSize);
    ok = writeImage(folder / (sample.name + ".png"), d3dx::ImageFileFormat::Png, kTextureSize,
                    [&](uint32_t x, uint32_t y) { return scheme[size_t(y) * kTextureSize + x]; }) &&
         ok;
    ok = writeImage(folder / "canopyGlass.png", d3dx::ImageFileFormat::Png, 64, canopyPixel) && ok;
    const std::string marker = sample.name + ": " + about + "\n";
    ok = writeFile(folder / (sample.name + ".tvm"), std::vector<uint8_t>(marker.begin(), marker.end())) && ok;
    return ok;
}

bool writePaintableSamples(const std::filesystem::path& resources) {
    const std::filesystem::path aircraftRoot = resources / "objects/aircraft";
    bool ok = writePaintable(aircraftRoot / "fixedWing/trainers/kestrel", aircraft::trainer(),
                             "a high-wing trainer to paint");
    ok = writePaintable(aircraftRoot / "gliders/sailplanes/heron", aircraft::glider(), "a sailplane to paint") && ok;
    ok = writePaintable(aircraftRoot / "helicopters/trainers/hornet", aircraft::helicopter(),
                        "a training helicopter to paint") &&
         ok;
    return ok;
}

// The starting-position figures: untextured, one colour each.
bool writeFigures(const std::filesystem::path& folder) {
    // The trainer's drawn parts, without its collision, shadow and helper shapes.
    Trainer trainer(150.0f);
    Mesh plane;
    plane.vertices.assign(trainer.mesh.vertices.begin(), trainer.mesh.vertices.begin() + trainer.propeller.second);
    bool ok = writeGeo(folder / "fixedWing.geo",
                       singleShape("fixedWing", plane, material("fixedWing", {}, {0.9f, 0.8f, 0.1f})));

    Mesh heli;
    const UvRect whole;
    addSphere(heli, {0, 30, 20}, 25, 16, 12, whole);           // cabin
    addBox(heli, {-4, 26, -90}, {4, 34, 0}, whole);            // tail boom
    addBox(heli, {-1, 26, -95}, {1, 50, -85}, whole);          // fin
    addTube(heli, {0, 55, 20}, 75, 75, 1, 32, whole);          // rotor disc
    addBox(heli, {-20, 0, 0}, {-17, 3, 45}, whole);            // skids
    addBox(heli, {17, 0, 0}, {20, 3, 45}, whole);
    ok = writeGeo(folder / "helicopter.geo",
                  singleShape("helicopter", heli, material("helicopter", {}, {0.2f, 0.6f, 0.9f}))) &&
         ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: geoGenerator <resources folder>\n");
        return 2;
    }
    const std::filesystem::path resources = argv[1];
    const std::filesystem::path geometry = resources / "tolvaneBuilder/geometry";
    bool ok = writeShapes(geometry);
    ok = writeFigures(geometry) && ok;
    ok = writeSampleAircraft(resources) && ok;
    ok = writePaintableSamples(resources) && ok;
    return ok ? 0 : 1;
}
