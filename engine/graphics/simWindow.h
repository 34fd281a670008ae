// simWindow: the engine's view of the application's window.
//
// It keeps the window's size, position, state, fullscreen, vsync and
// antialiasing settings in step with the operating-system window that the
// application owns (it never creates or destroys it), and applies changes of
// the device settings by updating the rendering device. Setters only record
// what changed; the host calls `applyChanges` afterwards, which updates the
// device once for all of them. The window procedure calls `onWindowChanged`
// after the user moved or resized the window.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simWindow : public simObject {
public:
    // Styles: 0 fixed frame with caption, 1 sizeable, 2 pop-up without frame,
    // 3 left as the application made it. States: 0 minimised, 1 normal, 2 maximised.
    simWindow(const d3dx::Vector2& position, const d3dx::Vector2& size, const int32_t resolution[3],
              bool fullscreen, bool vsync, bool antialiasing, uint32_t style, uint32_t windowState);
    ~simWindow() override;

    std::string getClassName() override { return "simWindow"; }
    void onEvent(simInputEvent*) override {}

    // ---- Setters: each does nothing for an unchanged value.
    void setWindowState(uint32_t state);
    void setFullscreen(bool fullscreen);
    void setAntialiasing(bool antialiasing);
    // Vsync is a device setting like antialiasing: applied by the next update.
    void setVsync(bool vsync);
    // Limited to the desktop size while the renderer exists; the limited size
    // is written back into `size`.
    void setWindowSize(d3dx::Vector2& size);
    void setWindowPosition(const d3dx::Vector2& position);
    void applyWindowStyle();
    // Follows the operating-system window after a move or resize.
    void onWindowChanged();
    // Updates the device for the recorded changes (nothing when there are none).
    void applyChanges();
    // The host's own request for `applyChanges` to update the device.
    void requestUpdate() { m_forcedUpdate = true; }

    // ---- Reading.
    const d3dx::Vector2& getPosition() const { return m_position; }
    float getWidth() const { return m_size.x; }
    float getHeight() const { return m_size.y; }
    float getBackBufferWidth() const { return m_backBufferSize.x; }
    float getBackBufferHeight() const { return m_backBufferSize.y; }
    int32_t getRefreshRate() const { return m_refreshRate; }
    uint32_t getStyle() const { return m_style; }
    uint32_t getWindowState() const { return m_windowState; }
    bool isFullscreen() const { return m_fullscreen; }
    bool getVsync() const { return m_vsync; }
    bool getAntialiasing() const { return m_antialiasing; }
    bool hasChanges() const { return m_fullscreenChanged || m_deviceSettingsChanged || m_resized || m_forcedUpdate; }
    // The renderer's fallback to the desktop mode when fullscreen.
    void setBackBufferSize(float width, float height) { m_backBufferSize = {width, height}; }

private:
    void updateBackBufferSize();
    void moveAndShow();

    d3dx::Vector2 m_position;
    d3dx::Vector2 m_size;            // pixels
    d3dx::Vector2 m_backBufferSize;  // the size when windowed, the resolution when fullscreen
    int32_t m_resolutionWidth, m_resolutionHeight, m_refreshRate;  // pixels, Hz
    uint32_t m_style;
    uint32_t m_windowState;
    bool m_fullscreen;
    bool m_vsync;
    bool m_antialiasing;
    bool m_wasMaximised = false;
    bool m_fullscreenChanged = false;
    bool m_deviceSettingsChanged = false;
    bool m_resized = false;
    bool m_forcedUpdate = false;
};
