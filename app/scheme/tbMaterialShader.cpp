// The material's part in drawing the model: its shader parameters and fixed states.
#include <algorithm>
#include <cmath>

#include "app/scheme/tbMaterial.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simShaderEffectCompiled.h"

void tbMaterial::applyShaderParameters() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state) return;
    auto* effect = dynamic_cast<const simShaderEffect*>(state->getStateObject(simRenderState_shaderEffect));
    if (simShaderEffectCompiled* compiled = effect ? effect->getEffect() : nullptr) {
        auto setColour = [compiled](const char* name, simColour& colour) {
            colour.refreshFloats();
            const float values[4] = {colour.redF, colour.greenF, colour.blueF, colour.alphaF};
            compiled->setFloatArray(name, values, 4);
        };
        setColour("shader_material_diffuse", diffuse);
        setColour("shader_material_ambient", ambient);
        setColour("shader_material_specular", specular);
        compiled->setFloat("shader_material_transparency", 1.0f - transparency);
        compiled->setFloat("shader_material_eccentricity", eccentricity);
        compiled->setFloat("shader_material_reflectivity", reflectivity);
    }
    // The texture factor is a byte: a reflectivity past 0..1 in a file must
    // not wrap into another factor.
    const float scaled = std::trunc(reflectivity * 255.0f);
    const int32_t factor = std::isfinite(scaled) ? int32_t(std::clamp(scaled, 0.0f, 255.0f)) : 0;
    state->setState(simRenderState_stage1Blend, factor != 0 ? 1 : 0);
    state->setState(simRenderState_blendFactorAlpha, factor);
    if (value2 > 0.0f) state->setState(simRenderState_backfaceCullMode, 1);
    if (transparency > 0.0f) state->setState(simRenderState_alphaBlend, 1);
}
