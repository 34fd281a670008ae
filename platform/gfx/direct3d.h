// gfx::Direct3D: the adapter object from which the renderer learns the
// capabilities and display modes and creates its device.
//
// `Direct3DCreate9` hands out the adapter of the installed factory: by default
// the OpenGL adapter over the context current on the calling thread (the view
// canvas's in the program, a gfx::EglContext in tests); tests that drive the
// engine without OpenGL install a recording adapter (recordingDevice.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/deviceBackend.h"
#include "platform/gfx/results.h"

namespace gfx {

class Device;

// What an adapter reports about itself.
struct AdapterInfo {
    std::string deviceName = "tolvane0";
    std::string driver = "tolvane";
    std::string description = "Tolvane device";
    D3DCAPS9 caps;
    D3DDISPLAYMODE desktop{1920, 1080, 60, D3DFMT_X8R8G8B8};
    std::vector<D3DDISPLAYMODE> modes;  // the X8R8G8B8 modes; the desktop mode when empty
    // Quality levels of D3DMULTISAMPLE_NONMASKABLE for windowed and fullscreen
    // back buffers; 0 means not available.
    std::uint32_t multisampleQualityWindowed = 0;
    std::uint32_t multisampleQualityFullscreen = 0;
};

// Makes a device backend for the given back-buffer parameters; null with a
// result code on failure.
using BackendFactory = std::function<std::unique_ptr<DeviceBackend>(const D3DPRESENT_PARAMETERS&, HRESULT*)>;

class Direct3D {
public:
    Direct3D(AdapterInfo info, BackendFactory makeBackend);

    // Adapter queries: only adapter 0 exists; other adapters give D3DERR_INVALIDCALL.
    HRESULT GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags, D3DADAPTER_IDENTIFIER9* out) const;
    HRESULT GetAdapterDisplayMode(std::uint32_t adapter, D3DDISPLAYMODE* out) const;
    std::uint32_t GetAdapterModeCount(std::uint32_t adapter, D3DFORMAT format) const;
    HRESULT EnumAdapterModes(std::uint32_t adapter, D3DFORMAT format, std::uint32_t index,
                             D3DDISPLAYMODE* out) const;
    HRESULT GetDeviceCaps(std::uint32_t adapter, D3DDEVTYPE type, D3DCAPS9* out) const;
    // D3D_OK with the number of quality levels when the type is available,
    // D3DERR_NOTAVAILABLE otherwise.
    HRESULT CheckDeviceMultiSampleType(std::uint32_t adapter, D3DDEVTYPE type, D3DFORMAT format, bool windowed,
                                       D3DMULTISAMPLE_TYPE multiSample, std::uint32_t* qualityLevels) const;

    // Creates the device; params gets the back-buffer size filled in when it
    // was 0 (the desktop size). focusWindow is not read.
    HRESULT CreateDevice(std::uint32_t adapter, D3DDEVTYPE type, void* focusWindow, std::uint32_t behaviourFlags,
                         D3DPRESENT_PARAMETERS* params, std::unique_ptr<Device>* out);

    const AdapterInfo& info() const { return info_; }

private:
    const std::vector<D3DDISPLAYMODE>& modes() const;

    AdapterInfo info_;
    std::vector<D3DDISPLAYMODE> desktopOnly_;
    BackendFactory makeBackend_;
};

using Direct3DFactory = std::function<std::unique_ptr<Direct3D>()>;

// Installs the factory that Direct3DCreate9 uses (null: the OpenGL adapter again).
void setDirect3DFactory(Direct3DFactory factory);

// The adapter of the installed factory, or null when none can be made (no
// current OpenGL 3.3 context). sdkVersion must be D3D_SDK_VERSION.
std::unique_ptr<Direct3D> Direct3DCreate9(std::uint32_t sdkVersion);

// The screen the OpenGL adapter reports as its desktop mode, which bounds the
// views and full-screen back buffers the engine asks for. The program's view
// installs its display; without a source (headless rendering has no screen)
// the adapter reports kHeadlessScreen, a large common screen, so that no
// view of a sensible size is cut down. The source returns false when it
// cannot tell (its window is gone); the headless screen is used then.
using ScreenSource = std::function<bool(D3DDISPLAYMODE* mode)>;
void setScreenSource(ScreenSource source);
inline constexpr D3DDISPLAYMODE kHeadlessScreen{3840, 2160, 60, D3DFMT_X8R8G8B8};
// The installed source's screen, else kHeadlessScreen.
D3DDISPLAYMODE currentScreen();

// The OpenGL adapter over the context current on this thread; null without
// one. Its desktop mode is `currentScreen()` when it is made.
std::unique_ptr<Direct3D> makeGlDirect3D();

}  // namespace gfx
