// tbMaterial: one material of the model being painted.
//
// Imported from the .geo file's material or read back from a project. The
// paint material shows the model's paint texture; every other material
// shows the texture it was imported with (or none). The colours are the
// engine's colour record: four integers 0..255 and their float copy, which
// is what the project file stores (32 bytes each).
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simColour.h"

class simTexture;
class tbGeometry;
struct geoFileMaterial;

class tbMaterial {
public:
    // All four colours (255, 255, 255, 255), the values 0, no texture.
    tbMaterial(tbGeometry* owner, uint32_t index);

    uint32_t index;  // position in the model's material list
    simColour diffuse, specular, fourthColour, ambient;
    float transparency = 0.0f;  // the effect receives 1 - transparency
    float value2 = 0.0f;        // above 0: clockwise faces are culled
    float value3 = 0.0f;        // stored only
    float reflectivity = 0.0f;
    float value5 = 0.0f;  // stored only
    float eccentricity = 0.0f;
    std::string textureName;        // the texture's file path as imported
    simTexture* texture = nullptr;  // a loaded resource or the paint texture; not owned
    tbGeometry* owner;
    uint8_t paintFlag = 0;  // 1: the texture is the paint texture

    // The colours (0..1 each, times 255, truncated, alpha 255, clamped) and
    // values of a .geo material. Textures are the model's business.
    void setFromGeo(const geoFileMaterial& source);

    // Hands the colours and values to the current effect (when there is one)
    // and sets the material's fixed states: the texture factor from the
    // reflectivity, culling of clockwise faces and alpha blending, the last
    // two only ever switched on here (tbMaterialShader.cpp).
    void applyShaderParameters();
};
