#include "app/site/tbReflectionCubemap.h"

#include "app/shell/tbDevice.h"
#include "app/site/tbOffscreenDrawing.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simTextureUpload.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

// Runs `draw` with face `face` of the cube map bound as the target.
template <class Draw>
void drawFace(TextureHandle cube, uint32_t face, Draw draw) {
    SurfaceHandle surface;
    if (FAILED(tbDevice()->GetCubeMapSurface(cube, static_cast<D3DCUBEMAP_FACES>(face), 0, &surface))) return;
    {
        tbOffscreenDrawing drawing(surface, {}, false);
        if (drawing.ok()) draw(drawing.renderer());
    }
    tbDevice()->Release(surface);
}

}  // namespace

tbReflectionCubemap::~tbReflectionCubemap() { release(); }

void tbReflectionCubemap::release() {
    if (m_texture && tbDevice()) tbDevice()->Release(m_texture);
    m_texture = {};
}

bool tbReflectionCubemap::create() {
    release();
    Device* d = tbDevice();
    if (!d || FAILED(d->CreateCubeTexture(kSize, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                          &m_texture))) {
        m_texture = {};
        return false;
    }
    for (uint32_t face = 0; face < kFaces; ++face)
        drawFace(m_texture, face, [](simRenderer&) { tbDevice()->Clear(0, nullptr, D3DCLEAR_TARGET, kWhite, 1.0f, 0); });
    return true;
}

void tbReflectionCubemap::build(const std::array<simTexture*, kFaces>& slots) {
    if (!m_texture) return;
    using V = d3dx::Vector2;
    const V topLeft{0, 0}, topRight{float(kSize), 0}, bottomRight{float(kSize), float(kSize)},
        bottomLeft{0, float(kSize)};
    for (uint32_t face = 0; face < kFaces; ++face) {
        const simTexture* image = slots[kSlotOfFace[face]];
        drawFace(m_texture, face, [&](simRenderer& r) {
            if (face == D3DCUBEMAP_FACE_POSITIVE_Y)
                r.drawQuadUV(topLeft, topRight, bottomRight, bottomLeft, kWhite, image, {0, 0}, {0, 1}, {1, 1},
                             {1, 0});
            else if (face == D3DCUBEMAP_FACE_NEGATIVE_Y)
                r.drawQuadUV(topLeft, topRight, bottomRight, bottomLeft, kWhite, image, {1, 1}, {1, 0}, {0, 0},
                             {0, 1});
            else
                r.drawRectUV(topLeft, bottomRight, kWhite, image, {1, 0}, {0, 1});
        });
    }
}

void tbReflectionCubemap::onDeviceReset() {
    if (!m_texture) return;
    d3dx::Image cube;
    m_image.clear();
    if (simReadTexture(*tbDevice(), m_texture, true, cube))
        d3dx::SaveImageToFileInMemory(&m_image, d3dx::ImageFileFormat::Dds, cube);
    release();
}

void tbReflectionCubemap::onDeviceRestore() {
    if (m_image.empty() || !tbDevice()) return;
    simTextureRequest request;
    request.usage = D3DUSAGE_RENDERTARGET;
    request.pool = D3DPOOL_DEFAULT;
    if (FAILED(simCreateCubeTextureFromFileInMemory(*tbDevice(), m_image.data(), m_image.size(), request, &m_texture,
                                                    nullptr)))
        m_texture = {};
    m_image.clear();
}
