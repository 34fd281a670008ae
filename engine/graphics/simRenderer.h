// simRenderer: the engine's rendering device and everything kept beside it.
//
// The renderer makes the adapter object and the device from the engine
// window's settings, logs the adapter's capabilities, owns the render-state
// cache (`simRendererState`) and the frame statistics (`simRenderStats`),
// keeps the current transforms, clears, begins and ends the scene, presents
// the frame (with an optional wait for the vertical blank), lists display
// modes and makes render targets. The graphics system creates it after the
// window and reaches it through its renderer pointer; every drawing part of
// the engine sets its states through it.
//
// Which device it gets is the device layer's business: the OpenGL adapter over
// the current context (the view canvas in the program, an EGL context when
// headless) or, in tests, the recording adapter that `gfx::setDirect3DFactory`
// installs.
//
// Device loss (simRendererDeviceLoss.cpp): every object holding device
// resources is a `simDeviceDependantObject` on the renderer's list; a lost
// device found at the start of a frame (`handleLostDevice`) or a change of
// the window's device settings (`updateDevice`) runs three hooks on every
// object before the device is reset and three after it.
//
// Failures: a missing adapter or device is a serious error and a failed
// status, and the graphics system stops there; a failed viewport, render
// target or back-buffer copy is a failed status with the result-code name.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/simObjectList.h"
#include "engine/graphics/simRendererStats.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

namespace gfx {
class Device;
class Direct3D;
}  // namespace gfx

class simDeviceDependantObject;
class simRendererCaps;
class simRendererState;
class simRendererStateCamera;

// One display mode of the adapter.
struct simDisplayMode {
    uint32_t width = 0, height = 0;  // pixels
    uint32_t refreshRate = 0;        // Hz
    bool operator==(const simDisplayMode&) const = default;
};

class simRenderer {
public:
    // The longest raster wait before a vsync'd present gives up (rounds of 1 ms).
    static constexpr int kMaxRasterWaitRounds = 100;

    // Initialisation: each step only while the application status is good.
    // The engine passes (1, false), the editor (2, false).
    simRenderer(uint32_t backBufferCount, bool keepBackBufferCopy);
    virtual ~simRenderer();

    simRenderer(const simRenderer&) = delete;
    simRenderer& operator=(const simRenderer&) = delete;

    // ---- Device-loss hooks (called through the graphics system's hooks).
    virtual void onDeviceRelease();
    virtual void onDeviceReset();
    virtual void onDeviceResetEnd();
    virtual void onDeviceRestoreBegin();
    virtual void onDeviceRestore();
    virtual void onDeviceRecreate();
    virtual std::string getClassName() { return "simRenderer"; }

    // Steps of initialisation; false on failure (status and serious error set).
    bool _createInterface();
    bool _createDevice();

    // ---- The frame.
    // Clears the viewport: target with the cached clear colour (id 28),
    // depth to 1.0, stencil to 0, as asked; nothing when no flag is set.
    void clear(bool target, bool depth, bool stencil);
    // Only outside a scene: clear as asked, BeginScene, zero the per-frame counters.
    void beginScene(bool target, bool depth, bool stencil);
    // Only inside a scene: EndScene, then present when asked.
    void endScene(bool present, const gfx::RECT* rect);
    // Stops the application's frame stopwatch, waits for the vertical blank
    // when vsync is on, presents, notes a lost device, counts the frame and
    // restarts the stopwatch.
    void present(const gfx::RECT* rect);
    bool isInScene() const { return m_inScene; }
    // The EndScene that the graphics system's frame render does itself.
    void endSceneWithoutPresent();

    // ---- Transforms: 0 projection, 1 world, 2 view (null: the identity).
    // The three products (world x view, view x projection, world x view x
    // projection) are kept in cache slots 3..5.
    void setTransform(uint32_t which, const d3dx::Matrix* m);
    void getTransform(uint32_t which, d3dx::Matrix* out) const;

    // ---- Viewports.
    // Ignored when x or y is below 0 or width or height below 1.
    void setViewport(int32_t x, int32_t y, int32_t width, int32_t height);
    // The camera's viewport, clamped to the current render target; null: the
    // whole back buffer.
    void setCameraViewport(const simRendererStateCamera* camera);

