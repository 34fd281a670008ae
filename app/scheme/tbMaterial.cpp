#include "app/scheme/tbMaterial.h"

#include <array>
#include <cmath>
#include <limits>

#include "engine/graphics/geoFile.h"

namespace {

// The file's 0..1 component times 255, truncated; huge and non-finite
// values saturate instead of overflowing the integer.
int componentOf(float value) {
    const float scaled = value * 255.0f;
    if (std::isnan(scaled)) return 0;
    if (scaled >= 255.0f) return 255;
    if (scaled <= 0.0f) return 0;
    return static_cast<int>(scaled);
}

void setColour(simColour& colour, const std::array<float, 3>& rgb) {
    colour.set(255, componentOf(rgb[0]), componentOf(rgb[1]), componentOf(rgb[2]));
}

}  // namespace

tbMaterial::tbMaterial(tbGeometry* owner_, uint32_t index_) : index(index_), owner(owner_) {
    for (simColour* c : {&diffuse, &specular, &fourthColour, &ambient}) c->set(255, 255, 255, 255);
}

void tbMaterial::setFromGeo(const geoFileMaterial& source) {
    // The .geo file's colours in its order: diffuse, fourth, ambient, specular.
    setColour(diffuse, source.diffuse);
    setColour(fourthColour, source.emissive);
    setColour(ambient, source.ambient);
    setColour(specular, source.specular);
    // Its six values in its order: value 2, transparency, value 3, value 5,
    // eccentricity, reflectivity.
    value2 = source.incandescance;
    transparency = source.transparency;
    value3 = source.glow;
    value5 = source.specularRolloff;
    eccentricity = source.eccentricity;
    reflectivity = source.reflectivity;
}
