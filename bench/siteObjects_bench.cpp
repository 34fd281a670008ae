// The flying-site objects' per-frame costs.
//
// An area rebuilds its triangles every frame while its points are edited:
// one rebuild of a 200-point outline (goal: under 5 ms).
//
// A 256 x 256 height map is drawn every frame from its own buffers, side by
// side with a minimal OpenGL program drawing the same triangles from static
// buffers in one indexed call (goal: the engine within 1.5x of it). Both
// stand the map upright in front of the view, draw the triangles the map
// selects for that view by the same indices into its cells, cull the same
// faces, test depth less-or-equal, blend, and wait for the GPU (glFinish)
// every iteration; the "samples" counter (the depth-passing samples of one
// frame) shows that both sides cover the same pixels.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "bench/glComparison.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr uint32_t kCells = 256;

void BM_AreaRebuild200Points(benchmark::State& state) {
    tbCollisionObject_area area(tbCollisionObject_area::subKind_wind, "area", {15000, 300, -8000});
    // A star-like outline: concave, as users draw round trees and fields.
    for (int i = 0; i < 200; ++i) {
        const float a = float(i) * 6.2831853f / 200.0f;
        const float r = 3000.0f + (i % 2 ? 600.0f : 0.0f) + 400.0f * std::sin(5.0f * a);
        area.addPoint({r * std::cos(a), 0.0f, r * std::sin(a)});
    }
    for (auto _ : state) {
        area.buildGeometry();
        benchmark::DoNotOptimize(area.getTriangles().data());
    }
    state.counters["triangles"] = double(area.getTriangles().size());
}
BENCHMARK(BM_AreaRebuild200Points)->Unit(benchmark::kMillisecond);

// A map standing upright in front of the identity view: local z down the
// screen, the cells at depth 0.5, covering most of the view. The program's
// camera is right-handed, so the side a user sees from above is, through
// identity matrices, the side facing away from local y: the map is turned
// that side to the view. Turned the other way the engine culled every
// triangle and drew nothing.
std::unique_ptr<tbCollisionObject_heightMap> uprightMap() {
    auto map = std::make_unique<tbCollisionObject_heightMap>("map", d3dx::Vector3(0, 0, 0.5f), d3dx::Vector3(),
                                                             d3dx::Vector3(1.8f, 1, 1.8f), kCells);
    map->getManipulator()->setRotation({1.5707964f, 0, 0});
    for (uint32_t r = 0; r < kCells; ++r)
        for (uint32_t c = 0; c < kCells; ++c) map->setHeight(r, c, 0.001f * float((r * 7 + c * 13) % 50));
    map->refreshSurface();
    return map;
}

// The samples that pass the depth test while draw runs.
template <class Draw>
double samplesPassed(Draw draw) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    draw();
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    glDeleteQueries(1, &query);
    return double(samples);
}


// The triangles the map draws through the identity view into the bench's
// viewport.
std::vector<uint32_t> uprightTriangles(tbCollisionObject_heightMap& map) {
    std::vector<uint32_t> indices;
    map.selectTriangles(d3dx::Matrix::identity(), float(kWidth), float(kHeight), &indices);
    return indices;
}

void BM_HeightMap256_Engine(benchmark::State& state) {
    static benchgl::EngineOnGl e(kWidth, kHeight);
    if (!e.ready()) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    e.context.makeCurrent();
    simRenderer& r = *e.graphics->getRenderer();
    r.beginScene(true, true, false);
    r.setTransform(0, nullptr);
    r.setTransform(2, nullptr);
    r.getState()->setState(simRenderState_lighting, 0u);
    r.getState()->setState(simRenderState_zWrite, 1u);
    size_t triangles = 0;
    {
        auto map = uprightMap();
        triangles = uprightTriangles(*map).size() / 3;
        map->render();  // the first frame fills the buffers
        glFinish();
        state.counters["samples"] = samplesPassed([&] { map->render(); });
        for (auto _ : state) {
            map->render();
            glFinish();
        }
    }
    r.endSceneWithoutPresent();
    state.counters["triangles"] = double(triangles);
    state.SetItemsProcessed(state.iterations() * int64_t(triangles));
}
BENCHMARK(BM_HeightMap256_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine renders upside down into its target and culls Direct3D's
// counter-clockwise faces, which are GL's back faces there: the raw program
// flips y the same way and culls the back faces, so both draw the same
// triangles into the same pixels.
constexpr const char* kRawVertexShader =
    "#version 330 core\n"
    "layout(location = 0) in vec3 position;\n"
    "layout(location = 2) in vec4 colour;\n"
    "flat out vec4 vColour;\n"
    "void main() { gl_Position = vec4(position.x, -position.y, position.z * 2.0 - 1.0, 1.0); vColour = colour.bgra; }\n";
constexpr const char* kRawFragmentShader =
    "#version 330 core\n"
    "flat in vec4 vColour;\nout vec4 colour;\n"
    "void main() { if (vColour.a <= 2.0 / 255.0) discard; colour = vColour; }\n";

struct RawGl : benchgl::RawGlProgram {
    RawGl() : RawGlProgram(kRawVertexShader, kRawFragmentShader, kWidth, kHeight, true) {
        if (!ok) return;
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        // Each triangle takes its first corner's colour, as Direct3D's flat shading.
        glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    }
    GLuint buffer = 0, indices = 0;
};

void BM_HeightMap256_RawGl(benchmark::State& state) {
    static RawGl gl;
    if (!gl.ok) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    gl.context.makeCurrent();
    const auto map = uprightMap();
    const std::vector<simVertex>& vertices = map->getGridVertices();
    const std::vector<uint32_t> indices = uprightTriangles(*map);
    glGenBuffers(1, &gl.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(simVertex)), vertices.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &gl.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(simVertex), nullptr);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(simVertex),
                          reinterpret_cast<void*>(offsetof(simVertex, colour)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(2);
    const auto draw = [&] { glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, nullptr); };
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    state.counters["samples"] = samplesPassed(draw);
    for (auto _ : state) {
        draw();
        glFinish();
    }
    glDeleteBuffers(1, &gl.buffer);
    glDeleteBuffers(1, &gl.indices);
    state.counters["triangles"] = double(indices.size() / 3);
    state.SetItemsProcessed(state.iterations() * int64_t(indices.size() / 3));
}
BENCHMARK(BM_HeightMap256_RawGl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