    // ---- Render targets. False, with the failure in the status, when the
    // device refuses; `out` stays null then.
    bool createRenderTarget(uint32_t width, uint32_t height, gfx::D3DFORMAT format, bool antialiased,
                            bool lockable, gfx::SurfaceHandle* out);

    // ---- Display modes.
    void updateDesktopMode();
    // Appends the adapter's X8R8G8B8 modes within the given bounds (inclusive).
    void enumerateDisplayModes(std::vector<simDisplayMode>& modes, const float minSize[2], const float maxSize[2],
                               uint32_t minRefresh, uint32_t maxRefresh) const;
    bool isDisplayModeSupported(const simDisplayMode& mode) const;
    const simDisplayMode& getDesktopMode() const { return m_desktopMode; }

    // ---- Device loss (simRendererDeviceLoss.cpp).
    // Called by the frame render while the cache is not valid: releases the
    // objects once, tries Reset and, when it works, restores them. True when
    // the device is usable again.
    bool handleLostDevice();
    // Applies the window's changed device settings through a Reset.
    void updateDevice();
    // Takes the device's surfaces again after a reset.
    void restoreRenderTarget();
    bool areResourcesReleased() const { return m_resourcesReleased; }
    // The list of device-dependent objects, in registration order.
    void registerDeviceDependantObject(simDeviceDependantObject* object);
    void unregisterDeviceDependantObject(simDeviceDependantObject* object);
    size_t deviceDependantObjectCount() const { return m_deviceObjects.size(); }

    // ---- Parts.
    gfx::Device* getDevice() const { return m_device.get(); }
    gfx::Direct3D* getDirect3D() const { return m_direct3d.get(); }
    simRendererState* getState() const { return m_state; }
    const simRendererCaps* getCaps() const { return m_caps.get(); }
    simRenderStats& getStats() { return m_stats; }
    gfx::SurfaceHandle getBackBuffer() const { return m_backBuffer; }
    gfx::SurfaceHandle getDefaultRenderTarget() const { return m_defaultRenderTarget; }
    gfx::SurfaceHandle getDefaultDepthStencil() const { return m_defaultDepthStencil; }
    gfx::SurfaceHandle getBackBufferCopy() const { return m_backBufferCopy; }
    uint32_t getBackBufferCount() const { return m_backBufferCount; }
    // Called by the state cache's destructor.
    void onStateDestroyed(const simRendererState* state);

    // The present parameters for the window's current settings (fullscreen
    // with an unsupported mode falls back to the desktop mode and records it
    // in the options and the window).
    gfx::D3DPRESENT_PARAMETERS buildPresentParameters();

private:
    void takeDeviceSurfaces();
    // Makes the system-memory copy of the back buffer; `failurePrefix` starts
    // the status text when that fails.
    void makeBackBufferCopy(const char* failurePrefix);
    void releaseDeviceSurfaces();
    void waitForVerticalBlank();
    // Runs one of the graphics system's (or, without one, this renderer's)
    // hooks on every registered object.
    void forEachDeviceObject(void (simDeviceDependantObject::*hook)());
    void runResetPhase();
    void runRestorePhase();

    std::unique_ptr<simRendererCaps> m_caps;
    simRenderStats m_stats;
    simRendererState* m_state = nullptr;  // owned; its destructor clears this pointer
    std::unique_ptr<gfx::Direct3D> m_direct3d;
    std::unique_ptr<gfx::Device> m_device;
    gfx::SurfaceHandle m_backBufferCopy;  // system memory; only with keep-copy
    gfx::SurfaceHandle m_backBuffer, m_defaultRenderTarget, m_defaultDepthStencil;  // the device's own
    gfx::D3DSURFACE_DESC m_backBufferDesc;
    bool m_copyValid = false;
    bool m_inScene = false;
    bool m_resourcesReleased = false;
    bool m_keepBackBufferCopy = false;
    uint32_t m_backBufferCount = 1;
    simDisplayMode m_desktopMode;
    simObjectList<simDeviceDependantObject> m_deviceObjects;
};
