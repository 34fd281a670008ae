#include "app/scheme/tbTextureMap.h"

#include <cstring>

#include "app/shell/tbDevice.h"
#include "app/shell/tbOwnResource.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

constexpr const char* kTextureOptions = "noCompression | noMipmaps | managedResourcePool";

bool statusGood() { return !g_application || g_application->getStatusSuccess(); }
void fail(const std::string& reason) {
    simLog("tbTextureMap - " + reason + "\n");
    if (g_application) g_application->setStatus(false, reason);
}

d3dx::ImageLoadDesc wholeSurface(uint32_t width, uint32_t height) {
    d3dx::ImageLoadDesc desc;
    desc.width = width;
    desc.height = height;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::X8R8G8B8;
    return desc;
}

}  // namespace

tbTextureMap::tbTextureMap(tbGeometry* owner) : m_owner(owner) {
    simLog("[tbTextureMap- ");
    simLog("-tbTextureMap]\n");
}

tbTextureMap::~tbTextureMap() {
    simLog("[~tbTextureMap- ");
    releaseSurfaces();
    m_texture.reset();
    simLog("~tbTextureMap]");
}

void tbTextureMap::releaseSurfaces() {
    tbReleaseSurface(m_paint);
    tbReleaseSurface(m_drawing);
    tbReleaseSurface(m_depth);
    tbReleaseSurface(m_snapshot);
    tbReleaseSurface(m_window);
}

// ---- Making the surfaces ----

bool tbTextureMap::makeTexture() {
    m_texture = tbMakeOwnResource<simTexture>("tbTextureMap_texture", int32_t(m_width), int32_t(m_height),
                                              D3DFMT_X8R8G8B8, true, false, false);
    if (!statusGood() || !m_texture->getTexture()) return false;
    return tbDevice() && SUCCEEDED(tbDevice()->GetSurfaceLevel(m_texture->getTexture(), 0, &m_paint));
}

bool tbTextureMap::makeTargets(D3DFORMAT format) {
    simRenderer* r = tbRenderer();
    if (!r) return false;
    m_targetFormat = format;
    if (!r->createRenderTarget(m_width, m_height, format, false, false, &m_snapshot) || !statusGood()) return false;
    if (!r->createRenderTarget(m_width, m_height, format, false, false, &m_drawing) || !statusGood()) return false;
    // The depth surface's failure shows only as drawing without depth.
    tbDevice()->CreateDepthStencilSurface(m_width, m_height, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, true, &m_depth);
    clearDrawing();
    return true;
}

void tbTextureMap::clearDrawing() {
    simRenderer* r = tbRenderer();
    if (!r || !m_drawing) return;
    const bool ownScene = !r->isInScene();
    if (ownScene) r->beginScene(false, false, false);
    Device* d = tbDevice();
    d->SetRenderTarget(0, m_drawing);
    d->SetDepthStencilSurface(m_depth);
    d->Clear(0, nullptr, D3DCLEAR_TARGET | (m_depth ? D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL : 0u), 0xFF000000, 1.0f, 0);
    d->SetRenderTarget(0, r->getBackBuffer());
    d->SetDepthStencilSurface(r->getDefaultDepthStencil());
    if (ownScene) r->endScene(false, nullptr);
}

void tbTextureMap::copyPaintToTargets() {
    Device* d = tbDevice();
    if (!d || !m_paint) return;
    if (m_snapshot) d->StretchRect(m_paint, nullptr, m_snapshot, nullptr, D3DTEXF_LINEAR);
    if (m_drawing) d->StretchRect(m_paint, nullptr, m_drawing, nullptr, D3DTEXF_LINEAR);
}

// ---- Pixels in and out of the paint surface ----

bool tbTextureMap::writePaint(const d3dx::Image& picture) {
    Device* d = tbDevice();
    if (!d || !m_paint || picture.width != m_width || picture.height != m_height) return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(d->LockRect(m_paint, &locked, nullptr, 0))) return false;
    const d3dx::ImageSurface& surface = picture.surface(0, 0);
    const size_t rowBytes = size_t(m_width) * 4;
    for (uint32_t row = 0; row < m_height; ++row)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(row) * size_t(locked.Pitch),
                    surface.bytes.data() + row * rowBytes, rowBytes);
    simRequestRedraw();
    return SUCCEEDED(d->UnlockRect(m_paint));
}

bool tbTextureMap::readSurface(SurfaceHandle source, d3dx::Image& out) const {
    Device* d = tbDevice();
    if (!d || !source) return false;
    out = d3dx::Image{};
    out.format = d3dx::Format::X8R8G8B8;
    out.width = m_width;
    out.height = m_height;
    out.mipLevels = 1;
    out.surfaces.resize(1);
    out.surfaces[0].width = m_width;
    out.surfaces[0].height = m_height;
    const size_t rowBytes = size_t(m_width) * 4;
    out.surfaces[0].bytes.resize(rowBytes * m_height);
    D3DLOCKED_RECT locked{};
    if (FAILED(d->LockRect(source, &locked, nullptr, D3DLOCK_READONLY))) return false;
    for (uint32_t row = 0; row < m_height; ++row)
        std::memcpy(out.surfaces[0].bytes.data() + row * rowBytes,
                    static_cast<const uint8_t*>(locked.pBits) + size_t(row) * size_t(locked.Pitch), rowBytes);
    return SUCCEEDED(d->UnlockRect(source));
}

