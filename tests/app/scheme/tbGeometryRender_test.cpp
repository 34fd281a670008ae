// The model's drawing on the recording device: each mesh part's vertex
// buffer is made once and drawn every frame without being rebuilt, survives
// a lost device, is made again only when the model is; the object bar's
// switches decide which parts draw.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbSceneCameras.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "tests/app/scheme/schemeModels.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/sceneTestCamera.h"

using testsupport::ModelResources;
using testsupport::RecordingGraphics;

namespace {

constexpr uint64_t kTriangleList = 4;
constexpr uint64_t kManagedPool = 1;
constexpr uint64_t kDynamicUsage = 0x200;

// No cameras of the scene's to record.
class NoCameras : public tbSceneCameras {
public:
    size_t count() const override { return 0; }
    tbToolSettings::CameraRecord save(size_t) const override { return {}; }
    void load(size_t, const tbToolSettings::CameraRecord&) override {}
};

class ModelDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete()) << rig.engine.log();
        previousSink = tbSetErrorBoxSink([](const std::string&, const std::string&) {});
        previousCameras = tbSetSceneCameras(&noCameras);
        res = std::make_unique<ModelResources>(rig.engine);
        res->write("objects/aircraft/planes/trainer/trainer.bmp",
                   imagesamples::bmp24(imagesamples::pattern(8, 8, false)));
        res->writeTexture("textures/metal.bmp");
        // The grid in two batches of the paint material and one of the metal.
        geoFileData geo = test::paintableModel("trainer", test::gridVertices(4, 3), 2);
        geoFileLayer metal = geo.roots[0].layers[0];
        metal.materialIndex = 1;
        metal.batches = {{geo.box, 0, 6}};
        geo.roots[0].layers.push_back(metal);
        res->writeGeo("objects/aircraft/planes/trainer/trainer.geo", geo);
        if (!g_graphics->getScene()) scene = new simScene();
        new testsupport::SceneTestCamera("Texture");
        new testsupport::SceneTestCamera("Perspective");
        project = std::make_unique<tbProject_model>();
        ASSERT_TRUE(project->onNew("trainer.tvm")) << rig.engine.log();
        frame.tool = 1;  // the shape tool: no preview of this to draw
        frame.secondView = false;
    }
    void TearDown() override {
        project.reset();
        delete scene;
        res.reset();
        tbSetSceneCameras(previousCameras);
        tbSetErrorBoxSink(previousSink);
    }

    tbGeometry& model() { return *project->getModel(); }
    // One frame's drawing of the model alone; the draw calls it made.
    size_t draw() {
        const size_t before = rig.recorder->count("DrawPrimitive", kTriangleList);
        rig.renderer().beginScene(true, true, false);
        model().getRender().render(frame);
        rig.renderer().endScene(false, nullptr);
        return rig.recorder->count("DrawPrimitive", kTriangleList) - before;
    }
    // The model's buffers: the renderer's own shared buffers are dynamic
    // ones of the default pool, made again after every reset.
    size_t buffersMade() const {
        size_t n = 0;
        for (const auto& call : rig.recorder->calls()) n += call.name == "CreateVertexBuffer" && call.args[3] == kManagedPool;
        return n;
    }

    RecordingGraphics rig;
    std::unique_ptr<ModelResources> res;
    std::unique_ptr<tbProject_model> project;
    simScene* scene = nullptr;
    tbGeometryFrame frame;
    tbErrorBoxSink previousSink;
    NoCameras noCameras;
    tbSceneCameras* previousCameras = nullptr;
};

TEST_F(ModelDrawing, EachPartsBufferIsMadeOnceAndDrawnEveryFrame) {
    frame.paintableOnly = false;
    const size_t before = buffersMade();
    EXPECT_EQ(draw(), 3u);
    EXPECT_EQ(buffersMade() - before, 3u);
    EXPECT_EQ(model().getRender().bufferCount(), 3u);
    // Static buffers the device keeps: managed pool, no dynamic usage,
    // each the size of its part (12, 12 and 2 triangles of 52-byte vertices).
    std::vector<uint64_t> sizes;
    for (const auto& call : rig.recorder->calls()) {
        if (call.name != "CreateVertexBuffer" || call.args[3] != kManagedPool) continue;
        EXPECT_EQ(call.args[1] & kDynamicUsage, 0u);
        sizes.push_back(call.args[0]);
    }
    EXPECT_EQ(sizes, (std::vector<uint64_t>{52 * 36, 52 * 36, 52 * 6}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(draw(), 3u);
    EXPECT_EQ(buffersMade() - before, 3u) << "a frame rebuilt a buffer";
    // Each part draws its own triangles from the start of its buffer: the
    // batches hold 12, 12 and 2 triangles.
    EXPECT_EQ(rig.recorder->count("DrawPrimitive", kTriangleList), 15u);
}

TEST_F(ModelDrawing, ALostDeviceKeepsTheBuffersAndANewModelMakesItsOwn) {
    draw();
    const size_t made = buffersMade();
    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();
    rig.graphics().renderFrameDefault();
    ASSERT_TRUE(rig.state().isValid());
    EXPECT_EQ(draw(), 3u);
    EXPECT_EQ(buffersMade(), made);
    EXPECT_EQ(rig.engine.errors.texts(), std::vector<std::string>{});

    // A new import replaces the arrays the buffers were made from.
    ASSERT_TRUE(project->onNew("trainer.tvm"));
    EXPECT_EQ(draw(), 3u);
    EXPECT_EQ(buffersMade(), made + 3);
}

TEST_F(ModelDrawing, TheObjectBarDecidesWhichPartsDraw) {
    struct Case {
        bool paintableOnly;
        uint8_t enabled, visible;
        size_t draws;
    };
    const Case cases[] = {
        {true, 1, 1, 2},   // the metal part is not paintable
        {false, 1, 1, 3},  // every part
        {false, 0, 1, 3},  // a disabled object still shows, greyed
        {false, 1, 0, 0},  // an invisible one does not
        {true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        frame.paintableOnly = c.paintableOnly;
        model().roots[0]->enabled = c.enabled;
        model().roots[0]->visible = c.visible;
        EXPECT_EQ(draw(), c.draws) << c.paintableOnly << int(c.enabled) << int(c.visible);
    }
}

TEST_F(ModelDrawing, OnlyTheChosenViewIsDrawn) {
    frame.viewMode = 1;  // the texture view: the paint texture's square, not the model
    EXPECT_EQ(draw(), 1u);
    frame.viewMode = 2;
    EXPECT_EQ(draw(), 0u);
}

// The colour picker, or Alt with any tool, rings the mouse: one batch of
// lines drawn with the depth test off, in either view.
TEST_F(ModelDrawing, TheColourPickerAndAltRingTheMouse) {
    constexpr uint64_t kLineList = 2;
    struct Case {
        int32_t tool;
        bool alt;
        int32_t viewMode;
        size_t rings;
    };
    for (const Case& c : {Case{4, false, 0, 1}, Case{1, true, 0, 1}, Case{1, true, 1, 1}, Case{1, false, 0, 0},
                          Case{4, false, 2, 1}}) {
        frame.tool = c.tool;
        frame.altHeld = c.alt;
        frame.viewMode = c.viewMode;
        const size_t before = rig.recorder->count("DrawPrimitive", kLineList);
        draw();
        EXPECT_EQ(rig.recorder->count("DrawPrimitive", kLineList) - before, c.rings) << c.tool << c.alt;
        if (c.rings) {
            EXPECT_EQ(rig.state().getState(simRenderState_zFunction), 8u);
        }
    }
}

}  // namespace
