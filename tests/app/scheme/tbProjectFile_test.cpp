// The .tvp codec: golden sizes of the fixed records, write -> read -> write
// giving the same bytes, older version-0 files, and a table of malformed
// files that must all be refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/scheme/tbProjectFile.h"
#include "app/scheme/tbTextFields.h"

namespace {

using Bytes = std::vector<uint8_t>;

tbFileTriangle triangleRecord(uint32_t index, uint32_t firstVertex) {
    tbFileTriangle t;
    t.index = index;
    t.centre = {1, 2, 3};
    t.radius = 0.5f;
    t.faceNormal = {0, 0, -1};
    for (uint32_t i = 0; i < 3; ++i) {
        t.vertexIndices[i] = firstVertex + i;
        t.positions[i] = {float(i), float(index), 0};
        t.uvs[i] = {0.25f * float(i), 0.5f};
        t.screenCorners[i] = {10.0f * float(i), 20};
        t.screenDepths[i] = 0.5f;
        t.edgeFlags[i] = uint8_t(i & 1);
    }
    return t;
}

tbFileObject objectRecord(const std::string& name) {
    tbFileObject o;
    o.name = name;
    o.box = {{-1, -1, -1}, {1, 1, 1}};
    return o;
}

// A project using every kind of record: two materials, two triangles that
// are each other's neighbours, a nested object tree with a mesh part
// without material, a face selection, outline points, two camera records
// and two stored shapes.
tbProjectFileData sampleProject() {
    tbProjectFileData d;
    d.modelName = "sparrow";
    d.schemeName = "Red arrows";
    tbFileGeometry& g = d.geometry;
    g.box = {{-2, -1, 0}, {2, 1, 3}};
    g.texture = {4, 2, Bytes(70, 0x42)};
    for (uint32_t i = 0; i < 2; ++i) {
        tbFileMaterial m;
        m.index = i;
        m.textureName = i ? "metal.bmp" : "sparrow.bmp";
        m.paintFlag = i ? 0 : 1;
        m.diffuse.set(255, 200, 100, 50);
        m.diffuse.refreshFloats();
        m.transparency = 0.25f;
        m.value3 = 3.0f;
        g.materials.push_back(m);
    }
    g.vertices.resize(6);
    for (size_t i = 0; i < 6; ++i) {
        g.vertices[i].position = {float(i), 1, 2};
        g.vertices[i].colour = 0xFF000000u + uint32_t(i);
        g.vertices[i].uv[2] = {0.5f, float(i)};
    }
    g.triangles = {triangleRecord(0, 0), triangleRecord(1, 3)};
    g.triangles[0].edgeNeighbours = {1};
    g.triangles[1].edgeNeighbours = {0};
    g.triangles[0].textureNeighbours = {1};
    g.triangles[0].cornerLists[0] = {{1, 0}};
    g.triangles[1].cornerLists[2] = {{0, 2}};

    tbFileObject body = objectRecord("body");
    tbFileMeshPart part;
    part.firstVertex = 0;
    part.endVertex = 3;
    part.material = 0;
    part.textureName = "tbTextureMap_texture";
    body.meshParts.push_back(part);
    part.firstVertex = 3;
    part.endVertex = 6;
    part.material = tbFileMeshPart::kNoMaterial;
    part.textureName = "NULL";
    body.meshParts.push_back(part);
    tbFileObject wing = objectRecord("wing");
    wing.visible = 0;
    wing.children.push_back(objectRecord("gear__col"));
    wing.children[0].kind = 3;
    body.children.push_back(wing);
    g.objects.push_back(body);

    tbToolSettings& s = g.settings;
    s.floodAxis = 2;
    s.projectionSlots[3].imagePath = "/home/pilot/decal.png";
    s.projectionSlots[3].show = 1;
    s.projection.scales[5] = {1, 2, 3};
    s.shapeOutline = {{1, {1, 2}, {3, 4}, {5, 6}}, {0, {7, 8}, {9, 10}, {11, 12}}};
    s.textGradientDirection = 1;  // its own field, apart from the list selection
    s.textListSelection = 3;
    s.text = "G-TOLV";
    s.fontName = "Arial";
    s.bold = 1;
    s.uvMode = 2;
    s.selectedFaces = {1, 0};
    s.cameras.resize(2);
    for (size_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < tbToolSettings::kCameraRecordSize; ++i) s.cameras[c][i] = uint8_t(i * (c + 3));
    s.viewMode = 1;

    d.shapes = {{"star", {{1, {0, 1}, {2, 3}, {4, 5}}}}, {"empty", {}}};
    return d;
}

Bytes writeOf(const tbProjectFileData& d) { return writeProjectFile(d); }

bool readBack(const Bytes& bytes, tbProjectFileData& out, size_t cameras = 2) {
    std::string error;
    const bool ok = readProjectFile(bytes.data(), bytes.size(), cameras, out, error);
    if (!ok) {
        EXPECT_FALSE(error.empty());
    }
    return ok;
}

TEST(ProjectFile, FixedRecordsHaveTheirGoldenSizes) {
    tbProjectFileData d;
    d.geometry.texture = {1, 1, Bytes(10, 1)};
    d.geometry.settings.cameras.resize(2);
    const size_t bare = writeOf(d).size();
    // Header, box, texture block, four empty counts, the plain tool settings
    // with two cameras, the shape count.
    EXPECT_EQ(bare, kProjectHeaderSize + 24 + 12 + 10 + 16 + 5940 + 4);
    EXPECT_EQ(kProjectHeaderSize, 548u);

    d.geometry.materials.resize(1);
    EXPECT_EQ(writeOf(d).size() - bare, 413u);
    d.geometry.triangles.resize(1);
    EXPECT_EQ(writeOf(d).size() - bare, 413u + 179u + 6 * 4u);
    d.geometry.vertices.resize(3);
    d.geometry.objects.push_back(objectRecord("body"));
    const size_t withObject = writeOf(d).size();
    d.geometry.objects[0].meshParts.resize(1);
    EXPECT_EQ(writeOf(d).size() - withObject, 292u);
    d.geometry.settings.cameras.resize(0);
    EXPECT_EQ(withObject + 292 - writeOf(d).size(), 2 * 804u);
}

TEST(ProjectFile, WriteReadWriteGivesTheSameBytes) {
    const Bytes first = writeOf(sampleProject());
    tbProjectFileData read;
    ASSERT_TRUE(readBack(first, read));
    EXPECT_EQ(writeOf(read), first);

    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first.data())), "TOLVANEBUILDER PROJECT");
    EXPECT_EQ(read.version, 1);
    EXPECT_EQ(read.modelName, "sparrow");
    EXPECT_EQ(read.schemeName, "Red arrows");
    EXPECT_EQ(read.geometry.texture, sampleProject().geometry.texture);
    EXPECT_EQ(read.geometry.triangles, sampleProject().geometry.triangles);
    EXPECT_EQ(read.geometry.settings, sampleProject().geometry.settings);
    EXPECT_EQ(read.shapes, sampleProject().shapes);
    ASSERT_EQ(read.geometry.objects.size(), 1u);
    EXPECT_EQ(read.geometry.objects[0].meshParts[1].material, tbFileMeshPart::kNoMaterial);
    EXPECT_EQ(read.geometry.objects[0].children[0].visible, 0);
    EXPECT_EQ(read.geometry.objects[0].children[0].children[0].name, "gear__col");
    EXPECT_EQ(read.geometry.materials[0].diffuse.green, 100);
    EXPECT_EQ(read.geometry.materials[0].diffuse.greenF, 100.0f / 255.0f);
}

