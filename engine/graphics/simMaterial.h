// simMaterial: one material of a loaded model.
//
// A model's layers draw with one material each: four colours, six surface
// values, the textures of its slots and the Direct3D material built from
// them. `apply` puts it on the renderer through the state cache, where the
// material itself is the cached value of state id 12 (so the shader
// parameter contract can read the current material back from the cache).
//
// Textures are resources of their own: the material keeps plain pointers to
// them, and the owner geometry holds them in the resource collections (it is
// the requesting holder of every texture it loads), so they live at least as
// long as the model. An empty slot ("none" in the file) holds null.
//
// Made by the model loader from a file record, or as the default material
// "newMaterial" that the particle effects use.
#pragma once

#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/graphics/geoFile.h"
#include "engine/graphics/simRendererStateObject.h"
#include "platform/gfx/d3dTypes.h"

class simGeometry;
class simShaderEffect;
class simTexture;
struct simShaderMaterialValues;

class simMaterial : public simRendererStateMaterial {
public:
    // Builds the material of one file record and appends it to the owner's
    // list. Each slot's texture is found under "textures", then anywhere
    // below the resource root, with the owner's option words; a texture
    // found nowhere sets the application status to failure ("Error loading
    // geometry - a texture resource was not located...") and leaves the
    // material out of the owner's list (the loader then stops). A record
    // without slots gets the loaded "white.bmp" (null when not loaded).
    // Success sets the status to success.
    simMaterial(simGeometry* owner, const geoFileMaterial& record, const std::string& optionWords);
    // The default material "newMaterial": white diffuse, black specular,
    // emissive and ambient (as the integer 1 and 0 components the particle
    // effects expect), no textures; joins the owner's list when there is one.
    explicit simMaterial(simGeometry* owner);
    // Leaves the owner's list.
    virtual ~simMaterial();

    simMaterial(const simMaterial&) = delete;
    simMaterial& operator=(const simMaterial&) = delete;

    // Sets the material on the renderer: the material state, the first slot's
    // texture (or none) with a linear mip filter, the stage-1 blend from the
    // reflectivity, alpha blending for a transparent material and the
    // material's effect when it has one. Nothing without a renderer.
    void apply();

    // The state cache's view of the material.
    const gfx::D3DMATERIAL9& getStateMaterial() const override { return d3dMaterial; }

    // The blend-factor alpha of the reflectivity: reflectivity x 255,
    // truncated (0 for values that are not a number or below 1/255).
    int reflectivityAlpha() const;
    // The Direct3D specular power of an eccentricity: 5 / eccentricity, 0 for 0.
    static float specularPower(float eccentricity);

    // The material values of the shader parameter contract from the state
    // cache's current material: false when `current` is not a material.
    static bool shaderValues(const simRendererStateObject* current, simShaderMaterialValues* out);
    // Installs shaderValues as the contract's material entry, keeping the
    // other entries. The graphics system calls it when it is made.
    static void linkShaderParameters();

    std::string name;
    simColour diffuse, specular, emissive, ambient;
    float transparency = 0, incandescance = 0, glow = 0, reflectivity = 0, specularRolloff = 0, eccentricity = 0;
    gfx::D3DMATERIAL9 d3dMaterial;
    std::vector<simTexture*> textures;  // not owned; null for an empty slot
    simShaderEffect* effect = nullptr;   // not owned
    simGeometry* owner = nullptr;

private:
    bool loadTextures(const std::vector<std::string>& files, const std::string& optionWords);
    void buildD3DMaterial();
};
