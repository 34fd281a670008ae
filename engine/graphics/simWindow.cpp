#include "engine/graphics/simWindow.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simWindowHost.h"
#include "platform/win/winWindows.h"

namespace {

using Host = simWindowHost;

win::HWND appWindow() { return g_application ? g_application->getWindow() : nullptr; }

void show(int command) {
    if (Host* host = Host::installed()) host->showWindow(appWindow(), command);
}

void writeWindowStateOption(uint32_t state) {
    if (g_options) g_options->default_windowState = static_cast<int>(state);
}

}  // namespace

simWindow::simWindow(const d3dx::Vector2& position, const d3dx::Vector2& size, const int32_t resolution[3],
                     bool fullscreen, bool vsync, bool antialiasing, uint32_t style, uint32_t windowState)
    : simObject(false, true, false, false),
      m_position(position),
      m_size(size),
      m_resolutionWidth(resolution[0]),
      m_resolutionHeight(resolution[1]),
      m_refreshRate(resolution[2]),
      m_style(style),
      m_windowState(windowState),
      m_fullscreen(fullscreen),
      m_vsync(vsync),
      m_antialiasing(antialiasing) {
    simRendererLog("Initialising window...");
    if (g_graphics) g_graphics->setWindow(this);
    updateBackBufferSize();
    applyWindowStyle();
    moveAndShow();
    simRendererSetStatus(true, "success");
    simRendererLog("done\n");
}

simWindow::~simWindow() {
    simRendererLog("De-initialising window...");
    if (g_graphics && g_graphics->getWindow() == this) g_graphics->setWindow(nullptr);
    simRendererLog("done\n");
}

void simWindow::updateBackBufferSize() {
    m_backBufferSize = m_fullscreen ? d3dx::Vector2(static_cast<float>(m_resolutionWidth),
                                                    static_cast<float>(m_resolutionHeight))
                                    : m_size;
}

void simWindow::moveAndShow() {
    if (Host* host = Host::installed()) {
        host->moveWindow(appWindow(), static_cast<int>(m_position.x), static_cast<int>(m_position.y),
                         static_cast<int>(m_size.x), static_cast<int>(m_size.y), true);
        host->showWindow(appWindow(), Host::SW_SHOW);
        host->updateWindow(appWindow());
    }
}

void simWindow::applyWindowStyle() {
    Host* host = Host::installed();
    if (!host) return;
    const win::HWND window = appWindow();
    const uint32_t current = host->getStyle(window);
    constexpr uint32_t kFrame = Host::WS_CAPTION | Host::WS_SYSMENU | Host::WS_THICKFRAME | Host::WS_MINIMIZEBOX |
                                Host::WS_MAXIMIZEBOX;
    uint32_t wanted = current;
    if (m_style != 3) {
        if (m_style == 2 || m_fullscreen)
            wanted = (current & ~kFrame) | Host::WS_POPUP;
        else if (m_style == 0)
            wanted = (current & ~(Host::WS_POPUP | kFrame)) | Host::WS_CAPTION | Host::WS_SYSMENU | Host::WS_MINIMIZEBOX;
        else if (m_style == 1)
            wanted = (current & ~(Host::WS_POPUP | kFrame)) | Host::WS_OVERLAPPEDWINDOW;
    }
    if (wanted != current) host->setStyle(window, wanted);
    host->showWindow(window, Host::SW_SHOW);
    host->updateWindow(window);
    host->drawMenuBar(window);
}

void simWindow::setWindowState(uint32_t state) {
    if (state == m_windowState) return;
    m_windowState = state;
    writeWindowStateOption(state);
    if (state == 1) show(Host::SW_RESTORE);
    else if (state == 0) show(Host::SW_SHOWMINIMIZED);
    else if (state == 2) show(Host::SW_MAXIMIZE);
}

void simWindow::setFullscreen(bool fullscreen) {
    if (fullscreen == m_fullscreen) return;
    m_fullscreen = fullscreen;
    if (fullscreen) {
        m_wasMaximised = m_windowState == 2;
        setWindowState(1);
    }
    updateBackBufferSize();
    m_fullscreenChanged = true;
}