TEST(ProjectFile, TextFieldsKeepAtMostTheirWidthLessOne) {
    tbProjectFileData d = sampleProject();
    d.schemeName = std::string(255, 's');
    d.modelName = std::string(300, 'm');
    d.shapes[0].name = std::string(200, 'n');
    tbProjectFileData read;
    ASSERT_TRUE(readBack(writeOf(d), read));
    EXPECT_EQ(read.schemeName, d.schemeName);
    EXPECT_EQ(read.modelName, std::string(255, 'm'));
    EXPECT_EQ(read.shapes[0].name, std::string(127, 'n'));
    EXPECT_EQ(writeOf(d).size(), writeOf(sampleProject()).size());
}

// A text longer than its field loses whole characters only: "é" is two
// bytes, so 200 of them (400 bytes) keep 127 in the 255 bytes of a name
// field and 63 in the 127 of a shape's name, where a cut at the byte limit
// would leave half a character.
TEST(ProjectFile, TextsAreCutAtACharacterBoundary) {
    std::string accents;
    for (int i = 0; i < 200; ++i) accents += "\xC3\xA9";
    tbProjectFileData d = sampleProject();
    d.schemeName = accents;
    d.geometry.settings.text = "x" + accents;  // here the limit falls between two characters
    d.shapes[0].name = accents;
    tbProjectFileData read;
    ASSERT_TRUE(readBack(writeOf(d), read));
    EXPECT_EQ(read.schemeName, accents.substr(0, 254));
    EXPECT_EQ(read.geometry.settings.text, "x" + accents.substr(0, 254));  // all 255 bytes
    EXPECT_EQ(read.shapes[0].name, accents.substr(0, 126));
    // A text that fits, and one exactly at the limit, stay whole.
    EXPECT_EQ(tbFitText("\xC3\xA9t\xC3\xA9", 5), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(tbFitText("\xE2\x82\xAC\xE2\x82\xAC", 5), "\xE2\x82\xAC");
    EXPECT_EQ(tbFitText("\xF0\x9F\x9B\xA9", 3), "");
}

TEST(ProjectFile, VersionZeroFilesHaveNoMagicColoursVisibleBytesOrShapes) {
    tbProjectFileData d = sampleProject();
    d.version = 0;
    const Bytes bytes = writeOf(d);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "sparrow");
    // Two materials of 261 bytes instead of 413, three objects without the
    // visible byte, no magic and version, no shapes.
    tbProjectFileData v1 = sampleProject();
    v1.shapes.clear();
    EXPECT_EQ(writeOf(v1).size() - bytes.size(), 36u + 2 * 152u + 3u + 4u);
    tbProjectFileData read;
    ASSERT_TRUE(readBack(bytes, read));
    EXPECT_EQ(read.version, 0);
    EXPECT_EQ(read.modelName, "sparrow");
    EXPECT_TRUE(read.shapes.empty());
    EXPECT_EQ(read.geometry.materials[1].textureName, "metal.bmp");
    EXPECT_EQ(read.geometry.objects[0].children[0].visible, 1);
}

