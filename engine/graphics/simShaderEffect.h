// simShaderEffect: the resource of one effect file (".fx").
//
// Every programmable drawing of the engine goes through one: the scene's
// passes, the particles, the model batches and the painting effects. The
// resource makes the effect (simShaderEffectCompiled) from its file, picks
// the technique for the device's shader versions, and, each time it begins,
// sets the engine's shader parameter contract (simShaderEffectBinding.h)
// from the renderer's current state.
//
// Technique choice: the option words of the request are the technique's
// base name ("tech_glow"); the technique taken is base + "_" + vertex shader
// major and minor + "_" + pixel shader major and minor ("tech_glow_20_20"),
// with the highest vertex shader version of {1.1, 2.0, 3.0} not above the
// device's and, for it, the highest pixel shader version of {0.0, 1.1, 1.2,
// 1.3, 1.4, 2.0, 3.0} not above the device's, among those the file declares.
//
// Failures: an effect that cannot be made is a serious error
// "simShaderEffect - creation failed: <name> = <result code name>" followed by
// the parser's or compiler's text on the next lines; the resource stays
// valid but holds no effect, and every operation then does nothing (a pass
// count of 0). A missing technique is the serious error
// "simShaderEffect - technique not found: <base>"; begin then gives 0 passes.
//
// Callers draw: begin(); for pass i below getPassCount(): beginPass(i),
// draw, endPass(); end().
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "engine/core/simResource.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererStateObject.h"
#include "engine/graphics/simShaderEffectCompiled.h"

class simShaderEffect : public simResource, public simDeviceDependantObject, public simRendererStateObject {
public:
    // Makes the effect from `path` with the technique base `optionWords`.
    // Needs the graphics system and its renderer.
    simShaderEffect(simCollectionItem* collection, std::string path, std::string optionWords);
    // Releases the effect and leaves the effect list.
    ~simShaderEffect() override;

    std::string getTypeName() override { return "simShaderEffect"; }

    // ---- Drawing (nothing without an effect).
    // Binds the parameter contract and begins the technique; the pass count
    // is kept for getPassCount.
    void begin();
    void beginPass(uint32_t pass);
    void endPass();
    void end();
    uint32_t getPassCount() const { return m_passCount; }
    // Sets every parameter of the contract from the current state.
    void bindParameters();

    // ---- Device loss: the effect's lost and reset operations, once each.
    void onDeviceReset() override;
    void onDeviceRestore() override;

    // ---- Reading.
    simShaderEffectCompiled* getEffect() const { return m_effect.get(); }
    simShaderEffectCompiled::Technique getTechnique() const { return m_technique; }

    // The technique name the search settles on for a device with these
    // versions among the techniques `effect` declares; empty when none fits.
    static std::string chooseTechnique(const simShaderEffectCompiled& effect, const std::string& base,
                                       uint32_t vsMajor, uint32_t vsMinor, uint32_t psMajor, uint32_t psMinor);

    // Every effect made successfully, in order of creation (the graphics
    // system's effect list).
    static const std::list<simShaderEffect*>& getEffects();

    // The loader the resource registry calls for "fx" files.
    static simResource* load(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    // Registers that loader with the resource registry (when it exists).
    static void registerLoader();

private:
    std::unique_ptr<simShaderEffectCompiled> m_effect;
    simShaderEffectCompiled::Technique m_technique = 0;
    uint32_t m_passCount = 0;
    bool m_lost = false;
};
