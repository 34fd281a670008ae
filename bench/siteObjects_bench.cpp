// The flying-site objects' per-frame costs.
//
// An area rebuilds its triangles every frame while its points are edited:
// one rebuild of a 200-point outline (goal: under 5 ms).
//
// A 256 x 256 height map is drawn every frame from its own vertex buffer,
// side by side with a minimal OpenGL program drawing the same vertices from
// one static buffer in one call (goal: the engine within 1.5x of it). Both
// stand the map upright in front of the view, test depth less-or-equal and
// wait for the GPU (glFinish) every iteration; the raw program culls
// nothing, so it does at least the engine's raster work.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

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

// A map standing upright in front of the identity view: local z up the
// screen, the cells at depth 0.5, covering most of the view.
std::unique_ptr<tbCollisionObject_heightMap> uprightMap() {
    auto map = std::make_unique<tbCollisionObject_heightMap>("map", d3dx::Vector3(0, 0, 0.5f), d3dx::Vector3(),
                                                             d3dx::Vector3(1.8f, 1, 1.8f), kCells);
    map->getManipulator()->setRotation({-1.5707964f, 0, 0});
    for (uint32_t r = 0; r < kCells; ++r)
        for (uint32_t c = 0; c < kCells; ++c) map->setHeight(r, c, 0.001f * float((r * 7 + c * 13) % 50));
    map->refreshSurface();
    return map;
}

struct Engine {
    Engine() {
        context.makeCurrent();
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {kWidth, kHeight, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(kWidth, kHeight), resolution,
                                                 false, false, false, 1, false, 3, 1);
    }
    ~Engine() {
        context.makeCurrent();
        graphics.reset();
    }
    bool ready() const { return graphics && graphics->getRenderer() && graphics->getRenderer()->getState(); }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
};

void BM_HeightMap256_Engine(benchmark::State& state) {
    static Engine e;
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
    {
        auto map = uprightMap();
        map->render();  // the first frame fills the buffer
        glFinish();
        for (auto _ : state) {
            map->render();
            glFinish();
        }
    }
    r.endSceneWithoutPresent();
    state.SetItemsProcessed(state.iterations() * int64_t(kCells - 1) * (kCells - 1) * 2);
}
BENCHMARK(BM_HeightMap256_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

struct RawGl {
    RawGl() {
        if (!context.valid() || !context.makeCurrent()) return;
        const char* vs =
            "#version 330 core\n"
            "layout(location = 0) in vec3 position;\n"
            "layout(location = 2) in vec4 colour;\n"
            "out vec4 vColour;\n"
            "void main() { gl_Position = vec4(position.xy, position.z * 2.0 - 1.0, 1.0); vColour = colour.bgra; }\n";
        const char* fs =
            "#version 330 core\n"
            "in vec4 vColour;\nout vec4 colour;\n"
            "void main() { if (vColour.a <= 2.0 / 255.0) discard; colour = vColour; }\n";
        program = glCreateProgram();
        glAttachShader(program, compile(GL_VERTEX_SHADER, vs));
        glAttachShader(program, compile(GL_FRAGMENT_SHADER, fs));
        glLinkProgram(program);
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(2, targets);
        glBindRenderbuffer(GL_RENDERBUFFER, targets[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
        glBindRenderbuffer(GL_RENDERBUFFER, targets[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kWidth, kHeight);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, targets[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, targets[1]);
        glViewport(0, 0, kWidth, kHeight);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glUseProgram(program);
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        ok = linked == GL_TRUE && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    gfx::EglContext context;
    GLuint program = 0, framebuffer = 0, targets[2] = {}, vao = 0, buffer = 0;
    bool ok = false;
};

void BM_HeightMap256_RawGl(benchmark::State& state) {
    static RawGl gl;
    if (!gl.ok) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    gl.context.makeCurrent();
    const auto map = uprightMap();
    const std::vector<simVertex>& vertices = map->getSurfaceVertices();
    glGenBuffers(1, &gl.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(simVertex)), vertices.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(simVertex), nullptr);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(simVertex),
                          reinterpret_cast<void*>(offsetof(simVertex, colour)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(2);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (auto _ : state) {
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertices.size()));
        glFinish();
    }
    glDeleteBuffers(1, &gl.buffer);
    state.SetItemsProcessed(state.iterations() * int64_t(kCells - 1) * (kCells - 1) * 2);
}
BENCHMARK(BM_HeightMap256_RawGl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
