// The editor's application object started headless on EGL, as the editors'
// OpenGL tests and their benchmarks both need it: an OpenGL context, the
// engine on a virtual window of the given size, the settings in a folder the
// caller names, the mouse gate open, and every error box collected as
// "title / text" instead of shown. It speaks no GoogleTest, so a benchmark
// links it too; a test fixture checks what it gives.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbApplication.h"
#include "app/shell/tbErrorBox.h"
#include "app/shell/tbMouseGate.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/results.h"
#include "platform/win/virtualDesktop.h"

namespace testsupport {

// Every window of the editor lets the mouse through to the view.
class OpenGate : public tbViewWindows {
public:
    bool isMainWindowEnabled() const override { return true; }
    bool isCursorInsideView() const override { return true; }
    bool isVisibleUnderCursor(tbGatedWindow) const override { return false; }
};

class EditorOnEgl {
public:
    EditorOnEgl() = default;
    // Stops the application when the caller has not.
    ~EditorOnEgl();
    EditorOnEgl(const EditorOnEgl&) = delete;
    EditorOnEgl& operator=(const EditorOnEgl&) = delete;

    // Links the engine's systems, points the command line at
    // `settingsFolder`, makes the application and its engine on a width x
    // height window and initialises it. False when it did not start (the
    // application's status says why).
    bool startApplication(const std::string& settingsFolder, int width, int height);
    // Lets the application go, then puts back the error box sink, the
    // process's own command line and empty links; nothing when not started.
    void stopApplication();
    // The back buffer as the last frame left it (0xFFRRGGBB, rows top
    // first) and the lock's result.
    gfx::HRESULT readBackBuffer(std::vector<uint32_t>& pixels) const;

    gfx::EglContext context;
    win::VirtualDesktop desktop;
    OpenGate gate;
    std::unique_ptr<CtolvaneBuilderApp> app;
    std::vector<std::string> boxes;

private:
    bool m_started = false;
    tbErrorBoxSink m_previousSink;
};

}  // namespace testsupport