TEST(ProjectFile, EveryTruncationIsRefused) {
    const Bytes bytes = writeOf(sampleProject());
    tbProjectFileData read;
    for (size_t size = 0; size < bytes.size(); ++size) {
        std::string error;
        ASSERT_FALSE(readProjectFile(bytes.data(), size, 2, read, error)) << size;
        ASSERT_TRUE(read.geometry.triangles.empty());
    }
}

// Little-endian u32 at `offset`.
void patch(Bytes& bytes, size_t offset, uint32_t value) { std::memcpy(bytes.data() + offset, &value, 4); }

TEST(ProjectFile, MalformedFilesAreRefused) {
    const tbProjectFileData good = sampleProject();
    const size_t texture = kProjectHeaderSize + 24;  // the texture block's offset
    const size_t materials = texture + 12 + good.geometry.texture.bmp.size();
    const size_t vertices = materials + 4 + 2 * 413;
    const size_t triangles = vertices + 4 + 6 * 52;

    struct Case {
        const char* what;
        void (*change)(tbProjectFileData&);
    };
    const Case changed[] = {
        {"edge neighbour past the list", [](tbProjectFileData& d) { d.geometry.triangles[0].edgeNeighbours = {2}; }},
        {"corner neighbour past the list", [](tbProjectFileData& d) { d.geometry.triangles[1].cornerNeighbours = {9}; }},
        {"texture neighbour past the list",
         [](tbProjectFileData& d) { d.geometry.triangles[1].textureNeighbours = {0xFFFFFFFF}; }},
        {"corner 3", [](tbProjectFileData& d) { d.geometry.triangles[0].cornerLists[1] = {{1, 3}}; }},
        {"corner list triangle past the list", [](tbProjectFileData& d) { d.geometry.triangles[0].cornerLists[2] = {{5, 0}}; }},
        {"vertex past the list", [](tbProjectFileData& d) { d.geometry.triangles[1].vertexIndices[2] = 6; }},
        {"mesh part past the vertices", [](tbProjectFileData& d) { d.geometry.objects[0].meshParts[0].endVertex = 7; }},
        {"mesh part backwards",
         [](tbProjectFileData& d) { d.geometry.objects[0].meshParts[1].firstVertex = 5;
                                    d.geometry.objects[0].meshParts[1].endVertex = 4; }},
        {"nested mesh part past the vertices",
         [](tbProjectFileData& d) { d.geometry.objects[0].children[0].meshParts.push_back({{}, 0, 60, 0, "x"}); }},
        {"selected face past the list", [](tbProjectFileData& d) { d.geometry.settings.selectedFaces = {0, 2}; }},
        {"selected corner 3",
         [](tbProjectFileData& d) { d.geometry.settings.uvMode = 1; d.geometry.settings.selectedCorners = {{0, 3}}; }},
        {"selected corner's triangle past the list",
         [](tbProjectFileData& d) { d.geometry.settings.uvMode = 1; d.geometry.settings.selectedCorners = {{4, 0}}; }},
        {"zero-size texture", [](tbProjectFileData& d) { d.geometry.texture.width = 0; }},
        {"texture too tall", [](tbProjectFileData& d) { d.geometry.texture.height = 8193; }},
        {"texture without a picture", [](tbProjectFileData& d) { d.geometry.texture.bmp.clear(); }},
        // The model name names a folder and the exported scheme's file.
        {"model name climbing out", [](tbProjectFileData& d) { d.modelName = "../../escape"; }},
        {"model name with a folder", [](tbProjectFileData& d) { d.modelName = "fixedWing/sparrow"; }},
        {"model name with a backslash", [](tbProjectFileData& d) { d.modelName = "..\\sparrow"; }},
        {"model name of dots", [](tbProjectFileData& d) { d.modelName = ".."; }},
        {"model name of one dot", [](tbProjectFileData& d) { d.modelName = "."; }},
        {"empty model name", [](tbProjectFileData& d) { d.modelName.clear(); }},
        {"model name with a control byte", [](tbProjectFileData& d) { d.modelName = "spar\x01row"; }},
        {"objects nested too deeply",
         [](tbProjectFileData& d) {
             tbFileObject deep = objectRecord("leaf");
             for (int i = 0; i < kProjectMaxObjectDepth; ++i) {
                 tbFileObject parent = objectRecord("level");
                 parent.children.push_back(std::move(deep));
                 deep = std::move(parent);
             }
             d.geometry.objects.push_back(std::move(deep));
         }},
    };
    for (const Case& c : changed) {
        tbProjectFileData d = good;
        c.change(d);
        tbProjectFileData read;
        std::string error;
        const Bytes bytes = writeOf(d);
        EXPECT_FALSE(readProjectFile(bytes.data(), bytes.size(), 2, read, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_TRUE(read.modelName.empty()) << c.what;
    }

    // Counts and byte counts far beyond the file.
    const struct {
        const char* what;
        size_t offset;
        uint32_t value;
    } patched[] = {
        {"picture byte count", texture + 8, 0xFFFFFFF0u},
        {"picture byte count one past the end", texture + 8, 0x7FFFFFFFu},
        {"material count", materials, 0x7FFFFFFFu},
        {"vertex count", vertices, 1u << 30},
        {"triangle count", triangles, 0x10000000u},
        {"edge neighbour count", triangles + 4 + 179, 0x40000000u},
    };
    for (const auto& p : patched) {
        Bytes bytes = writeOf(good);
        patch(bytes, p.offset, p.value);
        tbProjectFileData read;
        std::string error;
        EXPECT_FALSE(readProjectFile(bytes.data(), bytes.size(), 2, read, error)) << p.what;
    }

    // The deepest nesting allowed still reads.
    tbProjectFileData d = good;
    tbFileObject deep = objectRecord("leaf");
    for (int i = 1; i < kProjectMaxObjectDepth; ++i) {
        tbFileObject parent = objectRecord("level");
        parent.children.push_back(std::move(deep));
        deep = std::move(parent);
    }
    d.geometry.objects.push_back(std::move(deep));
    tbProjectFileData read;
    EXPECT_TRUE(readBack(writeOf(d), read));
}

TEST(ProjectFile, OnlyTheSelectionModesListIsWritten) {
    tbProjectFileData d = sampleProject();
    d.geometry.settings.selectedCorners = {{0, 1}};  // not mode 1: not written
    const Bytes faces = writeOf(d);
    d.geometry.settings.uvMode = 0;
    const Bytes none = writeOf(d);
    EXPECT_EQ(faces.size() - none.size(), 4u + 2 * 4u);
    d.geometry.settings.uvMode = 1;
    const Bytes corners = writeOf(d);
    EXPECT_EQ(corners.size() - none.size(), 4u + 8u);
    tbProjectFileData read;
    ASSERT_TRUE(readBack(corners, read));
    EXPECT_EQ(read.geometry.settings.selectedCorners, d.geometry.settings.selectedCorners);
    EXPECT_TRUE(read.geometry.settings.selectedFaces.empty());
}

}  // namespace
