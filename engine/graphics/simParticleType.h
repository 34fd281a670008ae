// simParticleType: a kind of particle, read from a .prt keyword file.
//
// The type is a resource (loaded by extension "prt"); what the file says is
// read by simParticleTypeFile, and the names it gives are found or loaded
// here: textures and alternate textures under "textures" ("noMipmaps"), the
// geometry under "geometry" ("std_geometry"), the trail texture under
// "textures" ("std_texture | managedResourcePool"), the effect only when it
// is already loaded. The type is the requesting holder of what it loads, and
// owns none of it.
//
// Failures: a file that cannot be read fails the load (the registry lets the
// type go); a file that stops early keeps what it read and reports why; a
// missing trail texture is reported and the type loads on; any other missing
// resource leaves its slot empty.
//
// Spin, trail, trail width, fade and refresh, deceleration and the trail
// texture are kept but nothing uses them yet; the geometry only decides
// whether a new particle's world matrix is the identity.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simResource.h"
#include "engine/graphics/simParticleTypeFile.h"

class simGeometry;
class simShaderEffect;
class simTexture;

class simParticleType : public simResource {
public:
    // The longest random timing a particle honours (ms): a bigger value would
    // overflow the offset's integer arithmetic.
    static constexpr float kMaxRandomTimingMs = 1.0e6f;

    // Reads the file named by `path` (see the top).
    simParticleType(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    // Logs "releasing [particle-type] resource -> <name>...".
    ~simParticleType() override;

    std::string getTypeName() override { return "simParticleType"; }

    // The texture at the index, or sometimes (rand() % 11 < 5) the alternate
    // at the same index when there is one; null when the index lies outside
    // the textures.
    simTexture* pickTexture(int index) const;

    // The random timing a particle uses: 0 for values of 0 or less, at most
    // kMaxRandomTimingMs.
    float usableRandomTiming() const;

    // The registry's loader for "prt", and its registration.
    static simResource* load(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    static void registerLoader();

    uint8_t spin = 0, gravity = 0, trail = 0, loop = 0, glow = 0, motionBlur = 0, planar = 0;
    float randomTiming = 0.0f;  // ms
    float trailWidth = 0.05f, trailFade = 0.002f, trailRefresh = 500.0f;
    float deceleration = 0.0f;
    std::vector<simTexture*> textures;
    std::vector<simTexture*> alternateTextures;
    simGeometry* geometry = nullptr;
    simTexture* trailTexture = nullptr;
    simShaderEffect* shader = nullptr;
    std::vector<simParticleFrame> frames;

private:
    void take(const simParticleTypeFile& file);
    simTexture* findTexture(const std::string& name, const std::string& optionWords);
};
