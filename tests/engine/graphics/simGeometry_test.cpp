// Loading .geo models through the resource registry on the recording
// device: what the records become, the option words, partial loads on a
// missing texture, and malformed files refused with the file named.
#include "engine/graphics/simGeometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simHeirachyNode.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simOptreeNode.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simTextureLayer.h"
#include "engine/graphics/simVertexBuffer.h"
#include "tests/support/geoSamples.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"

namespace {

using testsupport::ModelResources;

geoFileNode namedNode(const std::string& name, float top) {
    geoFileNode node;
    node.name = name;
    node.box = {{0, 0, 0}, {1, top, 1}};
    return node;
}

class GeometryLoadTest : public ::testing::Test {
protected:
    GeometryLoadTest() { res.writeTexture("textures/skin.bmp"); }

    simGeometry* load(const geoFileData& geo, const std::string& options = "") {
        res.writeGeo("models/model.geo", geo);
        if (!res.find("models", "model.geo", options)) return nullptr;
        return ModelResources::geometry("model.geo");
    }
    // A model made directly, as the registry would, kept whatever the status.
    std::unique_ptr<simGeometry> construct(const geoFileData& geo) {
        const std::string path = res.writeGeo("models/direct.geo", geo);
        return std::unique_ptr<simGeometry>(new simGeometry(nullptr, path, ""));
    }
    // A logged "ERROR: simGeometry - <path>: <reason>" line holding `text`.
    static bool loggedError(const std::string& text) {
        for (const std::string& line : g_console->getHistory())
            if (line.starts_with("ERROR: simGeometry - ") && line.find(text) != std::string::npos) return true;
        return false;
    }
    bool statusGood() const { return g_application->getStatusSuccess(); }
    std::string statusReason() const { return g_application->getStatusReason(); }

    testsupport::RecordingGraphics gfx;
    ModelResources res{gfx.engine};
};

TEST_F(GeometryLoadTest, RecordsBecomeMaterialsVerticesAndTree) {
    const geoFileData geo = test::sampleGeo();
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr) << statusReason();
    EXPECT_TRUE(statusGood());
    EXPECT_EQ(model->getTypeName(), "simGeometry");
    EXPECT_EQ(model->getHeaderWordA(), 0xAu);
    EXPECT_EQ(model->getHeaderWordB(), 0xBu);
    EXPECT_EQ(model->getTriangleCount(), 2u);

    ASSERT_EQ(model->getMaterials().size(), 2u);
    const simMaterial* skin = model->getMaterial(0);
    EXPECT_EQ(skin->name, "skin");
    ASSERT_EQ(skin->textures.size(), 1u);
    ASSERT_NE(skin->textures[0], nullptr);
    EXPECT_EQ(skin->textures[0]->getName(), "skin.bmp");
    EXPECT_EQ(skin->diffuse.red, 255);
    EXPECT_EQ(skin->diffuse.green, 127);  // 0.5 x 255 truncated
    EXPECT_EQ(skin->diffuse.blue, 63);
    EXPECT_EQ(skin->diffuse.alpha, 255);
    EXPECT_EQ(skin->specular.red, 25);
    EXPECT_FLOAT_EQ(skin->d3dMaterial.Power, 10.0f);  // eccentricity 0.5
    EXPECT_FLOAT_EQ(skin->d3dMaterial.Diffuse.g, 127 / 255.0f);
    EXPECT_EQ(model->getMaterial(2), nullptr);
    EXPECT_EQ(model->getMaterial(-1), nullptr);

    // The texture is held by the model, so it lives as long as the model.
    const auto& holders = skin->textures[0]->getHolders();
    EXPECT_NE(std::find(holders.begin(), holders.end(), model), holders.end());

    ASSERT_NE(model->getVertexBuffer(), nullptr);
    EXPECT_EQ(model->getVertexBuffer()->getVertexCount(), 6);
    EXPECT_EQ(model->getVertexBuffer()->getFormat(), 0x352u);
    EXPECT_EQ(model->getBoundingBox().max, d3dx::Vector3(1, 1, 0));

