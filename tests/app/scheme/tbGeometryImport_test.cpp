// Importing .geo models on the recording device: materials and the paint
// texture, every batch kept as a mesh part, object kinds, the refusals with
// their error boxes, and the bundled sample aircraft.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureMap.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "tests/app/scheme/schemeModels.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/wholeFile.h"

using testsupport::ModelResources;
using testsupport::RecordingGraphics;

namespace {

using testsupport::fileBytes;

class GeometryImport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete()) << rig.engine.log();
        previousSink = tbSetErrorBoxSink([this](const std::string& title, const std::string& text) {
            boxes.push_back(title + " / " + text);
        });
        res = std::make_unique<ModelResources>(rig.engine);
        g_resources->setCollection("currentProject");
    }
    void TearDown() override {
        model.reset();
        res.reset();
        tbSetErrorBoxSink(previousSink);
    }

    // Writes the model and its textures under objects/aircraft and imports it.
    bool import(const geoFileData& geo, const std::string& name = "trainer") {
        res->writeTexture("objects/aircraft/planes/" + name + "/" + name + ".bmp", 0xFF3060A0);
        res->writeTexture("textures/metal.bmp", 0xFF808080);
        const std::string path = res->writeGeo("objects/aircraft/planes/" + name + "/" + name + ".geo", geo);
        model = std::make_unique<tbGeometry>(nullptr);
        return model->import(path);
    }

    RecordingGraphics rig;
    std::unique_ptr<ModelResources> res;
    std::unique_ptr<tbGeometry> model;
    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
};

TEST_F(GeometryImport, BuildsMaterialsObjectsAndEveryBatchAsAMeshPart) {
    std::vector<simVertex> vertices = test::gridVertices(3, 2);
    vertices[0].uv[0] = {2.5f, -0.25f};
    ASSERT_TRUE(import(test::paintableModel("trainer", vertices, 3))) << rig.engine.log();
    EXPECT_TRUE(boxes.empty());

    ASSERT_EQ(model->materials.size(), 2u);
    const tbMaterial& paint = *model->materials[0];
    ASSERT_NE(model->getTextureMap(), nullptr);
    EXPECT_EQ(paint.paintFlag, 1);
    EXPECT_EQ(paint.texture, model->getTextureMap()->getTexture());
    EXPECT_EQ(paint.diffuse.red, 255);
    EXPECT_EQ(paint.diffuse.green, 127);
    EXPECT_EQ(paint.diffuse.blue, 63);
    const tbMaterial& metal = *model->materials[1];
    EXPECT_EQ(metal.paintFlag, 0);
    ASSERT_NE(metal.texture, nullptr);
    EXPECT_EQ(metal.texture->getName(), "metal.bmp");
    EXPECT_EQ(model->getTextureMap()->getWidth(), 4u);

    EXPECT_EQ(model->triangles.size(), 12u);
    EXPECT_EQ(model->vertices[0].uv[0], (d3dx::Vector2{0.5f, 0.75f}));
    EXPECT_EQ(model->triangles[0]->uvs[0], (d3dx::Vector2{0.5f, 0.75f}));

    // Three batches: three mesh parts covering the whole vertex list.
    ASSERT_EQ(model->roots.size(), 1u);
    const tbGeometryObject& body = *model->roots[0];
    ASSERT_EQ(body.meshParts.size(), 3u);
    EXPECT_EQ(body.meshParts[0]->firstVertex, 0u);
    EXPECT_EQ(body.meshParts[1]->firstVertex, body.meshParts[0]->endVertex);
    EXPECT_EQ(body.meshParts[2]->endVertex, 36u);
    for (const auto& part : body.meshParts) EXPECT_TRUE(part->isPaintable());
    ASSERT_EQ(body.children.size(), 1u);
    EXPECT_EQ(body.children[0]->kind, tbGeometryObject::kCollision);
    // The paint texture belongs to the map alone, not to the project's collection.
    g_resources->destroyCollection("currentProject");
    EXPECT_NE(model->getTextureMap()->getTexture()->getTexture(), gfx::TextureHandle{});
}

TEST_F(GeometryImport, EmptyBatchesAreDroppedAndBadMaterialIndicesGiveNoMaterial) {
    geoFileData geo = test::paintableModel("trainer", test::gridVertices(2, 1), 1);
    geoFileLayer extra = geo.roots[0].layers[0];
    extra.materialIndex = 9;
    extra.batches = {{geo.box, 6, 6}, {geo.box, 6, 12}};
    geo.roots[0].layers.push_back(extra);
    ASSERT_TRUE(import(geo));
    const tbGeometryObject& body = *model->roots[0];
    ASSERT_EQ(body.meshParts.size(), 2u);
    EXPECT_EQ(body.meshParts[1]->material, nullptr);
    EXPECT_FALSE(body.meshParts[1]->isPaintable());
}

