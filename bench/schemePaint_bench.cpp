// Painting on the paint texture, headless on EGL (llvmpipe in the test
// machines), each figure beside its baseline:
//  - 3-D brush stamps on a 2048 x 2048 texture, and the same brush (the same
//    texels painted) on 512 x 512 and 4096 x 4096: a stamp copies back only
//    what it touched, so its cost follows the brush's area, not the
//    texture's size (the 4096 / 512 time ratio must stay under 1.5);
//  - a flood fill of a sub-object covering a 2048 x 2048 region, beside
//    ImageMagick's flood fill of a picture of the same size (`convert ...
//    -draw "color x,y floodfill" null:`, process start-up included, and its
//    start-up alone for reference);
//  - the undo history's memory after 25 small strokes on 4096 x 4096, beside
//    the bytes of the pixels the strokes painted (counters).
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbToolState.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

namespace {

struct Engine {
    Engine() {
        context.makeCurrent();
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {640, 480, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(640, 480), resolution, false,
                                                 false, false, 1, false, 3, 1);
    }
    ~Engine() {
        context.makeCurrent();
        graphics.reset();
    }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
};

// A flat model: a grid of `cells` x `cells` squares in the x-y plane over
// -1..1, its texture coordinates covering the whole texture.
std::unique_ptr<tbGeometry> gridModel(int cells, uint32_t size, tbToolState& tools) {
    auto model = std::make_unique<tbGeometry>(nullptr);
    model->setToolState(&tools);
    model->materials.push_back(std::make_unique<tbMaterial>(model.get(), 0));
    model->materials[0]->paintFlag = 1;
    const float step = 2.0f / float(cells);
    for (int row = 0; row < cells; ++row)
        for (int col = 0; col < cells; ++col) {
            const float a = -1.0f + step * float(col), b = -1.0f + step * float(row);
            const float c[4][2] = {{a, b}, {a + step, b}, {a + step, b + step}, {a, b + step}};
            for (int k : {0, 1, 2, 0, 2, 3}) {
                simVertex v;
                v.position = {c[k][0], c[k][1], 0.0f};
                v.normal = {0, 0, 1};
                v.uv[0] = {(c[k][0] + 1.0f) / 2.0f, (1.0f - c[k][1]) / 2.0f};
                model->vertices.push_back(v);
                model->box.growByPoint(v.position);
            }
        }
    model->box.update();
    model->buildTriangles();
    auto root = std::make_unique<tbGeometryObject>(model.get());
    auto part = std::make_unique<tbMeshPart>(root.get());
    part->material = model->materials[0].get();
    part->endVertex = uint32_t(model->vertices.size());
    root->meshParts.push_back(std::move(part));
    model->roots.push_back(std::move(root));
    // An empty picture block: the map is made at its size, black.
    auto map = std::make_unique<tbTextureMap>(model.get());
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    auto put32 = [&bmp](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    put32(2, 54 + 4);
    put32(10, 54);
    put32(14, 40);
    put32(18, 1);
    put32(22, 1);
    bmp[26] = 1;
    bmp[28] = 24;
    bmp.insert(bmp.end(), {0x80, 0x80, 0x80, 0});
    if (map->open(size, size, bmp)) model->setTextureMap(std::move(map));
    return model;
}

void pickCentre(tbGeometry& model, float x, float y) {
    model.pickedPoint = {x, y, 0.0f};
    model.pickedNormal = {0, 0, 1};
    float best = 1e30f;
    for (const auto& t : model.triangles) {
        const d3dx::Vector3 d = t->centre - model.pickedPoint;
        const float distance = d.x * d.x + d.y * d.y;
        if (distance < best) best = distance, model.pickedTriangle = t.get();
    }
}

// The same in constant time on a grid of `cells`: the first triangle of the
// cell under (x, y), so the benchmark's own search does not grow with the model.
void pickCell(tbGeometry& model, int cells, float x, float y) {
    const int col = std::clamp(int((x + 1.0f) / 2.0f * float(cells)), 0, cells - 1);
    const int row = std::clamp(int((y + 1.0f) / 2.0f * float(cells)), 0, cells - 1);
    model.pickedPoint = {x, y, 0.0f};
    model.pickedNormal = {0, 0, 1};
    model.pickedTriangle = model.triangles[size_t(row * cells + col) * 2].get();
}

Engine& engine() {
    static Engine e;
    return e;
}

// One 3-D stamp per iteration at points walking over the model; the GPU
// finishes each. The same brush on every texture: the model's cells are 8 x
// 8 texels whatever the texture's size and the brush spans 3 cells, so each
// stamp paints the same texels and what remains is what the texture's size
// costs (the time ratio 4096 / 512 must stay under 1.5). The rate counter is
// of wall time.
void BM_BrushStamp3D(benchmark::State& state) {
    engine();
    tbToolState tools;
    simColour red;
    red.set(128, 255, 0, 0);
    tools.setMainColour(red);
    const uint32_t size = uint32_t(state.range(0));
    const int cells = int(size / 8);
    const float cell = 2.0f / float(cells);
    std::unique_ptr<tbGeometry> model = gridModel(cells, size, tools);
    if (!model->getTextureMap()) return state.SkipWithError("no texture");
    int i = 0;
    for (auto _ : state) {
        const float x = -0.5f + cell * 0.5f * float(i % 100), y = -0.5f + cell * 0.5f * float((i / 100) % 100);
        ++i;
        pickCell(*model, cells, x, y);
        model->prepareBrush3D(model->pickedPoint, 3.0f * cell);
        model->paintBrush3D(nullptr, model->pickedPoint, 3.0f * cell);
        glFinish();
    }
    state.counters["stamps/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BrushStamp3D)->Arg(512)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A flood fill of the whole model: every texel of the 2048 x 2048 texture.
void BM_FloodFill2048(benchmark::State& state) {
    engine();
    tbToolState tools;
    std::unique_ptr<tbGeometry> model = gridModel(64, 2048, tools);
    if (!model->getTextureMap()) return state.SkipWithError("no texture");
    std::vector<tbTriangle*> region;
    model->roots[0]->collectTriangles(false, region);
    simColour a, b;
    a.set(255, 255, 0, 0);
    b.set(255, 0, 0, 255);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        model->floodFill(region, flip ? a : b, b, false, 0);
        glFinish();
    }
    state.counters["texels"] = 2048.0 * 2048.0;
}
BENCHMARK(BM_FloodFill2048)->Unit(benchmark::kMillisecond);

void runConvert(benchmark::State& state, const std::string& draw) {
    const std::string command = "convert -size 2048x2048 xc:gray " + draw + " null: >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ImageMagick's convert did not run");
}
void BM_ImageMagickFloodFill2048(benchmark::State& state) {
    runConvert(state, "-fill red -draw \"color 1024,1024 floodfill\"");
}
BENCHMARK(BM_ImageMagickFloodFill2048)->Unit(benchmark::kMillisecond)->Iterations(5);
void BM_ImageMagickStartUpOnly(benchmark::State& state) { runConvert(state, ""); }
BENCHMARK(BM_ImageMagickStartUpOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

// 25 strokes of 10 stamps each (brush size 0.05, one stamp's footprint about
// 100 x 100 texels) at separate places on a 4096 x 4096 texture, each ended
// by an undo push: the history's bytes beside the bytes the strokes covered.
void BM_UndoMemory25Strokes4096(benchmark::State& state) {
    engine();
    tbToolState tools;
    simColour red;
    red.set(255, 255, 0, 0);
    tools.setMainColour(red);
    double held = 0, painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<tbGeometry> model = gridModel(64, 4096, tools);
        if (!model->getTextureMap()) return state.SkipWithError("no texture");
        state.ResumeTiming();
        painted = 0;
        for (int stroke = 0; stroke < 25; ++stroke) {
            const float x0 = -0.8f + 0.32f * float(stroke % 5), y0 = -0.8f + 0.32f * float(stroke / 5);
            for (int stamp = 0; stamp < 10; ++stamp) {
                pickCentre(*model, x0 + 0.01f * float(stamp), y0);
                model->prepareBrush3D(model->pickedPoint, 0.05f);
                model->paintBrush3D(nullptr, model->pickedPoint, 0.05f);
            }
            const tbPaintSpace::PixelRect area =
                tbPaintSpace::pixelsTouched(model->getUndo().dirtyRect(), 4096, 4096);
            painted += double(area.area()) * 4.0;
            model->getUndo().push();
        }
        glFinish();
        held = double(model->getUndo().memoryBytes());
    }
    state.counters["undoBytes"] = held;
    state.counters["paintedBytes"] = painted;
    state.counters["textureBytes"] = 4096.0 * 4096.0 * 4.0;
}
BENCHMARK(BM_UndoMemory25Strokes4096)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
