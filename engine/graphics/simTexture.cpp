#include "engine/graphics/simTexture.h"

#include <fstream>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTextureUpload.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }
Device* device() { return renderer() ? renderer()->getDevice() : nullptr; }

// Texture slots 0..3 and the state ids that hold them.
constexpr uint32_t kSlotState[] = {simRenderState_texture0, simRenderState_texture3, simRenderState_texture4,
                                   simRenderState_texture5};

}  // namespace

// ---- Loading from a file ----

simTexture::simTexture(simCollectionItem* collection, const std::string& path, const std::string& optionWords)
    : simResource(collection, path, optionWords),
      simDeviceDependantObject(optionWords.find("managedResourcePool") != std::string::npos) {
    m_managed = isUnregistered();
    m_loadedFromFile = 1;
    if (!device()) {
        simRendererLog("ERROR: (simTexture) - No renderer\n");
        return;
    }
    if (!readFile()) return;

    // Files in the scrambled block order cannot be put back in order: their
    // order is not known to this program.
    if (d3dx::isScrambledImage(m_fileData.data(), m_fileData.size())) {
        simRendererLog("ERROR: (simTexture) - scrambled texture file refused: " + getFilePath() + "\n");
        simRendererSetStatus(false, "simTexture - scrambled texture file refused: " + getFilePath());
        m_fileData.clear();
        return;
    }

    d3dx::ImageInfo info;
    const d3dx::ImageResult read = d3dx::GetImageInfoFromFileInMemory(m_fileData.data(), m_fileData.size(), &info);
    if (!read.ok()) {
        // Nothing about the image is known, so nothing can be made of it.
        simRendererLog("ERROR: (simTexture) - " + read.reason + ": " + getFilePath() + "\n");
        simRendererSetStatus(false, simRendererFailureText("simTexture - D3DXGetImageInfoFromFileInMemory failed: ",
                                                           read.code));
        return;
    }
    chooseLayout(info.width, info.height, static_cast<uint32_t>(info.format));

    if (hasWord("cubemap")) {
        m_format = D3DFMT_A8R8G8B8;
        m_mipLevels = 1;
        m_isCubeMap = 1;
        const HRESULT result = loadCubeTexture();
        if (FAILED(result)) {
            simRendererSetStatus(false,
                                 simRendererFailureText("simTexture: D3DXCreateCubeTextureFromFileEx failed: ", result));
            return;
        }
    } else if (!loadTexture2D()) {
        return;
    }
    simRendererSetStatus(true, "success");
}

bool simTexture::hasWord(const char* word) const { return getOptionWords().find(word) != std::string::npos; }

bool simTexture::readFile() {
    const std::string& path = getFilePath();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        simRendererLog("ERROR: (simTexture) - file not opened: " + path + "\n");
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > kMaxFileBytes) {
        simRendererLog("ERROR: (simTexture) - file too large for a texture: " + path + "\n");
        return false;
    }
    m_fileData.resize(static_cast<size_t>(size));
    file.seekg(0);
    if (size > 0 && !file.read(reinterpret_cast<char*>(m_fileData.data()), size)) {
        simRendererLog("ERROR: (simTexture) - file not read: " + path + "\n");
        m_fileData.clear();
        return false;
    }
    return true;
}

void simTexture::chooseLayout(uint32_t width, uint32_t height, uint32_t sourceFormat) {
    m_width = static_cast<int32_t>(width);
    m_height = static_cast<int32_t>(height);

    // Every source with an alpha channel keeps it; only opaque sources (and
    // DXT1, whose one-bit alpha is a property of the pixels) become DXT1.
    m_hasAlpha = d3dx::formatHasAlpha(static_cast<d3dx::Format>(sourceFormat)) ? 1 : 0;
    m_format = m_hasAlpha ? D3DFMT_DXT5 : D3DFMT_DXT1;
    const bool forceNoCompression = g_options && g_options->default_forceNoCompression;
    if (hasWord("noCompression") || forceNoCompression) m_format = D3DFMT_A8R8G8B8;
    if (hasWord("forceSolid")) m_hasAlpha = 0;

    m_mipLevels = 1;
    const bool forceNoMipmaps = g_options && g_options->default_forceNoMipmaps;
    if (!forceNoMipmaps && !hasWord("noMipmaps")) {
        auto mid = [](uint32_t v) { return v >= 128 && v <= 1024; };
        const bool capable = renderer()->getCaps() && renderer()->getCaps()->mipmapTexturing;
        if (((mid(width) && mid(height)) || hasWord("forceMipmaps")) && capable && width == height) m_mipLevels = 4;
    }

    m_pool = m_managed ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
    m_usage = m_managed ? 0u : D3DUSAGE_DYNAMIC;
    if (hasWord("renderTarget")) m_usage = D3DUSAGE_RENDERTARGET;
}

