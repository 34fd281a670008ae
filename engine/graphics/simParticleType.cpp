#include "engine/graphics/simParticleType.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kTextureOptions = "noMipmaps";
constexpr const char* kTrailOptions = "std_texture | managedResourcePool";
constexpr const char* kGeometryOptions = "std_geometry";

template <typename T>
T* loaded(const std::string& name) {
    return dynamic_cast<T*>(simResources::getResource(name, false));
}

}  // namespace

simParticleType::simParticleType(simCollectionItem* collection, const std::string& path,
                                 const std::string& optionWords)
    : simResource(collection, path, optionWords) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (g_application) g_application->setStatus(false, "simParticleType - cannot read " + path);
        return;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const simParticleTypeFile file = simParticleTypeFile::parse(text.str());
    for (const std::string& problem : file.problems)
        utils::seriousError("simParticleType - " + getName() + ": " + problem);
    take(file);
    if (g_application) g_application->setStatus(true, "");
}

simParticleType::~simParticleType() {
    if (g_console) {
        g_console->print("releasing [particle-type] resource -> ");
        g_console->printString(getName());
        g_console->print("...\n");
    }
}

simTexture* simParticleType::findTexture(const std::string& name, const std::string& optionWords) {
    if (!g_resources) return nullptr;
    // As a model's materials look: under "textures" first, then anywhere
    // below the resource root, where the program's own particle textures live.
    if (!g_resources->findResource(this, "textures", name, optionWords, true, false, simRootKind_resources) &&
        !g_resources->findResource(this, "", name, optionWords, true, true, simRootKind_resources))
        return nullptr;
    return loaded<simTexture>(name);
}

void simParticleType::take(const simParticleTypeFile& file) {
    spin = file.spin;
    gravity = file.gravity;
    trail = file.trail;
    loop = file.loop;
    glow = file.glow;
    motionBlur = file.motionBlur;
    planar = file.planar;
    randomTiming = file.randomTiming;
    trailWidth = file.trailWidth;
    trailFade = file.trailFade;
    trailRefresh = file.trailRefresh;
    deceleration = file.deceleration;
    frames = file.frames;
    for (const std::string& name : file.textures) {
        if (simTexture* texture = findTexture(name, kTextureOptions)) textures.push_back(texture);
    }
    for (const std::string& name : file.alternateTextures) {
        if (simTexture* texture = findTexture(name, kTextureOptions)) alternateTextures.push_back(texture);
    }
    if (!file.shader.empty()) shader = loaded<simShaderEffect>(file.shader);
    if (!file.geometry.empty() && g_resources &&
        g_resources->findResource(this, "geometry", file.geometry, kGeometryOptions, true, true,
                                  simRootKind_resources))
        geometry = loaded<simGeometry>(file.geometry);
    for (const std::string& name : file.trailTextures) {
        if (simTexture* texture = findTexture(name, kTrailOptions)) trailTexture = texture;
        if (!trailTexture) utils::seriousError("simParticleType--trailTexture not found(" + name + ")");
    }
}

simTexture* simParticleType::pickTexture(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= textures.size()) return nullptr;
    if (static_cast<size_t>(index) < alternateTextures.size() && std::rand() % 11 < 5)
        return alternateTextures[static_cast<size_t>(index)];
    return textures[static_cast<size_t>(index)];
}

float simParticleType::usableRandomTiming() const {
    if (!(randomTiming > 0.0f)) return 0.0f;
    return std::min(randomTiming, kMaxRandomTimingMs);
}

simResource* simParticleType::load(simCollectionItem* collection, const std::string& path,
                                   const std::string& optionWords) {
    return new simParticleType(collection, path, optionWords);
}

void simParticleType::registerLoader() {
    if (g_resources) g_resources->registerLoader("prt", &simParticleType::load);
}