void simWindow::setAntialiasing(bool antialiasing) {
    if (antialiasing == m_antialiasing) return;
    m_antialiasing = antialiasing;
    m_deviceSettingsChanged = true;
}

void simWindow::setVsync(bool vsync) {
    if (vsync == m_vsync) return;
    m_vsync = vsync;
    m_deviceSettingsChanged = true;
}

void simWindow::setWindowSize(d3dx::Vector2& size) {
    if (size == m_size) return;
    if (simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr) {
        const simDisplayMode& desktop = renderer->getDesktopMode();
        size.x = std::min(size.x, static_cast<float>(desktop.width));
        size.y = std::min(size.y, static_cast<float>(desktop.height));
    }
    m_size = size;
    updateBackBufferSize();
    moveAndShow();
    m_resized = true;
}

void simWindow::setWindowPosition(const d3dx::Vector2& position) {
    if (position == m_position) return;
    m_position = position;
    moveAndShow();
}

void simWindow::onWindowChanged() {
    Host* host = Host::installed();
    const win::HWND window = appWindow();
    const d3dx::Vector2 oldSize = m_size;
    const bool fullscreenAndMinimised = m_fullscreen && m_windowState == 0;

    const bool zoomed = host && host->isZoomed(window);
    const bool iconic = host && host->isIconic(window);
    m_windowState = iconic ? 0 : zoomed ? 2 : 1;
    writeWindowStateOption(m_fullscreen && m_wasMaximised ? 2 : m_windowState);

    win::RECT windowRect, clientRect;
    win::GetWindowRect(window, &windowRect);
    win::GetClientRect(window, &clientRect);
    win::RECT outer = clientRect;
    if (host) host->adjustWindowRect(&outer, host->getStyle(window));
    if (m_windowState == 1 && !m_fullscreen && g_options) {
        g_options->default_windowPosition_x = static_cast<float>(windowRect.left);
        g_options->default_windowPosition_y = static_cast<float>(windowRect.top);
        g_options->default_windowSize_x = static_cast<float>(outer.right - outer.left);
        g_options->default_windowSize_y = static_cast<float>(outer.bottom - outer.top);
    }

    // The client rectangle's origin: the view is placed by its parent, and
    // the next MoveWindow keeps it where its parent put it.
    m_position = {static_cast<float>(clientRect.left), static_cast<float>(clientRect.top)};
    const d3dx::Vector2 newSize(std::max(1.0f, static_cast<float>(clientRect.right - clientRect.left)),
                                std::max(1.0f, static_cast<float>(clientRect.bottom - clientRect.top)));
    if (newSize == oldSize) return;
    m_size = newSize;
    updateBackBufferSize();
    m_resized = true;
    applyChanges();
    // A minimised fullscreen window keeps its fullscreen size for its return.
    if (fullscreenAndMinimised) m_size = oldSize;
}

void simWindow::applyChanges() {
    simRendererLog("Altering window...");
    if (!hasChanges()) {
        simRendererLog("done\n");
        return;
    }
    if (simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr) renderer->updateDevice();
    if (m_fullscreenChanged && !m_fullscreen) {
        if (m_windowState == 1) {
            show(Host::SW_RESTORE);
            if (Host* host = Host::installed(); host && g_options)
                host->moveWindow(appWindow(), static_cast<int>(g_options->default_windowPosition_x),
                                 static_cast<int>(g_options->default_windowPosition_y),
                                 static_cast<int>(g_options->default_windowSize_x),
                                 static_cast<int>(g_options->default_windowSize_y), true);
        } else if (m_windowState == 0) {
            show(Host::SW_SHOWMINIMIZED);
        }
        if (m_windowState == 2 || m_wasMaximised) {
            show(Host::SW_MAXIMIZE);
            // Clears the flags first: the maximise reports a new size, which
            // would otherwise apply this same change again.
            m_fullscreenChanged = m_deviceSettingsChanged = m_resized = m_forcedUpdate = false;
            onWindowChanged();
        }
    }
    applyWindowStyle();
    m_fullscreenChanged = m_deviceSettingsChanged = m_resized = m_forcedUpdate = false;
    simRendererLog("done\n");
}
