#include "engine/graphics/simRenderer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simVertexBuffer.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"

using namespace gfx;

namespace {

const char* const kHardwareMessage =
    "Error initialising graphics hardware - please check that your graphics card is above the minimum "
    "specifications, and you have downloaded and installed the very latest version of your graphics card "
    "drivers from the manufacturer's website.\n\n"
    "If the problem persists, please send the file tolvaneBuilder_diagnostic.txt from your TolvaneSim "
    "settings folder to Tolvane support.";

simWindow* engineWindow() { return g_graphics ? g_graphics->getWindow() : nullptr; }

}  // namespace

simRenderer::simRenderer(uint32_t backBufferCount, bool keepBackBufferCopy)
    : m_keepBackBufferCopy(keepBackBufferCopy), m_backBufferCount(backBufferCount) {
    simRendererLog("Initialising renderer:\n");
    if (g_graphics) g_graphics->setRenderer(this);

    if (!simRendererStatusGood() || !_createInterface()) return;
    if (!simRendererStatusGood()) return;
    m_caps = std::make_unique<simRendererCaps>(m_direct3d.get());
    if (!_createDevice() || !simRendererStatusGood()) return;
    m_state = new simRendererState(this);

    createSharedVertexBuffers();
    takeDeviceSurfaces();
    if (m_keepBackBufferCopy) makeBackBufferCopy("ERROR: CreateOffscreenPlainSurface failed: ");
    if (!simRendererStatusGood()) return;

    // Every back buffer starts cleared.
    for (uint32_t i = 0; i < m_backBufferCount + 1; ++i) {
        beginScene(true, true, true);
        endSceneWithoutPresent();
        present(nullptr);
    }
    simRendererSetStatus(true, "success");
    simRendererLog("Renderer initialised\n\n");
}

simRenderer::~simRenderer() {
    simRendererLog("De-initialising renderer...");
    delete m_state;  // clears m_state through onStateDestroyed
    m_caps.reset();
    m_vertexBuffer3D.reset();
    m_vertexBuffer2D.reset();
    releaseDeviceSurfaces();
    m_device.reset();
    m_direct3d.reset();
    if (g_graphics && g_graphics->getRenderer() == this) g_graphics->setRenderer(nullptr);
    simRendererLog("Renderer deinitialised\n\n");
}

void simRenderer::onStateDestroyed(const simRendererState* state) {
    if (m_state == state) m_state = nullptr;
}

bool simRenderer::_createInterface() {
    simRendererLog("Creating Direct3D interface:\n");
    m_direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!m_direct3d) {
        utils::seriousError(kHardwareMessage);
        simRendererSetStatus(false, "simRenderer::_createInterface - failed");
        return false;
    }
    D3DADAPTER_IDENTIFIER9 id;
    if (FAILED(m_direct3d->GetAdapterIdentifier(0, 0, &id))) {
        simRendererLog("ERROR: No adapter found\n");
        return true;
    }
    simRendererLog(std::string("  Device: ") + id.DeviceName + "\n  Driver: " + id.Driver +
                   "\n  Description: " + id.Description + "\n");
    // Adapters known to mishandle compressed or mipmapped textures.
    const std::string description = id.Description;
    auto has = [&description](const char* word) { return description.find(word) != std::string::npos; };
    if (g_options && has("Intel") && has("965")) g_options->default_forceNoCompression = true;
    if (g_options && has("NVIDIA") && has("Go")) g_options->default_forceNoMipmaps = true;
    updateDesktopMode();
    simRendererLog("Direct3D interface created\n\n");
    return true;
}

