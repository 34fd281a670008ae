// simHeirachyNode: one named node of a loaded model's tree.
//
// A node has a kind (0 drawn; 3 collision, 4 shadow, 5 helper and any other
// value not drawn), a box, texture layers and child nodes. The name decides
// the kind over the file: a name holding "__col", "__shad" or "__helper"
// makes kind 3, 4 or 5 (the last of them found wins), so that collision,
// shadow and helper shapes are never drawn whatever the file says.
//
// Ownership: a node owns its layers and its children. It appends itself to
// its parent's children (or to the geometry's roots) once its subtree is
// built, and takes itself out again when it is deleted.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/graphics/geoFile.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simTextureLayer.h"

class simGeometry;
class simTexture;

class simHeirachyNode : public simRenderableObject {
public:
    // Builds the node of one file record with its layers and its subtree;
    // with `sortChildren` each node's children are sorted by height.
    simHeirachyNode(const geoFileNode& record, simGeometry* geometry, simHeirachyNode* parent, bool sortChildren);
    // Deletes the layers and the children, then leaves the parent's list
    // (or the geometry's roots).
    ~simHeirachyNode() override;

    simHeirachyNode(const simHeirachyNode&) = delete;
    simHeirachyNode& operator=(const simHeirachyNode&) = delete;

    bool canRender() const override { return false; }
    // Nodes draw through renderTree.
    void render(const d3dx::Matrix*, const simColour*, simShaderEffect*) override {}
    simBoundingBox* getBoundingBox() override { return &box; }
    // The children's trees first, then, unless the node is a collision,
    // shadow or helper node (kinds 3 to 5), every layer: the opaque layers of
    // the whole subtree, then its see-through ones (see renderInDrawOrder).
    virtual void renderTree(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                            simTexture* texture);
    // The layers of the subtree that are drawn in `pass`, in tree order.
    void renderLayers(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                      simTexture* texture, simTextureLayer::Pass pass);
    // Calls `drawPass` for the opaque layers, then for the see-through ones
    // with depth writes off, so that a canopy blends over the fuselage behind
    // it and hides nothing drawn after it; depth writes and alpha blending
    // are then put back as they were.
    static void renderInDrawOrder(const std::function<void(simTextureLayer::Pass)>& drawPass);

    // The kind a node of this name gets: `fileKind`, or 3, 4 or 5 when the
    // name holds "__col", "__shad" or "__helper" (tested in that order, the
    // last hit wins).
    static uint32_t kindByName(const std::string& name, uint32_t fileKind);
    // Sorts nodes by the top of their boxes (max y), lowest first; nodes of
    // equal height keep their order, and a top that is not a number sorts first.
    static void sortByHeight(std::list<simHeirachyNode*>& nodes);

    std::string name;
    uint32_t kind;
    simGeometry* geometry;
    simHeirachyNode* parent;
    simBoundingBox box;
    std::list<simHeirachyNode*> children;  // owned
    std::vector<simTextureLayer*> layers;  // owned
    uint32_t index = 0;  // position in the geometry's all-nodes list
};