    ASSERT_EQ(model->getRootNodes().size(), 1u);
    const simHeirachyNode* body = model->getRootNodes().front();
    EXPECT_EQ(body->name, "body");
    EXPECT_EQ(body->kind, 0u);
    EXPECT_EQ(body->parent, nullptr);
    ASSERT_EQ(body->layers.size(), 1u);
    const simTextureLayer* layer = body->layers[0];
    EXPECT_EQ(layer->material, skin);
    EXPECT_EQ(layer->keptBytes, geo.roots[0].layers[0].keptBytes);
    ASSERT_EQ(layer->batches.size(), 1u);
    EXPECT_EQ(layer->batches[0]->firstVertex, 0);
    EXPECT_EQ(layer->batches[0]->endVertex, 6);
    EXPECT_EQ(model->getAllBatches(), layer->batches);
    ASSERT_EQ(body->children.size(), 1u);
    const simHeirachyNode* wing = body->children.front();
    EXPECT_EQ(wing->name, "wing__col");
    EXPECT_EQ(wing->kind, 3u);
    EXPECT_EQ(wing->parent, body);
    ASSERT_EQ(model->getAllNodes().size(), 2u);
    EXPECT_EQ(model->getAllNodes()[0], body);
    EXPECT_EQ(model->getAllNodes()[1], wing);
    EXPECT_EQ(wing->index, 1u);
}

TEST_F(GeometryLoadTest, NodeKindsFollowTheName) {
    struct Case {
        const char* name;
        uint32_t fileKind;
        uint32_t kind;
    };
    const Case cases[] = {{"wing", 0, 0},          {"wing", 7, 7},          {"wing__col", 0, 3},
                          {"x__shad", 0, 4},       {"x__helper", 1, 5},     {"x__col__helper", 0, 5},
                          {"x__helper__col", 0, 5}, {"x__shad__col", 0, 4}, {"X__COL", 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(simHeirachyNode::kindByName(c.name, c.fileKind), c.kind) << c.name;
    }
}

TEST_F(GeometryLoadTest, SortNodeHeightOrdersSiblingsAndTheIndex) {
    geoFileData geo;
    geoFileNode parent = namedNode("parent", 9);
    parent.children = {namedNode("c3", 3), namedNode("c1", 1), namedNode("c2", 2), namedNode("c1b", 1)};
    geo.roots = {namedNode("r3", 3), namedNode("r1", 1), parent, namedNode("r2", 2)};

    auto names = [](const auto& nodes) {
        std::vector<std::string> out;
        for (const simHeirachyNode* node : nodes) out.push_back(node->name);
        return out;
    };
    simGeometry* sorted = load(geo, "managedResourcePool | sortNodeHeight");
    ASSERT_NE(sorted, nullptr);
    EXPECT_EQ(names(sorted->getRootNodes()), (std::vector<std::string>{"r1", "r2", "r3", "parent"}));
    EXPECT_EQ(names(sorted->getAllNodes()),
              (std::vector<std::string>{"r1", "r2", "r3", "parent", "c1", "c1b", "c2", "c3"}));
    for (size_t i = 0; i < sorted->getAllNodes().size(); ++i) EXPECT_EQ(sorted->getAllNodes()[i]->index, i);

    auto unsorted = construct(geo);
    EXPECT_EQ(names(unsorted->getAllNodes()),
              (std::vector<std::string>{"r3", "r1", "parent", "c3", "c1", "c2", "c1b", "r2"}));
}

TEST_F(GeometryLoadTest, NoVerticesMakesNoBufferAndNoTriangles) {
    geoFileData geo = test::sampleGeo();
    geo.vertices.clear();
    geo.roots[0].layers[0].batches.clear();
    geo.triangleCount = 12;
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->getVertexBuffer(), nullptr);
    EXPECT_EQ(model->getTriangleCount(), 0u);
    EXPECT_EQ(model->getRootNodes().size(), 1u);
}

TEST_F(GeometryLoadTest, EmptyBatchesAreDroppedAndPartialTrianglesKept) {
    geoFileData geo = test::sampleGeo();
    geo.vertices.resize(36, geo.vertices[0]);
    geo.roots[0].layers[0].batches = {{geo.box, 30, 30}, {geo.box, 30, 36}, {geo.box, 0, 2}};
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    const auto& batches = model->getAllBatches();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0]->firstVertex, 30);
    EXPECT_EQ(batches[0]->triangleCount(), 2);
    EXPECT_EQ(batches[1]->triangleCount(), 0);
}