D3DPRESENT_PARAMETERS simRenderer::buildPresentParameters() {
    D3DPRESENT_PARAMETERS params;
    simWindow* window = engineWindow();
    const float width = window ? window->getBackBufferWidth() : 0.0f;
    const float height = window ? window->getBackBufferHeight() : 0.0f;
    params.BackBufferWidth = static_cast<uint32_t>(std::lround(std::max(width, 0.0f)));
    params.BackBufferHeight = static_cast<uint32_t>(std::lround(std::max(height, 0.0f)));
    params.hDeviceWindow = g_application ? static_cast<void*>(g_application->getWindow()) : nullptr;
    params.BackBufferCount = m_backBufferCount;
    if (!window || !window->isFullscreen() || window->getWindowState() == 0) {
        params.Windowed = true;
        params.FullScreen_RefreshRateInHz = 0;
    } else {
        params.Windowed = false;
        params.FullScreen_RefreshRateInHz = static_cast<uint32_t>(window->getRefreshRate());
        const simDisplayMode wanted{params.BackBufferWidth, params.BackBufferHeight,
                                    params.FullScreen_RefreshRateInHz};
        if (!isDisplayModeSupported(wanted)) {
            params.BackBufferWidth = m_desktopMode.width;
            params.BackBufferHeight = m_desktopMode.height;
            if (g_options) {
                g_options->default_screenResolution_x = static_cast<float>(m_desktopMode.width);
                g_options->default_screenResolution_y = static_cast<float>(m_desktopMode.height);
            }
            window->setBackBufferSize(static_cast<float>(m_desktopMode.width),
                                      static_cast<float>(m_desktopMode.height));
        }
    }
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.EnableAutoDepthStencil = true;
    params.AutoDepthStencilFormat = D3DFMT_D24S8;
    params.Flags = D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL;
    params.PresentationInterval =
        (window && window->getVsync()) ? D3DPRESENT_INTERVAL_ONE : D3DPRESENT_INTERVAL_IMMEDIATE;
    if (window && window->getAntialiasing() && m_caps && m_caps->antialiasing) {
        params.MultiSampleType = D3DMULTISAMPLE_NONMASKABLE;
        params.MultiSampleQuality = std::min<uint32_t>(m_caps->antialiasingQuality - 1, 3);
    } else {
        params.MultiSampleType = D3DMULTISAMPLE_NONE;
        params.MultiSampleQuality = 0;
    }
    return params;
}

bool simRenderer::_createDevice() {
    simRendererLog("Creating Direct3D device:\n");
    if (!g_application || !g_application->getWindow())
        utils::seriousError("simRenderer::_createDevice - no window for attachment");
    D3DPRESENT_PARAMETERS params = buildPresentParameters();
    const uint32_t flags = (m_caps && m_caps->hardwareLighting) ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                                : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    simWindow* window = engineWindow();
    char line[160];
    std::snprintf(line, sizeof line, "  Resolution: %dx%d @ %dHz\n  %s mode\n", int(params.BackBufferWidth),
                  int(params.BackBufferHeight), window ? window->getRefreshRate() : 0,
                  window && window->isFullscreen() ? "fullscreen" : "windowed");
    simRendererLog(line);
    const HRESULT result = m_direct3d ? m_direct3d->CreateDevice(0, D3DDEVTYPE_HAL, params.hDeviceWindow, flags,
                                                                 &params, &m_device)
                                      : D3DERR_NOTAVAILABLE;
    if (FAILED(result) || !m_device) {
        m_device.reset();
        utils::seriousError(kHardwareMessage);
        simRendererSetStatus(false, "simRenderer::_createDevice - failed");
        return false;
    }
    simRendererLog("Direct3D device created\n\n");
    return true;
}

void simRenderer::takeDeviceSurfaces() {
    if (!m_device) return;
    m_device->GetRenderTarget(0, &m_defaultRenderTarget);
    m_device->GetDepthStencilSurface(&m_defaultDepthStencil);
    m_device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &m_backBuffer);
}

void simRenderer::makeBackBufferCopy(const char* failurePrefix) {
    m_copyValid = false;
    if (!m_device) return;
    m_device->GetDesc(m_backBuffer, &m_backBufferDesc);
    const HRESULT result = m_device->CreateOffscreenPlainSurface(
        m_backBufferDesc.Width, m_backBufferDesc.Height, m_backBufferDesc.Format, D3DPOOL_SYSTEMMEM, &m_backBufferCopy);
    if (FAILED(result)) simRendererSetStatus(false, simRendererFailureText(failurePrefix, result));
}

void simRenderer::releaseDeviceSurfaces() {
    // The device's own surfaces are never released: only the handles go.
    if (m_backBufferCopy && m_device) m_device->Release(m_backBufferCopy);
    m_backBufferCopy = {};
    m_defaultRenderTarget = {};
    m_defaultDepthStencil = {};
    m_backBuffer = {};
}

