#include "engine/graphics/simTextureLayer.h"

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simOptreeNode.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"

simTextureLayer::simTextureLayer(const geoFileLayer& record, simGeometry* geometry_, simHeirachyNode* node_,
                                 uint32_t nodeKind_, const std::string&)
    : box(simGeometry::toBox(record.box)),
      nodeKind(nodeKind_),
      geometry(geometry_),
      node(node_),
      keptBytes(record.keptBytes),
      material(geometry_ ? geometry_->getMaterial(record.materialIndex) : nullptr),
      materialIndex(record.materialIndex) {
    batches.reserve(record.batches.size());
    for (const geoFileBatch& batch : record.batches) {
        if (batch.endVertex == batch.firstVertex) continue;
        auto* kept = new simOptreeNode(simGeometry::toBox(batch.box), this, batch.firstVertex, batch.endVertex);
        batches.push_back(kept);
        if (geometry) geometry->addBatch(kept);
    }
}

simTextureLayer::~simTextureLayer() {
    for (simOptreeNode* batch : batches) delete batch;
}

void simTextureLayer::render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                             simTexture* texture) {
    if (material) material->apply();
    if (effect) {
        simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
        if (renderer && renderer->getState()) renderer->getState()->setState(simRenderState_shaderEffect, effect);
    }
    if (texture) texture->bind(0);
    for (simOptreeNode* batch : batches) batch->render(world, colour, effect);
}

bool simTextureLayer::isSeeThrough() const { return material && material->transparency > 0.0f; }