bool simTexture::loadTexture2D() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        simTextureRequest request{uint32_t(m_width), uint32_t(m_height), m_mipLevels, m_usage, m_format,
                                  static_cast<D3DPOOL>(m_pool)};
        std::string reason;
        const HRESULT result =
            simCreateTextureFromFileInMemory(*device(), m_fileData.data(), m_fileData.size(), request, &m_texture, &reason);
        if (SUCCEEDED(result)) return true;
        if (!reason.empty()) {
            // Bad media: another pool would not decode it either.
            simRendererLog("ERROR: (simTexture) - " + reason + ": " + getFilePath() + "\n");
            simRendererSetStatus(false, simRendererFailureText("Texture load failed: ", result));
            return false;
        }
        if (attempt == 0 && !m_managed) {
            simRendererLog(simRendererFailureText("Texture load failed (", result) + ") switching to managed mode...\n");
            switchToManaged();
            continue;
        }
        simRendererSetStatus(false, simRendererFailureText("Texture load failed: ", result));
        return false;
    }
    return false;
}

HRESULT simTexture::loadCubeTexture() {
    simTextureRequest request{0, 0, m_mipLevels, m_usage, m_format, static_cast<D3DPOOL>(m_pool)};
    std::string reason;
    const HRESULT result = simCreateCubeTextureFromFileInMemory(*device(), m_fileData.data(), m_fileData.size(),
                                                                request, &m_cubeTexture, &reason);
    if (!reason.empty()) simRendererLog("ERROR: (simTexture) - " + reason + ": " + getFilePath() + "\n");
    return result;
}

void simTexture::switchToManaged() {
    m_managed = true;
    m_pool = D3DPOOL_MANAGED;
    m_usage = 0;
}

// ---- Creating an empty texture ----

simTexture::simTexture(simCollectionItem* collection, const std::string& name, int32_t width, int32_t height,
                       D3DFORMAT format, bool renderTarget, bool hasAlpha, bool managed)
    : simResource(collection, name, ""), simDeviceDependantObject(managed) {
    m_managed = managed;
    m_format = format;
    m_hasAlpha = hasAlpha ? 1 : 0;
    m_pool = managed ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
    m_usage = managed ? 0u : D3DUSAGE_DYNAMIC;
    if (renderTarget) m_usage = D3DUSAGE_RENDERTARGET;
    const HRESULT result =
        device() && width > 0 && height > 0
            ? device()->CreateTexture(uint32_t(width), uint32_t(height), 1, m_usage, m_format,
                                      static_cast<D3DPOOL>(m_pool), &m_texture)
            : D3DERR_INVALIDCALL;
    if (FAILED(result)) {
        m_texture = {};
        simRendererSetStatus(false, simRendererFailureText("simTexture: D3DXCreateTexture failed: ", result));
        return;
    }
    m_width = width;
    m_height = height;
    simRendererSetStatus(true, "success");
}

// ---- Lifetime ----

simTexture::~simTexture() {
    simTextureRef::forgetAll(m_references);
    releaseTextures();
}

void simTexture::releaseTextures() {
    if (Device* d = device()) {
        if (m_texture) d->Release(m_texture);
        if (m_cubeTexture) d->Release(m_cubeTexture);
    }
    m_texture = {};
    m_cubeTexture = {};
}

void simTexture::onDeviceReset() {
    // A texture that never loaded has nothing to release and nothing to make
    // again: its file would fail the same way at the restore.
    if (m_managed || m_released || (!m_texture && !m_cubeTexture)) return;
    releaseTextures();
    m_released = true;
}

void simTexture::onDeviceRestore() {
    if (!m_released) return;
    m_released = false;
    if (!device()) {
        utils::seriousError("simTexture - no renderer");
        return;
    }
    if (!m_loadedFromFile) {
        const HRESULT result = device()->CreateTexture(uint32_t(m_width), uint32_t(m_height), 1, m_usage, m_format,
                                                       static_cast<D3DPOOL>(m_pool), &m_texture);
        if (FAILED(result)) simRendererSetStatus(false, simRendererFailureText("simTexture - CreateTexture failure: ", result));
    } else if (m_isCubeMap) {
        loadCubeTexture();
    } else if (!m_fileData.empty()) {
        loadTexture2D();
    }
}

// ---- Binding ----

void simTexture::bind(uint32_t slot) {
    simRendererState* state = renderer() ? renderer()->getState() : nullptr;
    if (!state) return;
    if (slot >= std::size(kSlotState)) {
        utils::seriousError("simTexture::bind - invalid slot [" + std::to_string(slot) + "]");
        return;
    }
    if (slot == 0 && state->getState(simRenderState_blendMode) != 2) {
        // A material made see-through asks for blending as a texture with alpha does.
        bool blend = m_hasAlpha != 0;
        if (!blend) {
            const auto* material =
                dynamic_cast<const simRendererStateMaterial*>(state->getStateObject(simRenderState_material));
            blend = material && material->getStateMaterial().Diffuse.a < 1.0f;
        }
        state->setState(simRenderState_alphaBlend, blend ? 1u : 0u);
        state->setState(simRenderState_blendMode, m_blendFlag ? 1u : 0u);
    }
    state->setState(kSlotState[slot], this);
    state->setState(simRenderState_mipmapFilter, m_mipLevels >= 2 ? 2u : 0u);
}

// ---- The loader ----

simResource* simTexture::load(simCollectionItem* collection, const std::string& path, const std::string& optionWords) {
    return new simTexture(collection, path, optionWords);
}

void simTexture::registerLoaders(simResources& resources) {
    for (const char* extension : {"bmp", "dds", "png", "tga", "jpg"}) resources.registerLoader(extension, &load);
}