void simRenderer::clear(bool target, bool depth, bool stencil) {
    const uint32_t flags = (target ? D3DCLEAR_TARGET : 0u) | (depth ? D3DCLEAR_ZBUFFER : 0u) |
                           (stencil ? D3DCLEAR_STENCIL : 0u);
    if (!flags || !m_device) return;
    const D3DCOLOR colour = m_state ? static_cast<D3DCOLOR>(m_state->getState(simRenderState_clearColour)) : 0;
    m_device->Clear(0, nullptr, flags, colour, 1.0f, 0);
    if (stencil) m_stencilMayHoldMarks = false;
}

void simRenderer::beginScene(bool target, bool depth, bool stencil) {
    if (m_inScene) return;
    clear(target, depth, stencil);
    if (m_device) m_device->BeginScene();
    m_inScene = true;
    m_stats.resetCounters();
}

void simRenderer::endSceneWithoutPresent() {
    if (!m_inScene) return;
    if (m_device) m_device->EndScene();
    m_inScene = false;
}

void simRenderer::endScene(bool presentFrame, const gfx::RECT* rect) {
    if (!m_inScene) return;
    endSceneWithoutPresent();
    if (presentFrame) present(rect);
}

void simRenderer::waitForVerticalBlank() {
    simWindow* window = engineWindow();
    if (!m_device || !window) return;
    const float height = window->getHeight();
    // Every round sleeps once before it tests; a device that never reports a
    // blank or a scan line near the edge stops the wait after a bounded time.
    for (int round = 0; round < kMaxRasterWaitRounds; ++round) {
        D3DRASTER_STATUS status;
        m_device->GetRasterStatus(0, &status);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const float line = static_cast<float>(status.ScanLine);
        if (status.InVBlank || status.ScanLine == 0 || line >= 0.95f * height || line <= 0.05f * height) return;
    }
}

void simRenderer::present(const gfx::RECT* rect) {
    if (g_application) g_application->frameStopwatch.stop();
    simWindow* window = engineWindow();
    if (window && window->getVsync()) waitForVerticalBlank();
    if (m_device && m_device->Present(rect, rect) == D3DERR_DEVICELOST && m_state) m_state->setValid(false);
    m_stats.countFrame();
    if (g_application) {
        g_application->frameStopwatch.reset();
        g_application->frameStopwatch.start();
    }
}

void simRenderer::setTransform(uint32_t which, const d3dx::Matrix* m) {
    static constexpr D3DTRANSFORMSTATETYPE kDeviceTransform[] = {D3DTS_PROJECTION, D3DTS_WORLD, D3DTS_VIEW};
    if (which >= std::size(kDeviceTransform)) {
        utils::seriousError("simRenderer::setTransform - invalid transform [" + std::to_string(which) + "]");
        return;
    }
    static const d3dx::Matrix kIdentity = d3dx::Matrix::identity();
    const d3dx::Matrix& matrix = m ? *m : (g_graphics ? g_graphics->getIdentityMatrix() : kIdentity);
    if (m_device) m_device->SetTransform(kDeviceTransform[which], &matrix._11);
    if (!m_state) return;
    m_state->matrix(static_cast<simRendererState::Matrix>(which)) = matrix;
    const d3dx::Matrix& world = m_state->matrix(simRendererState::world);
    const d3dx::Matrix& view = m_state->matrix(simRendererState::view);
    const d3dx::Matrix& projection = m_state->matrix(simRendererState::projection);
    m_state->matrix(simRendererState::worldView) = world * view;
    m_state->matrix(simRendererState::viewProjection) = view * projection;
    m_state->matrix(simRendererState::worldViewProjection) = world * view * projection;
}

void simRenderer::getTransform(uint32_t which, d3dx::Matrix* out) const {
    if (!out) return;
    if (which >= simRendererState::matrixCount || !m_state) {
        *out = d3dx::Matrix::identity();
        return;
    }
    *out = m_state->matrix(static_cast<simRendererState::Matrix>(which));
}

