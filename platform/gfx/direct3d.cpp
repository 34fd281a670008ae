#include "platform/gfx/direct3d.h"

#include <cstring>
#include <mutex>

#include "platform/gfx/device.h"

namespace gfx {

namespace {

std::mutex g_factoryMutex;
Direct3DFactory g_factory;

void copyText(char* out, std::size_t size, const std::string& text) {
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}

}  // namespace

Direct3D::Direct3D(AdapterInfo info, BackendFactory makeBackend)
    : info_(std::move(info)), desktopOnly_{info_.desktop}, makeBackend_(std::move(makeBackend)) {}

const std::vector<D3DDISPLAYMODE>& Direct3D::modes() const { return info_.modes.empty() ? desktopOnly_ : info_.modes; }

HRESULT Direct3D::GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t, D3DADAPTER_IDENTIFIER9* out) const {
    if (adapter != 0 || !out) return D3DERR_INVALIDCALL;
    *out = D3DADAPTER_IDENTIFIER9{};
    copyText(out->Driver, sizeof(out->Driver), info_.driver);
    copyText(out->Description, sizeof(out->Description), info_.description);
    copyText(out->DeviceName, sizeof(out->DeviceName), info_.deviceName);
    return D3D_OK;
}

HRESULT Direct3D::GetAdapterDisplayMode(std::uint32_t adapter, D3DDISPLAYMODE* out) const {
    if (adapter != 0 || !out) return D3DERR_INVALIDCALL;
    *out = info_.desktop;
    return D3D_OK;
}

std::uint32_t Direct3D::GetAdapterModeCount(std::uint32_t adapter, D3DFORMAT format) const {
    if (adapter != 0 || format != D3DFMT_X8R8G8B8) return 0;
    return static_cast<std::uint32_t>(modes().size());
}

HRESULT Direct3D::EnumAdapterModes(std::uint32_t adapter, D3DFORMAT format, std::uint32_t index,
                                   D3DDISPLAYMODE* out) const {
    if (adapter != 0 || format != D3DFMT_X8R8G8B8 || !out || index >= modes().size()) return D3DERR_INVALIDCALL;
    *out = modes()[index];
    return D3D_OK;
}

HRESULT Direct3D::GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type, D3DCAPS9* out) const {
    if (adapter != 0 || type != D3DDEVTYPE_HAL || !out) return D3DERR_INVALIDCALL;
    *out = info_.caps;
    return D3D_OK;
}

HRESULT Direct3D::CheckDeviceMultiSampleType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT, bool windowed,
                                             D3DMULTISAMPLE_TYPE multiSample, std::uint32_t* qualityLevels) const {
    if (adapter != 0 || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    if (multiSample == D3DMULTISAMPLE_NONE) {
        if (qualityLevels) *qualityLevels = 1;
        return D3D_OK;
    }
    const std::uint32_t levels = windowed ? info_.multisampleQualityWindowed : info_.multisampleQualityFullscreen;
    if (qualityLevels) *qualityLevels = levels;
    return levels ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CreateDevice(std::uint32_t adapter, D3DDEVTYPE type, void*, std::uint32_t,
                               D3DPRESENT_PARAMETERS* params, std::unique_ptr<Device>* out) {
    if (adapter != 0 || type != D3DDEVTYPE_HAL || !params || !out) return D3DERR_INVALIDCALL;
    out->reset();
    if (params->BackBufferWidth == 0) params->BackBufferWidth = info_.desktop.Width;
    if (params->BackBufferHeight == 0) params->BackBufferHeight = info_.desktop.Height;
    if (params->MultiSampleType != D3DMULTISAMPLE_NONE &&
        params->MultiSampleQuality >= (params->Windowed ? info_.multisampleQualityWindowed
                                                        : info_.multisampleQualityFullscreen)) {
        logLine("gfx::Direct3D::CreateDevice - multisample quality not available\n");
        return D3DERR_INVALIDCALL;
    }
    HRESULT hr = D3D_OK;
    std::unique_ptr<DeviceBackend> backend = makeBackend_(*params, &hr);
    if (!backend) {
        logLine(std::string("gfx::Direct3D::CreateDevice - failed: ") + resultName(hr) + "\n");
        return FAILED(hr) ? hr : D3DERR_NOTAVAILABLE;
    }
    *out = std::make_unique<Device>(std::move(backend), *params, info_.caps);
    return D3D_OK;
}

void setDirect3DFactory(Direct3DFactory factory) {
    std::lock_guard<std::mutex> lock(g_factoryMutex);
    g_factory = std::move(factory);
}

namespace {

std::mutex g_screenMutex;
ScreenSource g_screenSource;

}  // namespace

void setScreenSource(ScreenSource source) {
    std::lock_guard<std::mutex> lock(g_screenMutex);
    g_screenSource = std::move(source);
}

D3DDISPLAYMODE currentScreen() {
    ScreenSource source;
    {
        std::lock_guard<std::mutex> lock(g_screenMutex);
        source = g_screenSource;
    }
    D3DDISPLAYMODE mode = kHeadlessScreen;
    if (source && source(&mode) && mode.Width > 0 && mode.Height > 0) {
        if (mode.RefreshRate == 0) mode.RefreshRate = kHeadlessScreen.RefreshRate;
        mode.Format = D3DFMT_X8R8G8B8;
        return mode;
    }
    return kHeadlessScreen;
}

std::unique_ptr<Direct3D> Direct3DCreate9(std::uint32_t sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    Direct3DFactory factory;
    {
        std::lock_guard<std::mutex> lock(g_factoryMutex);
        factory = g_factory;
    }
    return factory ? factory() : makeGlDirect3D();
}

}  // namespace gfx