TEST_F(GeometryLoadTest, EmptySlotsAndMissingSlotsGetTheirTextures) {
    geoFileData geo = test::sampleGeo();
    geo.materials[0].textures = {"none"};
    geo.materials[1].textures = {};
    // Without "white.bmp" loaded a material without slots has one null slot.
    simGeometry* first = load(geo);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getMaterial(0)->textures, std::vector<simTexture*>{nullptr});
    EXPECT_EQ(first->getMaterial(1)->textures, std::vector<simTexture*>{nullptr});

    res.writeTexture("textures/white.bmp", 0xFFFFFFFF);
    ASSERT_TRUE(res.find("textures", "white.bmp"));
    auto second = construct(geo);
    EXPECT_EQ(second->getMaterial(0)->textures, std::vector<simTexture*>{nullptr});
    ASSERT_EQ(second->getMaterial(1)->textures.size(), 1u);
    ASSERT_NE(second->getMaterial(1)->textures[0], nullptr);
    EXPECT_EQ(second->getMaterial(1)->textures[0]->getName(), "white.bmp");
}

TEST_F(GeometryLoadTest, TexturesAreFoundOutsideTheTexturesFolderToo) {
    geoFileData geo = test::sampleGeo();
    geo.materials[0].textures = {"paint.bmp"};
    res.writeTexture("objects/aircraft/a/b/c/paint.bmp");
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr) << statusReason();
    ASSERT_NE(model->getMaterial(0)->textures[0], nullptr);
    EXPECT_EQ(model->getMaterial(0)->textures[0]->getName(), "paint.bmp");
}

TEST_F(GeometryLoadTest, AMissingTextureStopsTheLoadAfterTheMaterialsBeforeIt) {
    geoFileData geo = test::sampleGeo();
    geo.materials.insert(geo.materials.begin() + 1, geo.materials[0]);
    geo.materials[1].name = "lost";
    geo.materials[1].textures = {"nowhere.bmp"};

    EXPECT_FALSE(load(geo));
    EXPECT_FALSE(statusGood());
    EXPECT_EQ(statusReason(),
              "Error loading geometry - a texture resource was not located\nYou may need to reinstall TolvaneSim");
    EXPECT_EQ(ModelResources::geometry("model.geo"), nullptr);  // the registry let it go

    auto partial = construct(geo);
    ASSERT_EQ(partial->getMaterials().size(), 1u);
    EXPECT_EQ(partial->getMaterial(0)->name, "skin");
    EXPECT_EQ(partial->getVertexBuffer(), nullptr);
    EXPECT_TRUE(partial->getRootNodes().empty());
    EXPECT_EQ(partial->getTriangleCount(), 2u);  // the stored count stays
}

TEST_F(GeometryLoadTest, AnUnopenedFileIsASeriousErrorAndAnEmptyModel) {
    const std::string path = res.root() + "/models/absent.geo";
    simGeometry model(nullptr, path, "");
    EXPECT_EQ(gfx.engine.errors.texts(), std::vector<std::string>{"simGeometry- file handle not opened (" + path + ")"});
    EXPECT_EQ(model.getVertexBuffer(), nullptr);
    EXPECT_TRUE(model.getRootNodes().empty());
    model.render(nullptr, nullptr, nullptr, nullptr);
}

// Byte offset of the vertex count, and of the first batch's first vertex,
// in the sample file (fixed-size records before them).
size_t vertexCountOffset(const geoFileData& geo) {
    size_t offset = 41 + 4;
    for (const auto& m : geo.materials) offset += 128 + 4 + 512 * m.textures.size() + 48 + 24;
    return offset;
}
size_t firstBatchOffset(const geoFileData& geo) {
    return vertexCountOffset(geo) + 4 + 52 * geo.vertices.size() + 4 + 128 + 4 + 24 + 64 + 4 + 24 + 4 + 10 + 4 + 24;
}

std::vector<uint8_t> nested(int depth) {
    geoFileData geo;
    geoFileNode node = namedNode("deep", 1);
    for (int i = 1; i < depth; ++i) {
        geoFileNode parent = namedNode("deep", 1);
        parent.children = {std::move(node)};
        node = std::move(parent);
    }
    geo.roots = {std::move(node)};
    return writeGeoFile(geo);
}

