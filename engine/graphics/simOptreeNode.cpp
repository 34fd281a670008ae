#include "engine/graphics/simOptreeNode.h"

#include <cstdlib>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTextureLayer.h"
#include "engine/graphics/simVertexBuffer.h"

simOptreeNode::simOptreeNode(const simBoundingBox& box_, simTextureLayer* layer_, int32_t firstVertex_,
                             int32_t endVertex_)
    : box(box_), layer(layer_), firstVertex(firstVertex_), endVertex(endVertex_) {}

int32_t simOptreeNode::triangleCount() const {
    return static_cast<int32_t>(std::llabs(int64_t(endVertex) - int64_t(firstVertex)) / 3);
}

void simOptreeNode::render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect) {
    if (endVertex == firstVertex || !layer || layer->nodeKind != 0) return;
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state) return;
    // A batch of one or two vertices holds no triangle: drawing it would be
    // refused as a bad call every frame.
    if (triangleCount() == 0) return;

    simVertexBuffer* buffer = layer->geometry ? layer->geometry->getVertexBuffer() : nullptr;
    if (buffer && state->getStateObject(simRenderState_vertexBuffer) != buffer) {
        state->setState(simRenderState_vertexBuffer, buffer);
    }
    renderer->setTransform(1, world);

    if (effect) {
        simColour shaderColour;
        if (colour) {
            shaderColour = *colour;
        } else {
            shaderColour.set(255, 255, 255, 255);
        }
        shaderColour.refreshFloats();
        const float values[4] = {shaderColour.redF, shaderColour.greenF, shaderColour.blueF, shaderColour.alphaF};
        if (simShaderEffectCompiled* compiled = effect->getEffect()) {
            compiled->setFloatArray("shader_geometry_colour", values, 4);
        }
        const simStateValue blendAlpha = state->getState(simRenderState_blendFactorAlpha);
        state->setState(simRenderState_stage1Blend, blendAlpha > 0 ? 1 : 0);
        state->setState(simRenderState_blendFactorAlpha, blendAlpha > 0 ? blendAlpha : 0);
        const bool loaded = effect->getEffect() != nullptr;
        if (loaded) effect->begin();
        const uint32_t passes = effect->getPassCount();
        for (uint32_t pass = 0; pass < passes; ++pass) {
            if (loaded) effect->beginPass(pass);
            draw();
            if (loaded) effect->endPass();
        }
        if (loaded) effect->end();
        return;
    }

    const bool blended = colour && colour->alpha >= 1 && colour->alpha <= 254;
    if (blended) {
        state->setState(simRenderState_stage1Blend, 2);
        state->setState(simRenderState_blendFactorAlpha, colour->alpha);
    }
    draw();
    if (blended) state->setState(simRenderState_stage1Blend, 0);
}

void simOptreeNode::draw() {
    simVertexBuffer* buffer = layer->geometry ? layer->geometry->getVertexBuffer() : nullptr;
    if (!buffer) return;
    buffer->render(gfx::D3DPT_TRIANGLELIST, false, triangleCount(), std::min(firstVertex, endVertex));
}
