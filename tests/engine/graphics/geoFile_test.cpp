#include "engine/graphics/geoFile.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/geoSamples.h"

namespace {

bool parse(const std::vector<uint8_t>& bytes, geoFileData& out, std::string& error) {
    return readGeoFile(bytes.data(), bytes.size(), out, error);
}

// Byte offset of the vertex count in a file whose materials are those of
// `geo` (header 41 bytes, material records of fixed size).
size_t vertexCountOffset(const geoFileData& geo) {
    size_t offset = 41 + 4;
    for (const auto& m : geo.materials) offset += 128 + 4 + 512 * m.textures.size() + 48 + 24;
    return offset;
}

void putI32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

}  // namespace

TEST(GeoFile, RoundTripKeepsEveryField) {
    const geoFileData original = test::sampleGeo();
    const std::vector<uint8_t> bytes = writeGeoFile(original);

    geoFileData back;
    std::string error;
    ASSERT_TRUE(parse(bytes, back, error)) << error;
    EXPECT_EQ(back.formatWord, 7u);
    EXPECT_EQ(back.headerWordA, 0xAu);
    EXPECT_EQ(back.headerWordB, 0xBu);
    EXPECT_EQ(back.box.max, original.box.max);
    ASSERT_EQ(back.materials.size(), 2u);
    EXPECT_EQ(back.materials[0].name, "skin");
    EXPECT_EQ(back.materials[0].textures, std::vector<std::string>{"skin.bmp"});
    EXPECT_EQ(back.materials[0].diffuse, original.materials[0].diffuse);
    EXPECT_EQ(back.materials[0].specular, original.materials[0].specular);
    EXPECT_FLOAT_EQ(back.materials[0].eccentricity, 0.5f);
    EXPECT_FLOAT_EQ(back.materials[0].reflectivity, 0.25f);
    EXPECT_EQ(back.materials[1].textures, std::vector<std::string>{"none"});
    EXPECT_FLOAT_EQ(back.materials[1].transparency, 0.5f);

    ASSERT_EQ(back.vertices.size(), 6u);
    EXPECT_EQ(back.vertices[2].position, original.vertices[2].position);
    EXPECT_EQ(back.vertices[2].uv[2], original.vertices[2].uv[2]);
    EXPECT_EQ(back.vertices[2].colour, 0xFF102030u);

    ASSERT_EQ(back.roots.size(), 1u);
    const geoFileNode& body = back.roots[0];
    EXPECT_EQ(body.name, "body");
    EXPECT_EQ(body.matrix, original.roots[0].matrix);
    ASSERT_EQ(body.layers.size(), 1u);
    EXPECT_EQ(body.layers[0].keptBytes, original.roots[0].layers[0].keptBytes);
    ASSERT_EQ(body.layers[0].batches.size(), 1u);
    EXPECT_EQ(body.layers[0].batches[0].endVertex, 6);
    ASSERT_EQ(body.children.size(), 1u);
    EXPECT_EQ(body.children[0].name, "wing__col");
}

// The colour is the last field of a vertex on disk, bytes blue, green, red, alpha.
TEST(GeoFile, VertexColourIsStoredLastAsBgra) {
    geoFileData geo = test::sampleGeo();
    const std::vector<uint8_t> bytes = writeGeoFile(geo);
    const size_t firstVertex = vertexCountOffset(geo) + 4;
    const uint8_t* colour = bytes.data() + firstVertex + 48;
    EXPECT_EQ(colour[0], 0x30);  // blue
    EXPECT_EQ(colour[1], 0x20);  // green
    EXPECT_EQ(colour[2], 0x10);  // red
    EXPECT_EQ(colour[3], 0xFF);  // alpha
}

// Every proper prefix of a valid file is refused, and nothing is kept.
TEST(GeoFile, EveryTruncationIsRefused) {
    const std::vector<uint8_t> bytes = writeGeoFile(test::sampleGeo());
    for (size_t size = 0; size < bytes.size(); ++size) {
        geoFileData out;
        std::string error;
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + size);
        ASSERT_FALSE(parse(prefix, out, error)) << "prefix of " << size << " bytes";
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(out.materials.empty() && out.vertices.empty() && out.roots.empty());
    }
}

TEST(GeoFile, MalformedFilesAreRefusedWithAReason) {
    struct Case {
        const char* what;
        void (*corrupt)(geoFileData&);
        const char* reason;
    };
    const Case cases[] = {
        {"batch before the first vertex", [](geoFileData& g) { g.roots[0].layers[0].batches[0].firstVertex = -3; },
         "batch -3..6 outside 6 vertices"},
        {"batch ending past the vertices", [](geoFileData& g) { g.roots[0].layers[0].batches[0].endVertex = 9; },
         "batch 0..9 outside 6 vertices"},
        {"batch ending before it starts",
         [](geoFileData& g) {
             g.roots[0].layers[0].batches[0].firstVertex = 6;
             g.roots[0].layers[0].batches[0].endVertex = 3;
         },
         "batch 6..3 outside 6 vertices"},
        {"nodes nested too deep",
         [](geoFileData& g) {
             geoFileNode* n = &g.roots[0];
             for (int i = 0; i < kGeoFileMaxDepth; ++i) {
                 n->children = {geoFileNode{}};
                 n = &n->children[0];
             }
         },
         "nodes nested deeper than 64"},
    };
    for (const Case& c : cases) {
        geoFileData geo = test::sampleGeo();
        c.corrupt(geo);
        geoFileData out;
        std::string error;
        EXPECT_FALSE(parse(writeGeoFile(geo), out, error)) << c.what;
        EXPECT_EQ(error, c.reason) << c.what;
    }
}