TEST_F(GeometryLoadTest, MalformedFilesAreRefusedWithTheirNameAndLeaveAnEmptyModel) {
    const geoFileData sample = test::sampleGeo();
    const std::vector<uint8_t> good = writeGeoFile(sample);
    auto withI32 = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;  // part of the status text
    };
    const Case cases[] = {
        {"empty", {}, "truncated header"},
        {"truncated in the vertices", std::vector<uint8_t>(good.begin(), good.begin() + vertexCountOffset(sample) + 60),
         "vertex count"},
        {"truncated at the end", std::vector<uint8_t>(good.begin(), good.end() - 3), "exceeds the file"},
        {"huge material count", withI32(41, 0x7FFFFFFF), "material count"},
        {"huge vertex count", withI32(vertexCountOffset(sample), 0x7FFFFFF0), "vertex count"},
        {"batch past the vertices", withI32(firstBatchOffset(sample) + 4, 40), "batch 0..40 outside 6 vertices"},
        {"batch backwards", withI32(firstBatchOffset(sample), 7), "batch 7..6"},
        {"negative first vertex", withI32(firstBatchOffset(sample), -3), "batch -3..6"},
        {"nested too deep", nested(kGeoFileMaxDepth + 1), "nested deeper"},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A name of its own each, so that the log line found is this case's.
        const std::string name = "broken" + std::to_string(number++) + ".geo";
        const std::string path = res.write("models/" + name, c.bytes);
        EXPECT_FALSE(res.find("models", name));
        EXPECT_FALSE(statusGood());
        EXPECT_NE(statusReason().find("Error loading geometry - " + name + " is damaged ("), std::string::npos)
            << statusReason();
        EXPECT_NE(statusReason().find(c.reason), std::string::npos) << statusReason();
        EXPECT_TRUE(loggedError("/" + name + ": "));
        EXPECT_EQ(ModelResources::geometry(name), nullptr);

        simGeometry direct(nullptr, path, "");
        EXPECT_TRUE(direct.getMaterials().empty());
        EXPECT_EQ(direct.getVertexBuffer(), nullptr);
        EXPECT_TRUE(direct.getRootNodes().empty());
        EXPECT_TRUE(direct.getAllBatches().empty());
    }
    // The deepest nesting allowed still loads.
    res.write("models/deepest.geo", nested(kGeoFileMaxDepth));
    EXPECT_TRUE(res.find("models", "deepest.geo"));
    ASSERT_NE(ModelResources::geometry("deepest.geo"), nullptr);
    EXPECT_EQ(ModelResources::geometry("deepest.geo")->getAllNodes().size(), size_t(kGeoFileMaxDepth));
}

TEST_F(GeometryLoadTest, ManagedModelsKeepNoMemoryCopy) {
    simGeometry* managed = load(test::sampleGeo(), "managedResourcePool");
    ASSERT_NE(managed, nullptr);
    EXPECT_EQ(managed->getVertexBuffer()->getPool(), 1u);
    auto plain = construct(test::sampleGeo());
    EXPECT_EQ(plain->getVertexBuffer()->getPool(), 0u);
}

TEST_F(GeometryLoadTest, MaterialValuesFromTheFile) {
    EXPECT_EQ(simMaterial::specularPower(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(simMaterial::specularPower(0.5f), 10.0f);

    geoFileData geo = test::sampleGeo();
    geo.materials[1].diffuse = {2.0f, -1.0f, 1e30f};
    geo.materials[1].reflectivity = 0.001f;
    geo.materials[1].eccentricity = 0.0f;
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    const simMaterial* glass = model->getMaterial(1);
    EXPECT_EQ(glass->diffuse.red, 255);
    EXPECT_EQ(glass->diffuse.green, 0);
    EXPECT_EQ(glass->diffuse.blue, 255);
    EXPECT_EQ(glass->reflectivityAlpha(), 0);
    EXPECT_EQ(glass->d3dMaterial.Power, 0.0f);
    EXPECT_EQ(model->getMaterial(0)->reflectivityAlpha(), 63);  // 0.25 x 255

    // What effects read of the current material.
    simShaderMaterialValues values;
    ASSERT_TRUE(simMaterial::shaderValues(glass, &values));
    EXPECT_EQ(values.diffuse, glass->diffuse);
    EXPECT_EQ(values.transparency, glass->transparency);
    EXPECT_FALSE(simMaterial::shaderValues(model->getVertexBuffer(), &values));

    simMaterial standard(nullptr);
    EXPECT_EQ(standard.name, "newMaterial");
    EXPECT_EQ(standard.diffuse.red, 1);
    EXPECT_EQ(standard.diffuse.alpha, 1);
    EXPECT_EQ(standard.ambient.alpha, 1);
    EXPECT_EQ(standard.ambient.red, 0);
    EXPECT_TRUE(standard.textures.empty());
}

TEST(GeometryGeneratedFiles, TheProgramsModelsAndTheSampleAircraftParse) {
    const std::string root = std::string(TOLVANE_SOURCE_DIR) + "/resources/";
    for (const char* file : {"tolvaneBuilder/geometry/unitCube.geo", "tolvaneBuilder/geometry/unitSphere.geo",
                             "tolvaneBuilder/geometry/unitCylinder.geo", "tolvaneBuilder/geometry/shinyCube.geo",
                             "tolvaneBuilder/geometry/shinyCylinder.geo", "tolvaneBuilder/geometry/shinyPyramid.geo",
                             "tolvaneBuilder/geometry/shinySphere.geo", "tolvaneBuilder/geometry/arrow.geo",
                             "tolvaneBuilder/geometry/fixedWing.geo", "tolvaneBuilder/geometry/helicopter.geo",
                             "objects/aircraft/fixedWing/trainers/sparrow/sparrow.geo"}) {
        SCOPED_TRACE(file);
        FILE* in = std::fopen((root + file).c_str(), "rb");
        ASSERT_NE(in, nullptr);
        std::vector<uint8_t> bytes(1 << 22);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
        std::fclose(in);
        geoFileData geo;
        std::string error;
        ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), geo, error)) << error;
        EXPECT_GT(geo.vertices.size(), 0u);
        EXPECT_EQ(geo.vertices.size() % 3, 0u);
        ASSERT_FALSE(geo.roots.empty());
    }
}

}  // namespace

