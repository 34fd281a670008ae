#include "engine/graphics/simRendererCaps.h"

#include <algorithm>
#include <string>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simRendererLog.h"
#include "platform/gfx/direct3d.h"

using namespace gfx;

namespace {

void log(const std::string& text) { simRendererLog(text); }

void logLine(const char* yes, const char* no, bool flag) { log(flag ? yes : no); }

struct Version {
    uint32_t major, minor;
};

// Only the versions the effects are written for count; anything else falls
// back to the lowest (1.1 for vertex shaders, none for pixel shaders).
Version vertexShaderVersion(uint32_t code) {
    for (Version v : {Version{2, 0}, Version{3, 0}})
        if (code == D3DVS_VERSION(v.major, v.minor)) return v;
    return {1, 1};
}

Version pixelShaderVersion(uint32_t code) {
    for (Version v : {Version{1, 1}, Version{1, 2}, Version{1, 3}, Version{1, 4}, Version{2, 0}, Version{3, 0}})
        if (code == D3DPS_VERSION(v.major, v.minor)) return v;
    return {0, 0};
}

}  // namespace

simRendererCaps::simRendererCaps(const Direct3D* direct3d) {
    log("Retrieving renderer capabilities:\n");
    D3DCAPS9 caps;
    if (!direct3d || FAILED(direct3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps))) {
        log("  ERROR: Could not retrieve capabilities\n");
        return;
    }
    hardwareLighting = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) ? 1 : 0;
    logLine("  Hardware lighting support\n", "  No hardware lighting support\n", hardwareLighting);

    maxActiveLights = caps.MaxActiveLights;
    log("  Maximum lights: " + std::to_string(maxActiveLights) + "\n");

    mipmapTexturing = (caps.TextureCaps & D3DPTEXTURECAPS_MIPMAP) ? 1 : 0;
    logLine("  Mipmap texturing support\n", "  No mipmap texturing support\n", mipmapTexturing);
    logLine("  Auto-generated Mipmaps supported\n", "  Auto-generated Mipmaps NOT supported\n",
            caps.Caps2 & D3DCAPS2_CANAUTOGENMIPMAP);

    doubleSidedStencil = (caps.StencilCaps & D3DSTENCILCAPS_TWOSIDED) ? 1 : 0;
    logLine("  Double-sided stencil support\n", "  No double-sided stencil support\n", doubleSidedStencil);

    maxTextureWidth = static_cast<float>(caps.MaxTextureWidth);
    maxTextureHeight = static_cast<float>(caps.MaxTextureHeight);
    log("  Maximum texture size: ");
    if (g_console) g_console->printVector2(d3dx::Vector2(maxTextureWidth, maxTextureHeight));
    log("\n");

    const Version vs = vertexShaderVersion(caps.VertexShaderVersion);
    vertexShaderMajor = vs.major;
    vertexShaderMinor = vs.minor;
    log("  Maximum Vertex Shader version: " + std::to_string(vs.major) + "." + std::to_string(vs.minor) + "\n");
    const Version ps = pixelShaderVersion(caps.PixelShaderVersion);
    pixelShaderMajor = ps.major;
    pixelShaderMinor = ps.minor;
    log("  Maximum Pixel Shader version: " + std::to_string(ps.major) + "." + std::to_string(ps.minor) + "\n");

    // Antialiasing needs non-maskable multisampling both windowed and fullscreen.
    uint32_t windowed = 0, fullscreen = 0;
    if (SUCCEEDED(direct3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, true,
                                                       D3DMULTISAMPLE_NONMASKABLE, &windowed)) &&
        SUCCEEDED(direct3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, false,
                                                       D3DMULTISAMPLE_NONMASKABLE, &fullscreen))) {
        antialiasingQuality = std::min(windowed, fullscreen);
        antialiasing = antialiasingQuality > 0 ? 1 : 0;
    }
    if (antialiasing)
        log("  Antialiasing quality: " + std::to_string(antialiasingQuality) + "\n");
    else
        log("  No antialiasing supported\n");

    numberOfDisplays = caps.NumberOfAdaptersInGroup;
    log("  Number of displays: " + std::to_string(numberOfDisplays) + "\n\n");
}