TEST(GeoFile, CountsBeyondTheBytesLeftAreRefusedBeforeAllocating) {
    const geoFileData geo = test::sampleGeo();
    for (int32_t huge : {100, 1000, 0x7FFFFFFF}) {
        std::vector<uint8_t> bytes = writeGeoFile(geo);
        putI32(bytes, vertexCountOffset(geo), huge);
        geoFileData out;
        std::string error;
        EXPECT_FALSE(parse(bytes, out, error)) << huge;
        EXPECT_EQ(error.find("vertex count"), 0u) << error;
    }
    std::vector<uint8_t> bytes = writeGeoFile(geo);
    putI32(bytes, 41, 0x40000000);  // material count
    geoFileData out;
    std::string error;
    EXPECT_FALSE(parse(bytes, out, error));
    EXPECT_EQ(error, "material count 1073741824 exceeds the file");
}

TEST(GeoFile, AVertexCountPastThe32BitBufferSizeIsRefusedWhateverTheFileHolds) {
    // Such a file would need more than 4 GiB; the count alone is refused, so
    // the vertex buffer is never sized from it.
    const geoFileData geo = test::sampleGeo();
    std::vector<uint8_t> bytes = writeGeoFile(geo);
    putI32(bytes, vertexCountOffset(geo), 82595526);
    geoFileData out;
    std::string error;
    EXPECT_FALSE(parse(bytes, out, error));
    EXPECT_EQ(error, "vertex count 82595526 exceeds the most a model may hold (82595523)");
}

TEST(GeoFile, NegativeCountsMeanNone) {
    geoFileData geo = test::sampleGeo();
    geo.materials.clear();
    geo.roots.clear();
    std::vector<uint8_t> bytes = writeGeoFile(geo);
    putI32(bytes, 41, -5);  // material count
    const size_t rootCount = 41 + 4 + 4 + 52 * 6;
    putI32(bytes, rootCount, -1);
    geoFileData out;
    std::string error;
    ASSERT_TRUE(parse(bytes, out, error)) << error;
    EXPECT_TRUE(out.materials.empty());
    EXPECT_EQ(out.vertices.size(), 6u);
    EXPECT_TRUE(out.roots.empty());
}

// Only whole triangles are read: a stored count of 7 reads 6 vertices and
// the rest of the file is read from the seventh vertex on.
TEST(GeoFile, VertexCountNotAMultipleOfThreeReadsWholeTriangles) {
    geoFileData geo = test::sampleGeo();
    geo.roots.clear();
    geo.vertices.push_back(geo.vertices[0]);
    std::vector<uint8_t> bytes = writeGeoFile(geo);
    // Let the seventh vertex's first bytes read as a root count of 0.
    std::memset(bytes.data() + bytes.size() - 4 - 52, 0, 4);
    bytes.resize(bytes.size() - 4 - 48);
    geoFileData out;
    std::string error;
    ASSERT_TRUE(parse(bytes, out, error)) << error;
    EXPECT_EQ(out.vertices.size(), 6u);
}

// Read for the model-scheme import, the same file keeps all seven vertices
// and its nodes read as written.
TEST(GeoFile, EveryVertexIsKeptWhenAskedFor) {
    geoFileData geo = test::sampleGeo();
    geo.vertices.push_back(geo.vertices[0]);
    const std::vector<uint8_t> bytes = writeGeoFile(geo);
    geoFileData out;
    std::string error;
    ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), out, error, geoVertexReading::everyVertex)) << error;
    EXPECT_EQ(out.vertices.size(), 7u);
    EXPECT_EQ(out.roots.size(), geo.roots.size());
    EXPECT_FALSE(readGeoFile(bytes.data(), bytes.size() - 1, out, error, geoVertexReading::everyVertex));
}

TEST(GeoFile, NamesFillingTheirFieldAreCutToIt) {
    geoFileData geo = test::sampleGeo();
    std::vector<uint8_t> bytes = writeGeoFile(geo);
    std::memset(bytes.data() + 45, 'n', 128);  // the first material's name, no NUL
    geoFileData out;
    std::string error;
    ASSERT_TRUE(parse(bytes, out, error)) << error;
    EXPECT_EQ(out.materials[0].name, std::string(128, 'n'));
    EXPECT_EQ(out.materials[0].textures, std::vector<std::string>{"skin.bmp"});
}
