// simTextureLayer: the part of a model node drawn with one material.
//
// A layer belongs to one node, names one of the model's materials (none
// when the file's index is out of range: its batches then draw with
// whatever material the renderer holds) and owns the batches that cut the
// model's vertex list. The layer keeps its node's kind, so that its batches
// can tell whether they are drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/graphics/geoFile.h"

class simColour;
class simGeometry;
class simHeirachyNode;
class simMaterial;
class simOptreeNode;
class simShaderEffect;
class simTexture;

namespace d3dx {
struct Matrix;
}

class simTextureLayer {
public:
    // Builds the layer of one file record: its material by index, and its
    // batches, each appended to the geometry's all-batches list too; a batch
    // whose end equals its first vertex is dropped.
    simTextureLayer(const geoFileLayer& record, simGeometry* geometry, simHeirachyNode* node, uint32_t nodeKind,
                    const std::string& nodeName);
    // Deletes the batches.
    virtual ~simTextureLayer();

    simTextureLayer(const simTextureLayer&) = delete;
    simTextureLayer& operator=(const simTextureLayer&) = delete;

    // Applies the material (when there is one), makes the effect current
    // (when one is given), binds `texture` in slot 0 over the material's
    // (when one is given), then draws every batch.
    virtual void render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                        simTexture* texture);

    // A model draws its opaque layers first and its see-through ones after
    // them (simHeirachyNode::renderInDrawOrder).
    enum class Pass { opaque, seeThrough };
    // See-through: the material is transparent. A texture's alpha does not
    // count: every 32-bit image loads as having alpha, a painted skin
    // included, and the alpha test already drops its clear texels. A layer
    // without a material draws with the opaque ones.
    bool isSeeThrough() const;

    simBoundingBox box;
    uint32_t nodeKind;
    simGeometry* geometry;
    simHeirachyNode* node;
    std::array<uint8_t, 10> keptBytes;
    simMaterial* material;  // not owned; null when the index is out of range
    int32_t materialIndex;
    std::vector<simOptreeNode*> batches;  // owned
};