void simRenderer::setViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (x < 0 || y < 0 || width < 1 || height < 1 || !m_device) return;
    D3DVIEWPORT9 viewport;
    viewport.X = static_cast<uint32_t>(x);
    viewport.Y = static_cast<uint32_t>(y);
    viewport.Width = static_cast<uint32_t>(width);
    viewport.Height = static_cast<uint32_t>(height);
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 1.0f;
    const HRESULT result = m_device->SetViewport(&viewport);
    if (FAILED(result)) simRendererSetStatus(false, simRendererFailureText("simRenderer::setViewport - failed: ", result));
}

void simRenderer::setCameraViewport(const simRendererStateCamera* camera) {
    simWindow* window = engineWindow();
    if (!camera) {
        const int32_t width = window ? static_cast<int32_t>(window->getBackBufferWidth()) : 0;
        const int32_t height = window ? static_cast<int32_t>(window->getBackBufferHeight()) : 0;
        setViewport(0, 0, width, height);
        return;
    }
    const d3dx::Viewport v = camera->getStateViewport();
    // A camera's rectangle may reach past the target (a camera sized for the
    // back buffer drawing into a smaller target): only the part on the
    // target is used, since the device refuses a viewport outside it.
    D3DSURFACE_DESC target;
    SurfaceHandle current;
    if (m_device && SUCCEEDED(m_device->GetRenderTarget(0, &current)) &&
        SUCCEEDED(m_device->GetDesc(current, &target))) {
        if (v.X >= target.Width || v.Y >= target.Height) return;
        const uint32_t width = std::min(v.Width, target.Width - v.X);
        const uint32_t height = std::min(v.Height, target.Height - v.Y);
        setViewport(static_cast<int32_t>(v.X), static_cast<int32_t>(v.Y), static_cast<int32_t>(width),
                    static_cast<int32_t>(height));
        return;
    }
    setViewport(static_cast<int32_t>(v.X), static_cast<int32_t>(v.Y), static_cast<int32_t>(v.Width),
                static_cast<int32_t>(v.Height));
}

bool simRenderer::createRenderTarget(uint32_t width, uint32_t height, D3DFORMAT format, bool antialiased,
                                     bool lockable, SurfaceHandle* out) {
    if (out) *out = {};
    const bool multisample = antialiased && m_caps && m_caps->antialiasing;
    const HRESULT result =
        m_device ? m_device->CreateRenderTarget(width, height, format,
                                                multisample ? D3DMULTISAMPLE_NONMASKABLE : D3DMULTISAMPLE_NONE,
                                                multisample ? m_caps->antialiasingQuality - 1 : 0, lockable, out)
                 : D3DERR_INVALIDCALL;
    if (FAILED(result)) {
        // The failure stays in the status: callers test it right after the call.
        simRendererSetStatus(false, simRendererFailureText("simRenderer::createRenderTarget - failed: ", result));
        if (out) *out = {};
        return false;
    }
    simRendererSetStatus(true, "success");
    return true;
}

void simRenderer::updateDesktopMode() {
    D3DDISPLAYMODE mode;
    if (m_direct3d && SUCCEEDED(m_direct3d->GetAdapterDisplayMode(0, &mode)))
        m_desktopMode = {mode.Width, mode.Height, mode.RefreshRate};
}

void simRenderer::enumerateDisplayModes(std::vector<simDisplayMode>& modes, const float minSize[2],
                                        const float maxSize[2], uint32_t minRefresh, uint32_t maxRefresh) const {
    if (!m_direct3d) return;
    const uint32_t count = m_direct3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8);
    for (uint32_t i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode;
        if (FAILED(m_direct3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, i, &mode))) continue;
        const float w = static_cast<float>(mode.Width), h = static_cast<float>(mode.Height);
        if (minSize[0] <= w && w <= maxSize[0] && minSize[1] <= h && h <= maxSize[1] &&
            minRefresh <= mode.RefreshRate && mode.RefreshRate <= maxRefresh)
            modes.push_back({mode.Width, mode.Height, mode.RefreshRate});
    }
}

bool simRenderer::isDisplayModeSupported(const simDisplayMode& mode) const {
    const float minSize[2] = {0.0f, 0.0f};
    const float maxSize[2] = {100000.0f, 100000.0f};
    std::vector<simDisplayMode> modes;
    enumerateDisplayModes(modes, minSize, maxSize, 0, 100000);
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}
