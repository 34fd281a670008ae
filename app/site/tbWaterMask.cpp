#include "app/site/tbWaterMask.h"

#include "app/shell/tbDevice.h"
#include "app/shell/tbOwnResource.h"
#include "app/site/tbOffscreenDrawing.h"
#include "engine/core/simApplication.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

constexpr const char* kTextureName = "tbProject_flyingsite_waterMaskTexture";

}  // namespace

tbWaterMask::~tbWaterMask() {
    releaseSurfaces();
    m_texture.reset();
}

bool tbWaterMask::create() {
    releaseSurfaces();
    m_texture = tbMakeOwnResource<simTexture>(kTextureName, int32_t(kSize), int32_t(kSize), D3DFMT_X8R8G8B8, true,
                                              false, false);
    if (!m_texture->getTexture() || !makeSurfaces()) {
        releaseSurfaces();
        m_texture.reset();
        return false;
    }
    clear(m_target, 0xFFFFFFFF);
    if (tbDevice()) tbDevice()->StretchRect(m_target, nullptr, m_surface, nullptr, D3DTEXF_LINEAR);
    return true;
}

bool tbWaterMask::makeSurfaces() {
    Device* d = tbDevice();
    if (!d || FAILED(d->GetSurfaceLevel(m_texture->getTexture(), 0, &m_surface))) return false;
    // The target and the depth surface only help drawing: without them the
    // mask is still kept and painted.
    tbRenderer()->createRenderTarget(kSize, kSize, D3DFMT_X8R8G8B8, false, false, &m_target);
    d->CreateDepthStencilSurface(kSize, kSize, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, true, &m_depth);
    return true;
}

void tbWaterMask::releaseSurfaces() {
    tbReleaseSurface(m_surface);
    tbReleaseSurface(m_target);
    tbReleaseSurface(m_depth);
}

void tbWaterMask::clear(SurfaceHandle surface, uint32_t argb) {
    if (!surface) return;
    tbOffscreenDrawing drawing(surface, m_depth, false);
    if (!drawing.ok()) return;
    tbDevice()->Clear(0, nullptr, D3DCLEAR_TARGET | (m_depth ? D3DCLEAR_ZBUFFER : 0u), argb, 1.0f, 0);
    simRequestRedraw();  // the water plane shows the mask
}

void tbWaterMask::fill(uint32_t argb) { clear(m_surface, argb); }

void tbWaterMask::dab(float u, float v, float radius, uint32_t argb, const simTexture* brush) {
    if (!m_surface) return;
    tbOffscreenDrawing drawing(m_surface, m_depth, true);
    if (!drawing.ok()) return;
    drawing.renderer().drawRect({u - radius, v - radius}, {u + radius, v + radius}, argb, brush);
    simRequestRedraw();
}

bool tbWaterMask::save(std::vector<uint8_t>& dds, std::string* reason) const {
    if (!m_surface || !tbDevice()) {
        if (reason) *reason = "there is no water mask";
        return false;
    }
    return simSaveSurfaceToFileInMemory(*tbDevice(), m_surface, d3dx::ImageFileFormat::Dds, dds, reason);
}

bool tbWaterMask::load(const std::vector<uint8_t>& file, std::string* reason) {
    if (!m_surface || !tbDevice()) {
        if (reason) *reason = "there is no water mask";
        return false;
    }
    if (!simLoadSurfaceFromFileInMemory(*tbDevice(), m_surface, file.data(), file.size(), reason)) return false;
    if (m_target) tbDevice()->StretchRect(m_surface, nullptr, m_target, nullptr, D3DTEXF_LINEAR);
    return true;
}

std::vector<uint8_t> tbWaterMask::whiteDds() {
    d3dx::Image white;
    white.format = d3dx::Format::X8R8G8B8;
    white.width = white.height = kSize;
    white.mipLevels = 1;
    white.surfaces.resize(1);
    white.surfaces[0].width = white.surfaces[0].height = kSize;
    white.surfaces[0].bytes.assign(size_t(kSize) * kSize * 4, 0xFF);
    std::vector<uint8_t> dds;
    d3dx::SaveImageToFileInMemory(&dds, d3dx::ImageFileFormat::Dds, white);
    return dds;
}

void tbWaterMask::onDeviceReset() {
    if (m_surface && tbDevice()) {
        m_image.clear();
        simSaveSurfaceToFileInMemory(*tbDevice(), m_surface, d3dx::ImageFileFormat::Dds, m_image);
    }
    releaseSurfaces();
}

void tbWaterMask::onDeviceRestore() {
    if (!m_texture) return;
    // The texture is made again here, before the mask is put back into it;
    // its own restore, later in the renderer's list, then has nothing to do.
    m_texture->onDeviceRestore();
    if (!m_texture->getTexture() || !makeSurfaces()) {
        releaseSurfaces();
        return;
    }
    if (!m_image.empty()) simLoadSurfaceFromFileInMemory(*tbDevice(), m_surface, m_image.data(), m_image.size());
    m_image.clear();
    clear(m_target, 0xFF000000);
    if (m_target) tbDevice()->StretchRect(m_surface, nullptr, m_target, nullptr, D3DTEXF_LINEAR);
}