// A vertex list that is not whole triangles: every vertex is kept, the last
// one or two make no triangle, and the rest imports (a part may end on them).
TEST_F(GeometryImport, VerticesPastTheLastWholeTriangleMakeNoTriangle) {
    for (const size_t extra : {1u, 2u}) {
        SCOPED_TRACE(extra);
        std::vector<simVertex> vertices = test::gridVertices(2, 1);
        for (size_t i = 0; i < extra; ++i) vertices.push_back(vertices[i]);
        geoFileData geo = test::paintableModel("trainer", vertices, 1);
        geo.roots[0].layers[0].batches[0].endVertex = int32_t(vertices.size());
        boxes.clear();
        ASSERT_TRUE(import(geo)) << rig.engine.log();
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(model->vertices.size(), 12u + extra);
        EXPECT_EQ(model->triangles.size(), 4u);
        EXPECT_EQ(model->roots[0]->meshParts[0]->triangles().size(), 4u);
    }
}

TEST_F(GeometryImport, RefusesModelsItCannotPaint) {
    // No texture named after the model: nothing could be painted or saved.
    geoFileData noPaint = test::paintableModel("other", test::gridVertices(1, 1));
    EXPECT_FALSE(import(noPaint));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error importing geometry / The model has no paintable texture: none of its textures is "
                        "named after the model file.");
    EXPECT_TRUE(model->triangles.empty());
    EXPECT_EQ(model->getTextureMap(), nullptr);

    // A damaged file: the engine's reader refuses it before anything is built.
    boxes.clear();
    std::vector<uint8_t> bytes = writeGeoFile(test::paintableModel("broken", test::gridVertices(1, 1)));
    bytes.resize(bytes.size() - 7);
    model = std::make_unique<tbGeometry>(nullptr);
    EXPECT_FALSE(model->import(res->write("objects/aircraft/broken.geo", bytes)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error importing geometry / The geometry file appears to be invalid, or has been deleted.");
    EXPECT_TRUE(model->materials.empty());

    // The paint texture's image is missing.
    boxes.clear();
    model = std::make_unique<tbGeometry>(nullptr);
    EXPECT_FALSE(model->import(
        res->writeGeo("objects/aircraft/bare/bare.geo", test::paintableModel("bare", test::gridVertices(1, 1)))));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("The texture surface could not be created."), std::string::npos);
    EXPECT_TRUE(model->materials.empty());
}

TEST_F(GeometryImport, TheBundledAircraftImportsWithItsPaintTexture) {
    const std::string folder = "objects/aircraft/fixedWing/trainers/sparrow/";
    for (const char* file : {"sparrow.geo", "sparrow.bmp", "sparrowCanopy.png"})
        res->write(folder + file, fileBytes(test::sparrowFolder() + "/" + file));
    model = std::make_unique<tbGeometry>(nullptr);
    ASSERT_TRUE(model->import(res->root() + "/" + folder + "sparrow.geo")) << rig.engine.log();
    EXPECT_TRUE(boxes.empty());
    EXPECT_GT(model->triangles.size(), 0u);
    EXPECT_EQ(model->triangles.size(), model->vertices.size() / 3);
    ASSERT_NE(model->getTextureMap(), nullptr);
    int paintMaterials = 0;
    for (const auto& m : model->materials) paintMaterials += m->paintFlag;
    EXPECT_GE(paintMaterials, 1);
    for (const simVertex& v : model->vertices) {
        EXPECT_GE(v.uv[0].x, 0.0f);
        EXPECT_LE(v.uv[0].x, 1.0f);
    }
    // Every vertex of the model is in some mesh part: no batch was lost.
    std::vector<bool> covered(model->vertices.size(), false);
    std::vector<const tbGeometryObject*> pending;
    for (const auto& r : model->roots) pending.push_back(r.get());
    while (!pending.empty()) {
        const tbGeometryObject* o = pending.back();
        pending.pop_back();
        for (const auto& c : o->children) pending.push_back(c.get());
        for (const auto& p : o->meshParts)
            for (uint32_t v = p->firstVertex; v < p->endVertex && v < covered.size(); ++v) covered[v] = true;
    }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
}

}  // namespace
