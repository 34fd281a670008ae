#include "engine/graphics/simHeirachyNode.h"

#include <cfloat>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTextureLayer.h"

simHeirachyNode::simHeirachyNode(const geoFileNode& record, simGeometry* geometry_, simHeirachyNode* parent_,
                                 bool sortChildren)
    : name(record.name),
      kind(kindByName(record.name, record.kind)),
      geometry(geometry_),
      parent(parent_),
      box(simGeometry::toBox(record.box)) {
    layers.reserve(record.layers.size());
    for (const geoFileLayer& layer : record.layers) {
        layers.push_back(new simTextureLayer(layer, geometry, this, kind, name));
    }
    for (const geoFileNode& child : record.children) new simHeirachyNode(child, geometry, this, sortChildren);
    if (sortChildren) sortByHeight(children);
    if (parent) {
        parent->children.push_back(this);
    } else if (geometry) {
        geometry->addRoot(this);
    }
}

simHeirachyNode::~simHeirachyNode() {
    for (simTextureLayer* layer : layers) delete layer;
    layers.clear();
    // Each child takes itself out of this list as it goes.
    while (!children.empty()) delete children.front();
    if (parent) {
        parent->children.remove(this);
    } else if (geometry) {
        geometry->removeRoot(this);
    }
}

uint32_t simHeirachyNode::kindByName(const std::string& name, uint32_t fileKind) {
    uint32_t kind = fileKind;
    if (name.find("__col") != std::string::npos) kind = 3;
    if (name.find("__shad") != std::string::npos) kind = 4;
    if (name.find("__helper") != std::string::npos) kind = 5;
    return kind;
}

void simHeirachyNode::sortByHeight(std::list<simHeirachyNode*>& nodes) {
    // A stable sort gives what moving each lower node in front of a higher
    // predecessor until none is left gives, in O(n log n). Tops that are not
    // a number count as lowest, so that the order stays a strict one.
    auto top = [](const simHeirachyNode* node) {
        const float y = node->box.max.y;
        return y == y ? y : -FLT_MAX;
    };
    nodes.sort([&](const simHeirachyNode* a, const simHeirachyNode* b) { return top(a) < top(b); });
}

void simHeirachyNode::renderTree(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                                 simTexture* texture) {
    renderInDrawOrder([&](simTextureLayer::Pass pass) { renderLayers(world, colour, effect, texture, pass); });
}

void simHeirachyNode::renderLayers(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                                   simTexture* texture, simTextureLayer::Pass pass) {
    for (simHeirachyNode* child : children) child->renderLayers(world, colour, effect, texture, pass);
    if (kind == 3 || kind == 4 || kind == 5) return;
    const bool seeThrough = pass == simTextureLayer::Pass::seeThrough;
    for (simTextureLayer* layer : layers)
        if (layer->isSeeThrough() == seeThrough) layer->render(world, colour, effect, texture);
}

void simHeirachyNode::renderInDrawOrder(const std::function<void(simTextureLayer::Pass)>& drawPass) {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state) return;
    const simStateValue depthWrites = state->getState(simRenderState_zWrite);
    const simStateValue blending = state->getState(simRenderState_alphaBlend);
    drawPass(simTextureLayer::Pass::opaque);
    state->setState(simRenderState_zWrite, 0);
    drawPass(simTextureLayer::Pass::seeThrough);
    state->setState(simRenderState_zWrite, depthWrites);
    state->setState(simRenderState_alphaBlend, blending);
}