bool tbTextureMap::loadPaint(const std::vector<uint8_t>& file) {
    d3dx::Image picture;
    const d3dx::ImageResult result =
        d3dx::LoadImageFromFileInMemory(file.data(), file.size(), wholeSurface(m_width, m_height), &picture);
    if (!result.ok()) {
        simLog("tbTextureMap - the picture cannot be read: " + result.reason + "\n");
        return false;
    }
    return writePaint(picture);
}

bool tbTextureMap::savePaint(std::vector<uint8_t>& file) const {
    d3dx::Image picture;
    file.clear();
    return readSurface(m_paint, picture) &&
           d3dx::SaveImageToFileInMemory(&file, d3dx::ImageFileFormat::Bmp, picture).ok();
}

// ---- Import, open and save ----

bool tbTextureMap::import(const std::string& path) {
    simLog("[tbTextureMap::import-");
    if (!g_resources ||
        !g_resources->findResource(nullptr, "objects/aircraft", path, kTextureOptions, false, true,
                                   simRootKind_resources)) {
        fail("the model's texture cannot be found or loaded: " + path);
        return false;
    }
    const auto* source = dynamic_cast<simTexture*>(simResources::getResource(utils::getFileName(path), false));
    if (!source || source->getWidth() <= 0 || source->getHeight() <= 0 || source->getFileData().empty()) {
        fail("the model's texture cannot be read: " + path);
        return false;
    }
    m_width = uint32_t(source->getWidth());
    m_height = uint32_t(source->getHeight());
    if (!makeTexture() || !makeTargets(D3DFMT_X8R8G8B8)) return false;
    if (!loadPaint(source->getFileData())) {
        fail("the model's texture cannot be copied: " + path);
        return false;
    }
    copyPaintToTargets();
    createRestorePoint();
    simLog("-tbTextureMap::import]\n");
    return true;
}

bool tbTextureMap::open(uint32_t width, uint32_t height, const std::vector<uint8_t>& bmp) {
    simLog("[tbTextureMap::open-");
    m_width = width;
    m_height = height;
    if (!makeTexture() || !makeTargets(D3DFMT_A8R8G8B8) || !statusGood()) return false;
    if (!loadPaint(bmp)) return false;
    copyPaintToTargets();
    createRestorePoint();
    simLog("-tbTextureMap::open]");
    return true;
}

bool tbTextureMap::save(std::vector<uint8_t>& bmp) const { return m_paint && savePaint(bmp); }

// ---- Restore point and external images ----

void tbTextureMap::createRestorePoint() {
    std::vector<uint8_t> image;
    if (savePaint(image)) m_restoreImage = std::move(image);
}

void tbTextureMap::revertToRestorePoint() {
    if (m_restoreImage.empty() || !loadPaint(m_restoreImage)) return;
    copyPaintToTargets();
}

bool tbTextureMap::importTexture(const std::string& path) {
    if (!m_paint || !m_drawing) return false;
    d3dx::Image picture;
    if (!d3dx::LoadImageFromFile(path, wholeSurface(m_width, m_height), &picture).ok() || !writePaint(picture)) {
        simLog("tbTextureMap::importTexture - D3DXLoadSurfaceFromFile failed (preview)\n");
        return false;
    }
    if (FAILED(tbDevice()->StretchRect(m_paint, nullptr, m_drawing, nullptr, D3DTEXF_LINEAR))) {
        simLog("tbTextureMap::importTexture - StretchRect failed\n");
        return false;
    }
    return true;
}

// ---- Device loss ----

void tbTextureMap::onDeviceReset() {
    // A lost device still lets its surfaces be read, so the painting is
    // kept in memory before everything of the default pool goes.
    if (m_paint) savePaint(m_heldImage);
    releaseSurfaces();
}

void tbTextureMap::onDeviceRestore() {
    simRenderer* r = tbRenderer();
    if (!r || !m_texture) return;
    r->createRenderTarget(m_width, m_height, m_targetFormat, false, false, &m_snapshot);
    r->createRenderTarget(m_width, m_height, m_targetFormat, false, false, &m_drawing);
    m_texture->onDeviceRestore();
    if (m_texture->getTexture()) tbDevice()->GetSurfaceLevel(m_texture->getTexture(), 0, &m_paint);
    if (!m_heldImage.empty()) {
        loadPaint(m_heldImage);
        m_heldImage.clear();
        m_heldImage.shrink_to_fit();
    }
    tbDevice()->CreateDepthStencilSurface(m_width, m_height, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, true, &m_depth);
    clearDrawing();
    copyPaintToTargets();
}
