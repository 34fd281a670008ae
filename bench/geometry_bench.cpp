// Cost of the model loader and of drawing a model, each beside its floor:
//  - loading a model of about 100,000 vertices (file read, parse, materials,
//    vertex buffer, node tree) beside reading the same file's bytes;
//  - drawing a model of 100,000 triangles each frame on the OpenGL device
//    (llvmpipe under headless EGL) beside raw GL drawing the same vertex
//    buffer with the same program (taken from the device after a model draw).
// Each frame ends with glFinish, so that the rasteriser's work is counted.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simApplication.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/geoFile.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simHeirachyNode.h"
#include "engine/graphics/simOptreeNode.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/recordingDevice.h"
#include "platform/win/virtualDesktop.h"

namespace {

constexpr int kNodes = 32;
constexpr int kSize = 256;  // back buffer, pixels

// A model of `triangles` small triangles tiling clip space in a grid, cut
// into kNodes nodes of one layer and one batch each, with two untextured
// materials.
geoFileData gridModel(int triangles) {
    geoFileData geo;
    geoFileMaterial m;
    m.name = "body";
    m.textures = {"none"};
    m.diffuse = m.ambient = {0.8f, 0.6f, 0.4f};
    geo.materials = {m, m};
    const int cells = (triangles + 1) / 2;
    int side = 1;
    while (side * side < cells) ++side;
    geo.vertices.reserve(size_t(triangles) * 3);
    auto vertex = [&](int x, int y) {
        simVertex v;
        v.position = {-1.0f + 2.0f * x / side, -1.0f + 2.0f * y / side, 0.5f};
        v.normal = {0, 0, -1};
        v.colour = 0xFFFFFFFF;
        v.uv[0] = v.uv[1] = v.uv[2] = {float(x) / side, float(y) / side};
        return v;
    };
    for (int t = 0; t < triangles; ++t) {
        const int cell = t / 2, x = cell % side, y = cell / side;
        if (t % 2 == 0) {
            geo.vertices.insert(geo.vertices.end(), {vertex(x, y), vertex(x, y + 1), vertex(x + 1, y + 1)});
        } else {
            geo.vertices.insert(geo.vertices.end(), {vertex(x, y), vertex(x + 1, y + 1), vertex(x + 1, y)});
        }
    }
    geo.triangleCount = uint32_t(triangles);
    geo.box = {{-1, -1, 0.5f}, {1, 1, 0.5f}};
    const int32_t count = int32_t(geo.vertices.size());
    for (int n = 0; n < kNodes; ++n) {
        geoFileNode node;
        node.name = "part" + std::to_string(n);
        node.box = geo.box;
        geoFileLayer layer;
        layer.materialIndex = n % 2;
        layer.box = geo.box;
        const int32_t first = count / 3 * n / kNodes * 3, end = count / 3 * (n + 1) / kNodes * 3;
        layer.batches = {{geo.box, first, end}};
        node.layers = {layer};
        geo.roots.push_back(node);
    }
    return geo;
}

std::string writeModel(const std::string& name, int triangles) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const std::vector<uint8_t> bytes = writeGeoFile(gridModel(triangles));
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

// The engine with a graphics system on the recording device (counting
// only) or on OpenGL over the current context, and a resource registry.
struct Engine {
    explicit Engine(bool onGl) {
        if (onGl) {
            gfx::setDirect3DFactory(nullptr);
        } else {
            recorder->keepLog = false;
            std::shared_ptr<gfx::Recorder> rec = recorder;
            gfx::setDirect3DFactory([rec] { return gfx::makeRecordingDirect3D(rec); });
        }
        simApplication::setProcessCommandLine("/opt/tolvane/tolvaneBuilder -SETTINGSPATH /tmp");
        app = std::make_unique<simApplication>(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
        resources = std::make_unique<simResources>();
        options = std::make_unique<simOptions>();
        app->createWindow(desktop.addWindow(0, 0, kSize, kSize));
        const int32_t resolution[3] = {kSize, kSize, 60};
        graphics = new simGraphics(40, d3dx::Vector2(0, 0), d3dx::Vector2(kSize, kSize), resolution, false, false,
                                   false, 1, false, 0, 1);
    }
    ~Engine() {
        resources.reset();
        delete graphics;
        options.reset();
        app.reset();
        gfx::setDirect3DFactory(nullptr);
    }
    bool ready() const { return graphics->getRenderer() && graphics->getRenderer()->getState(); }

    std::shared_ptr<gfx::Recorder> recorder = std::make_shared<gfx::Recorder>();
    win::VirtualDesktop desktop;
    std::unique_ptr<simApplication> app;
    std::unique_ptr<simResources> resources;
    std::unique_ptr<simOptions> options;
    simGraphics* graphics = nullptr;
};

// ---- Loading

const std::string& loadPath() {
    static const std::string path = writeModel("tolvane_geometry_bench_load.geo", 33334);  // 100,002 vertices
    return path;
}

void BM_ReadModelFileBytes(benchmark::State& state) {
    const std::string& path = loadPath();
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        std::vector<uint8_t> bytes(size_t(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadModelFileBytes)->Unit(benchmark::kMillisecond);

// The default pool (a vertex buffer that keeps a memory copy for device
// loss), or with "managedResourcePool" the managed pool (no copy).
void loadModel(benchmark::State& state, const std::string& options) {
    const std::string& path = loadPath();
    Engine engine(false);
    if (!engine.ready()) {
        state.SkipWithError("no graphics system");
        return;
    }
    for (auto _ : state) {
        auto model = std::make_unique<simGeometry>(nullptr, path, options);
        benchmark::DoNotOptimize(model->getTriangleCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}

void BM_LoadModel(benchmark::State& state) { loadModel(state, ""); }
BENCHMARK(BM_LoadModel)->Unit(benchmark::kMillisecond);

void BM_LoadModelManaged(benchmark::State& state) { loadModel(state, "managedResourcePool"); }
BENCHMARK(BM_LoadModelManaged)->Unit(benchmark::kMillisecond);

// ---- Drawing

struct DrawRig {
    gfx::EglContext context;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<simGeometry> model;

    bool init(benchmark::State& state) {
        if (!context.valid()) {
            state.SkipWithError("no OpenGL context");
            return false;
        }
        engine = std::make_unique<Engine>(true);
        if (!engine->ready()) {
            state.SkipWithError("no graphics system");
            return false;
        }
        static const std::string path = writeModel("tolvane_geometry_bench_draw.geo", 100000);
        model = std::make_unique<simGeometry>(nullptr, path, "");
        simRenderer& renderer = *engine->graphics->getRenderer();
        renderer.beginScene(true, true, true);
        renderer.getState()->setState(simRenderState_lighting, 0u);
        renderer.setTransform(0, nullptr);
        renderer.setTransform(2, nullptr);
        return model->getTriangleCount() == 100000;
    }
    ~DrawRig() {
        if (engine && engine->ready() && engine->graphics->getRenderer()->isInScene())
            engine->graphics->getRenderer()->endSceneWithoutPresent();
        model.reset();
        engine.reset();
    }
};

void BM_DrawModel(benchmark::State& state) {
    DrawRig rig;
    if (!rig.init(state)) return;
    rig.model->render(nullptr, nullptr, nullptr, nullptr);
    glFinish();
    for (auto _ : state) {
        rig.model->render(nullptr, nullptr, nullptr, nullptr);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_DrawModel)->Unit(benchmark::kMillisecond);

// The same batches straight through GL, with the program, vertex array and
// buffer the device left bound after drawing the model once.
void BM_DrawRawGl(benchmark::State& state) {
    DrawRig rig;
    if (!rig.init(state)) return;
    rig.model->render(nullptr, nullptr, nullptr, nullptr);
    glFinish();
    GLint program = 0, vertexArray = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    std::vector<std::pair<GLint, GLsizei>> batches;
    for (const simOptreeNode* batch : rig.model->getAllBatches())
        batches.emplace_back(batch->firstVertex, batch->endVertex - batch->firstVertex);
    for (auto _ : state) {
        glUseProgram(GLuint(program));
        glBindVertexArray(GLuint(vertexArray));
        for (const auto& [first, count] : batches) glDrawArrays(GL_TRIANGLES, first, count);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_DrawRawGl)->Unit(benchmark::kMillisecond);

}  // namespace
