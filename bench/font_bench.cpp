// Cost of drawing text: a 40-character string through a font, beside one
// rectangle drawing call, on the OpenGL device (Mesa's llvmpipe when
// headless). After the first string every glyph is in the font's atlas, so a
// string is one layout and one batched draw: "glyphsRendered" counts glyphs
// rendered during the timed loop (it must be 0), and "glCalls" the GL calls
// per iteration, which should match the rectangle's (one draw each). The
// goal: a string within 4x the time of one rectangle.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/core/simColour.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/d3dx/d3dxFont.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/glDevice.h"

namespace {

const std::string kText = "Frame 1234: 16.7 ms, 60 fps, 12000 tris.";
static_assert(sizeof("Frame 1234: 16.7 ms, 60 fps, 12000 tris.") == 41);

// A graphics system on the OpenGL device, inside a scene, with one font.
struct GlEngine {
    GlEngine() {
        if (!context.valid() || !context.makeCurrent()) return;
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected here
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {800, 600, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false,
                                                 false, false, 1, false, 3, 1);
        if (!graphics->getRenderer() || !graphics->getRenderer()->getDevice()) return;
        font = std::make_unique<simFont>(nullptr, "benchFont", "Arial", 10.0f, false, false);
        graphics->getRenderer()->beginScene(true, true, true);
        white.set(255, 255, 255, 255);
        font->drawText(kText, 10, 10, white);  // the first string fills the atlas
        ready = font->hasFont();
    }
    ~GlEngine() {
        if (graphics && graphics->getRenderer() && graphics->getRenderer()->isInScene())
            graphics->getRenderer()->endSceneWithoutPresent();
        font.reset();
        graphics.reset();
    }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
    std::unique_ptr<simFont> font;
    simColour white;
    bool ready = false;
};

GlEngine& engine() {
    static GlEngine e;
    return e;
}

void BM_DrawText40(benchmark::State& bench) {
    GlEngine& e = engine();
    if (!e.ready) return bench.SkipWithError("no OpenGL graphics system");
    const uint32_t glyphsBefore = e.font->getFont()->renderedGlyphs();
    const uint64_t callsBefore = gfx::glCalls();
    for (auto _ : bench) e.font->drawText(kText, 10, 40, e.white);
    bench.counters["glyphsRendered"] = double(e.font->getFont()->renderedGlyphs() - glyphsBefore);
    bench.counters["glCalls"] = benchmark::Counter(double(gfx::glCalls() - callsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DrawText40);

void BM_DrawRect(benchmark::State& bench) {
    GlEngine& e = engine();
    if (!e.ready) return bench.SkipWithError("no OpenGL graphics system");
    simRenderer& renderer = *e.graphics->getRenderer();
    const uint64_t callsBefore = gfx::glCalls();
    for (auto _ : bench) renderer.drawRect({10, 60}, {200, 80}, 0xFFFFFFFFu, nullptr);
    bench.counters["glCalls"] = benchmark::Counter(double(gfx::glCalls() - callsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DrawRect);

}  // namespace
