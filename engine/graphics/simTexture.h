// simTexture: the engine's texture resource.
//
// A 2-D texture (or cube map) loaded from an image file found under the
// resource root (bmp, dds, png, tga, jpg), or created empty in code as a
// render target or paint surface. A file texture keeps the whole file in
// memory for its life, so that it can rebuild itself after a lost device;
// a created texture is made again empty (keeping its pixels is its owner's
// business). The texture chooses its format, mip levels, pool and usage from
// the option words of its request and two engine options, and puts itself
// in the renderer's texture slots with the blending its alpha needs.
//
// Option words (case-sensitive substrings of the request's third text):
//   "managedResourcePool" managed pool, usage 0, no device-loss handling
//                         (otherwise the default pool with dynamic usage)
//   "noCompression"       A8R8G8B8 instead of DXT1 / DXT5
//   "forceSolid"          has alpha 0 (the format stays)
//   "noMipmaps"           one mip level
//   "forceMipmaps"        mipmaps also for sizes outside 128..1024
//   "renderTarget"        render-target usage
//   "cubemap"             a cube map (A8R8G8B8, one level)
// A source whose format carries alpha (A8R8G8B8, a PNG with alpha, DXT3,
// DXT5 ...) becomes DXT5 with has alpha 1; every other source DXT1.
//
// Failures: no renderer or an unreadable file is a console line and an empty
// texture; a scrambled, truncated or lying file is a console line naming the
// reason, a failed application status and an empty texture; a device refusal
// of the default pool is retried once in the managed pool, then a failed
// status. An empty texture binds as none (`getTexture` gives null).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simResource.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererStateObject.h"
#include "engine/graphics/simTextureRef.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"
#include "platform/gfx/results.h"

class simResources;

class simTexture : public simResource, public simDeviceDependantObject, public simRendererStateTexture {
public:
    // Largest texture file read into memory (bytes); larger files are refused
    // before anything is allocated.
    static constexpr uint64_t kMaxFileBytes = 512ull << 20;

    // Loads the file at `path` as the option words ask.
    simTexture(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    // An empty texture of one level: render-target usage when asked, else
    // dynamic (default pool) or none (managed).
    simTexture(simCollectionItem* collection, const std::string& name, int32_t width, int32_t height,
               gfx::D3DFORMAT format, bool renderTarget, bool hasAlpha, bool managed);
    // Takes itself out of the renderer's state cache, releases its textures
    // and clears every simTextureRef that names it.
    ~simTexture() override;

    std::string getTypeName() override { return "simTexture"; }

    // ---- The device textures (null when there is none).
    gfx::TextureHandle getTexture() const { return m_texture; }
    gfx::TextureHandle getCubeTexture() const { return m_cubeTexture; }
    gfx::TextureHandle getStateTexture2D() const override { return m_texture; }
    gfx::TextureHandle getStateCubeTexture() const override { return m_cubeTexture; }

    // ---- Binding through the renderer's state cache.
    // Slot 0 (state id 1) also sets alpha blending (on for a texture with
    // alpha or a transparent current material) and the blend mode (1 with
    // the blend flag, else 0), unless the blend mode is 2; slots 1..3 (ids
    // 2..4) only the texture. Every slot sets the mip filter: linear with two
    // or more levels, else none. Another slot is a serious error.
    void bind(uint32_t slot);
    void setBlendFlag(bool additive) { m_blendFlag = additive ? 1 : 0; }

    // ---- Device loss (registered, default-pool textures only).
    void onDeviceReset() override;
    void onDeviceRestore() override;

    // ---- Description.
    int32_t getWidth() const { return m_width; }
    int32_t getHeight() const { return m_height; }
    bool hasAlpha() const { return m_hasAlpha != 0; }
    bool isCubeMap() const { return m_isCubeMap != 0; }
    bool isLoadedFromFile() const { return m_loadedFromFile != 0; }
    bool isManaged() const { return m_managed; }
    gfx::D3DFORMAT getFormat() const { return m_format; }
    uint32_t getPool() const { return m_pool; }
    uint32_t getUsage() const { return m_usage; }
    uint32_t getMipLevels() const { return m_mipLevels; }
    // The file as read (empty for created textures and failed reads).
    const std::vector<uint8_t>& getFileData() const { return m_fileData; }

    // The texture loader of the resource registry, for bmp, dds, png, tga and jpg.
    static simResource* load(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    static void registerLoaders(simResources& resources);

private:
    friend class simTextureRef;

    bool hasWord(const char* word) const;
    // Reads the file into m_fileData; false (logged) when it cannot be had.
    bool readFile();
    // Chooses format, alpha, levels, pool and usage from the file's information.
    void chooseLayout(uint32_t width, uint32_t height, uint32_t sourceFormat);
    // Makes the 2-D texture from the file data, retrying once in the managed
    // pool when the device refuses; false with the status set on failure.
    bool loadTexture2D();
    gfx::HRESULT loadCubeTexture();
    void switchToManaged();
    void releaseTextures();

    gfx::TextureHandle m_texture;      // the 2-D texture
    gfx::TextureHandle m_cubeTexture;  // the cube map
    uint32_t m_hasAlpha = 0;
    int32_t m_width = 0, m_height = 0;  // pixels
    uint8_t m_isCubeMap = 0;
    uint8_t m_loadedFromFile = 0;
    uint8_t m_blendFlag = 0;
    gfx::D3DFORMAT m_format = gfx::D3DFMT_UNKNOWN;
    uint32_t m_pool = 0;   // 0 default, 1 managed
    uint32_t m_usage = 0;  // D3DUSAGE bits
    std::vector<uint8_t> m_fileData;
    uint32_t m_mipLevels = 1;
    bool m_managed = false;   // in the managed pool: the device keeps it over a loss
    bool m_released = false;  // between a device reset and its restore
    simTextureRef* m_references = nullptr;  // the first of the references naming it
};
