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
//
// Immediate drawing (simRendererDraw2D.cpp, simRendererDraw3D.cpp,
// simRendererDrawBatch.cpp): screen and world primitives written into two
// shared dynamic vertex buffers of 25000 vertices and drawn at once, in
// chunks that fit a buffer; the records are in simDrawRecords.h.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/simObjectList.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simRendererStats.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

namespace gfx {
class Device;
class Direct3D;
}  // namespace gfx

class simColour;
class simDeviceDependantObject;
class simRendererCaps;
class simRendererState;
class simRendererStateCamera;
class simRendererStateTexture;
class simVertexBuffer;

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
    // Whether the stencil may hold marks: false from a clear of the stencil
    // until something is drawn with a stencil mode that writes. A pass that
    // draws only where the stencil is marked costs nothing while it is false.
    bool stencilMayHoldMarks() const { return m_stencilMayHoldMarks; }
    // A draw that may have written the stencil (the vertex buffers' draws).
    void noteStencilWrite() { m_stencilMayHoldMarks = true; }
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

    // ---- Immediate drawing. Only inside a scene, on a usable device.
    // Every call first puts `texture` (null: none) in texture slot 0 through
    // the state cache; a call given an empty vector does nothing at all.
    // Calls with a batch argument append their records to it (unsnapped)
    // and draw nothing when it is not null. Screen positions snap before
    // drawing: quads, rectangles and triangles to whole pixels minus 0.5
    // (so a pixel's centre falls on its texel), `drawLines2D` and outlines to
    // whole pixels; `drawLine2D` and arcs take positions as given. A
    // segment count of 0 or less draws nothing; long vectors and arcs are
    // drawn in as many chunks as the shared buffers need. Nothing is drawn
    // when a shared buffer cannot be locked (the buffer reports why).
    using Vec2 = d3dx::Vector2;
    using Vec3 = d3dx::Vector3;
    using Texture = const simRendererStateTexture*;

    // Screen space (pixels of the current render target).
    void drawQuadUV(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour,
                    Texture texture, const Vec2& uv0, const Vec2& uv1, const Vec2& uv2, const Vec2& uv3);
    void drawQuad(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour, Texture texture);
    void drawQuadColours(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour0,
                         uint32_t colour1, uint32_t colour2, uint32_t colour3, Texture texture, const Vec2& uv0,
                         const Vec2& uv1, const Vec2& uv2, const Vec2& uv3);
    // UVs 0..1 over the rectangle.
    void drawRect(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture,
                  std::vector<simScreenTriangle>* batch = nullptr);
    void drawRectUV(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture, const Vec2& uvMin,
                    const Vec2& uvMax, std::vector<simScreenTriangle>* batch = nullptr);
    void drawRects(const std::vector<simScreenRect>& rects, Texture texture);
    void drawTriangleUV(const Vec2& p0, const Vec2& p1, const Vec2& p2, uint32_t colour, Texture texture,
                        const Vec2& uv0, const Vec2& uv1, const Vec2& uv2);
    void drawTriangleColours(const Vec2& p0, const Vec2& p1, const Vec2& p2, uint32_t colour0, uint32_t colour1,
                             uint32_t colour2, Texture texture, const Vec2& uv0, const Vec2& uv1, const Vec2& uv2);
    void drawTriangles2D(const std::vector<simScreenTriangle>& triangles, Texture texture);
    void drawLines2D(const std::vector<simScreenLine>& lines, Texture texture);
    // Four lines round the rectangle.
    void drawRectOutline(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture,
                         std::vector<simScreenLine>* batch = nullptr);
    void drawLine2D(const Vec2& p0, const Vec2& p1, uint32_t colour, Texture texture, const Vec2& uv0 = {0, 0},
                    const Vec2& uv1 = {1, 1}, std::vector<simScreenLine>* batch = nullptr);
    // `segments` lines from startDegrees to endDegrees; the point at angle a
    // is centre + (sin a, cos a) x radius, so 0 degrees lies straight below.
    void drawArc2D(const Vec2& centre, float radius, uint32_t colour, Texture texture, int32_t segments,
                   float startDegrees = 0.0f, float endDegrees = 360.0f, std::vector<simScreenLine>* batch = nullptr);

    // World space (under the current transforms).
    void drawLines3D(const std::vector<simLine3D>& lines, Texture texture);
    void drawTriangles3D(const std::vector<simTriangle3D>& triangles, Texture texture);
    // uvs and uvs2: the first and second UV set of the four corners (null:
    // (0, 0), (1, 0), (1, 1), (0, 1)).
    void drawQuad3D(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, uint32_t colour, Texture texture,
                    const Vec2* uvs = nullptr, const Vec2* uvs2 = nullptr);
    void drawQuad3DColours(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, uint32_t colour0,
                           uint32_t colour1, uint32_t colour2, uint32_t colour3, Texture texture, const Vec2& uv0,
                           const Vec2& uv1, const Vec2& uv2, const Vec2& uv3);
    void drawQuads3D(const std::vector<simQuad3D>& quads, Texture texture);
    // A square of side 2 x halfSize around the centre, facing `facing`.
    void drawOrientedQuad3D(const Vec3& centre, const Vec3& facing, float halfSize, uint32_t colour,
                            Texture texture = nullptr);
    void drawLine3D(const Vec3& p0, const Vec3& p1, uint32_t colour, Texture texture, const Vec2& uv0 = {0, 0},
                    const Vec2& uv1 = {1, 1}, simPrimitiveBatch* batch = nullptr);
    // A circle of `segments` lines in the x-y plane, turned to face `facing`
    // (with the view's up vector) and/or by `matrix`, around the centre.
    // With `cullBackHalf`, segments whose middle points away from the viewer
    // (dot with the view direction below -0.2) are left out.
    void drawArc3D(const Vec3& centre, float radius, uint32_t colour, Texture texture, int32_t segments,
                   const Vec3* facing = nullptr, const d3dx::Matrix* matrix = nullptr, bool cullBackHalf = false,
                   simPrimitiveBatch* batch = nullptr, float startDegrees = 0.0f, float endDegrees = 360.0f);

    // Draws a batch: screen lines, world lines, screen triangles, world
    // triangles, each vector only when it is not empty.
    void drawBatch(const simPrimitiveBatch& batch, Texture texture);

    // Two screen lines forming the head of an arrow from `from` to `to`
    // (world points, projected with the current transforms): from the
    // projected tip back along the arrow by `size` pixels and out by `size`
    // to either side. Nothing when both points project to the same pixel.
    void drawArrowHead(const Vec3& from, const Vec3& to, float size, const simColour& colour,
                       std::vector<simScreenLine>* batch = nullptr);

    // The shared buffers: 52-byte `simVertex` (3-D) and 28-byte
    // `simScreenVertex` (2-D), 25000 vertices each.
    static constexpr int32_t kSharedBufferVertices = 25000;
    simVertexBuffer* getVertexBuffer3D() const { return m_vertexBuffer3D.get(); }
    simVertexBuffer* getVertexBuffer2D() const { return m_vertexBuffer2D.get(); }

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
    void createSharedVertexBuffers();
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
    // The reset phase with its log lines, unless it ran already (a Reset
    // failed since); the restore phase with its log lines.
    void releaseResourcesOnce();
    void restoreResources();

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
    // Until the first clear nothing is known of the stencil.
    bool m_stencilMayHoldMarks = true;
    bool m_resourcesReleased = false;
    bool m_keepBackBufferCopy = false;
    uint32_t m_backBufferCount = 1;
    simDisplayMode m_desktopMode;
    simObjectList<simDeviceDependantObject> m_deviceObjects;
    std::unique_ptr<simVertexBuffer> m_vertexBuffer3D, m_vertexBuffer2D;
};
