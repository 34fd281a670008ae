#include "app/scheme/bars/tbDecalTexture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/scheme/bars/CDlgBrushShapePickerModel.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"

namespace bars {

namespace {

// "decal:" and the path with its separators replaced: a resource's name is
// its file name, which never holds a separator, so no file shares it.
std::string resourceName(const std::string& path) {
    std::string name = "decal:" + path;
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '|');
    return name;
}

bool fill(simTexture& texture, const d3dx::Bitmap& picture) {
    gfx::Device* device = g_graphics && g_graphics->getRenderer() ? g_graphics->getRenderer()->getDevice() : nullptr;
    gfx::D3DLOCKED_RECT locked{};
    if (!device || gfx::FAILED(device->LockRect(texture.getTexture(), 0, &locked, nullptr, 0))) return false;
    for (uint32_t y = 0; y < picture.height; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * size_t(locked.Pitch),
                    &picture.pixels[size_t(y) * picture.width], size_t(picture.width) * 4);
    return gfx::SUCCEEDED(device->UnlockRect(texture.getTexture(), 0));
}

}  // namespace

simTexture* tbDecalTexture(const DecalRow& row) {
    if (row.subFolder.empty() || row.imagePath.empty() || !g_resources) return nullptr;
    const std::string name = resourceName(row.imagePath);
    if (auto* made = dynamic_cast<simTexture*>(simResources::getResource(name, false))) return made;
    d3dx::Bitmap picture;
    d3dx::ImageInfo info;
    if (!tbReadDecalPicture(row.imagePath, picture, info)) return nullptr;
    // Managed: the device keeps its pixels over a lost device.
    auto* texture = new simTexture(g_resources->getGlobalResources(), name, int32_t(picture.width),
                                   int32_t(picture.height), gfx::D3DFMT_A8R8G8B8, false,
                                   d3dx::formatHasAlpha(info.format), true);
    if (!texture->getTexture() || !fill(*texture, picture)) {
        texture->removeFromCollection(g_resources->getGlobalResources(), false);
        return nullptr;
    }
    return texture;
}

}  // namespace bars
