// Start-up of the editor to its first presented frame, headless on EGL: the
// application object, the engine made on the view, the editor's resources,
// fonts, light and cameras, and one whole frame (update, redraw, present).
// Side by side with what the bare main window did before the engine ran in
// it: clear the view and present.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <filesystem>

#include "app/shell/tbApplication.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"

namespace {

void BM_EditorStartupToFirstFrame(benchmark::State& state) {
    gfx::EglContext context;
    if (!context.valid()) {
        state.SkipWithError("no EGL context");
        return;
    }
    gfx::setDirect3DFactory(nullptr);
    const std::string documents = std::filesystem::temp_directory_path() / "tolvaneShellStartupBench";
    std::filesystem::create_directories(documents);
    simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" +
                                          documents + "\"");
    for (auto _ : state) {
        win::VirtualDesktop desktop;
        systemLinks() = simSystemLinks{};
        simLinkEngineSystems(systemLinks());
        {
            CtolvaneBuilderApp app;
            app.createEngine(desktop.addWindow(0, 0, 1024, 768), 1024, 768, nullptr);
            app.initialise();
            app.update();
            app.redraw();
            glFinish();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    systemLinks() = simSystemLinks{};
    simApplication::useOwnCommandLine();
    std::filesystem::remove_all(documents);
}
BENCHMARK(BM_EditorStartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BareWindowFirstFrame(benchmark::State& state) {
    gfx::EglContext context;
    if (!context.valid()) {
        state.SkipWithError("no EGL context");
        return;
    }
    for (auto _ : state) {
        GLuint framebuffer = 0, colour = 0;
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 1024, 768);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        glViewport(0, 0, 1024, 768);
        glClearColor(0.20f, 0.30f, 0.45f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &colour);
    }
}
BENCHMARK(BM_BareWindowFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