namespace {

TEST(GeometryVertexRun, DecodesAsTheParsedRecords) {
    const std::vector<uint8_t> bytes = writeGeoFile(test::sampleGeo());
    geoFileData records, rest;
    geoFileVertexRun run;
    std::string error;
    ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), records, error)) << error;
    ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), rest, error, &run)) << error;
    EXPECT_TRUE(rest.vertices.empty());
    EXPECT_EQ(rest.roots.size(), records.roots.size());
    ASSERT_EQ(run.count, 6);
    for (int32_t i = 0; i < run.count; ++i) {
        simVertex v;
        run.copyTo(i, &v);
        EXPECT_EQ(std::memcmp(&v, &records.vertices[size_t(i)], sizeof v), 0) << i;
        EXPECT_EQ(run.coordinate(i, 1), records.vertices[size_t(i)].position.y);
    }
    // A refused file leaves no run.
    ASSERT_FALSE(readGeoFile(bytes.data(), bytes.size() - 1, rest, error, &run));
    EXPECT_EQ(run.count, 0);
    EXPECT_EQ(run.bytes, nullptr);
}

}  // namespace

namespace {

// The sample aircraft as the program finds it: its textures beside it, far
// below the resource root.
TEST_F(GeometryLoadTest, TheSampleAircraftLoadsWithItsTexturesAndNodeKinds) {
    const std::string folder = "objects/aircraft/fixedWing/trainers/sparrow";
    for (const char* file : {"sparrow.geo", "sparrow.bmp", "sparrowCanopy.png", "sparrow.tvm"}) {
        std::ifstream in(std::string(TOLVANE_SOURCE_DIR) + "/resources/" + folder + "/" + file, std::ios::binary);
        res.write(folder + "/" + file, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
    }
    ASSERT_TRUE(res.find("objects/aircraft", "sparrow.geo")) << statusReason();
    simGeometry* model = ModelResources::geometry("sparrow.geo");
    ASSERT_NE(model, nullptr);

    ASSERT_EQ(model->getMaterials().size(), 4u);
    const auto& paint = model->getMaterial(0)->textures;
    ASSERT_EQ(paint.size(), 1u);
    ASSERT_NE(paint[0], nullptr);
    EXPECT_EQ(paint[0]->getName(), "sparrow.bmp");
    const auto& glass = model->getMaterial(1)->textures;
    ASSERT_EQ(glass.size(), 2u);
    ASSERT_NE(glass[0], nullptr);
    EXPECT_EQ(glass[0]->getName(), "sparrowCanopy.png");
    EXPECT_EQ(glass[1], nullptr);
    EXPECT_EQ(model->getMaterial(2)->textures, std::vector<simTexture*>{nullptr});

    std::map<std::string, uint32_t> kinds;
    for (const simHeirachyNode* node : model->getAllNodes()) kinds[node->name] = node->kind;
    EXPECT_EQ(kinds["sparrow"], 0u);
    EXPECT_EQ(kinds["fin"], 0u);
    EXPECT_EQ(kinds["body__col"], 3u);
    EXPECT_EQ(kinds["body__shad"], 4u);
    EXPECT_EQ(kinds["centreOfGravity__helper"], 5u);
    EXPECT_GT(model->getTriangleCount(), 100u);
    EXPECT_GE(model->getAllBatches().size(), 10u);
}

}  // namespace
