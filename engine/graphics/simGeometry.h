// simGeometry: a model loaded from a .geo file, and how it draws.
//
// The resource registry makes one for every file with the extension "geo".
// The whole file is read into memory once and checked completely by the
// file codec (geoFile.h) before anything is built; the records then become
// the model's materials (simMaterial), one vertex buffer holding the
// triangle list, and a tree of named nodes (simHeirachyNode) whose texture
// layers (simTextureLayer) cut the vertex list into batches (simOptreeNode).
//
// Option words (the request's third text): "managedResourcePool" puts the
// vertex buffer in the managed pool; "sortNodeHeight" sorts each list of
// sibling nodes by the top of their boxes, lowest first.
//
// Failures, each leaving what was built so far:
//  - a file that cannot be opened: the serious error
//    "simGeometry- file handle not opened (<path>)", an empty model;
//  - a malformed file (short, a count larger than the file, a batch outside
//    the vertices, nodes nested too deep): the application status fails with
//    "Error loading geometry - <file name> is damaged (<reason>)", logged,
//    and the model stays empty;
//  - a texture found nowhere: the status fails with the texture message of
//    simMaterial and the load stops after the materials read before it.
// A load that fails through the status is let go by the registry.
//
// Lifetime: the geometry owns its materials, nodes (and with them layers and
// batches) and vertex buffer; the textures belong to the registry, held by
// the geometry as their requesting collection.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simResource.h"
#include "engine/graphics/geoFile.h"

class simColour;
class simHeirachyNode;
class simMaterial;
class simOptreeNode;
class simShaderEffect;
class simTexture;
class simVertexBuffer;

namespace d3dx {
struct Matrix;
}

class simGeometry : public simResource {
public:
    // Loads the file at `path` (see above).
    simGeometry(simCollectionItem* collection, std::string path, std::string optionWords);
    // Deletes the materials, the node tree and the vertex buffer.
    ~simGeometry() override;

    std::string getTypeName() override { return "simGeometry"; }

    // Draws the model: nothing without a vertex buffer; otherwise the buffer
    // becomes the current one and every root's tree is drawn in order. Each
    // argument may be null: identity, white, fixed-function drawing, the
    // materials' own textures.
    virtual void render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                        simTexture* texture);

    // The index-th material, or null when the index is not below the count.
    simMaterial* getMaterial(int32_t index) const;

    simVertexBuffer* getVertexBuffer() const { return m_vertexBuffer; }
    const simBoundingBox& getBoundingBox() const { return m_box; }
    const std::vector<simMaterial*>& getMaterials() const { return m_materials; }
    const std::list<simHeirachyNode*>& getRootNodes() const { return m_roots; }
    // Every node, depth-first pre-order; node->index is its position here.
    const std::vector<simHeirachyNode*>& getAllNodes() const { return m_allNodes; }
    // Every batch kept, in file order.
    const std::vector<simOptreeNode*>& getAllBatches() const { return m_allBatches; }
    uint32_t getHeaderWordA() const { return m_headerWordA; }
    uint32_t getHeaderWordB() const { return m_headerWordB; }
    // Triangles read (vertices / 3); 0 until the vertices are loaded.
    uint32_t getTriangleCount() const { return m_triangleCount; }

    // ---- Kept by the parts while they are built and destroyed.
    void addMaterial(simMaterial* material) { m_materials.push_back(material); }
    void removeMaterial(simMaterial* material);
    void addRoot(simHeirachyNode* node) { m_roots.push_back(node); }
    void removeRoot(simHeirachyNode* node) { m_roots.remove(node); }
    void addBatch(simOptreeNode* batch) { m_allBatches.push_back(batch); }

    // A file box as the engine's box (an empty file box, min above max,
    // becomes the empty box).
    static simBoundingBox toBox(const geoFileBox& box);

    // The loader the registry calls for "geo" files, and its registration
    // (nothing while there is no registry).
    static simResource* load(simCollectionItem* collection, const std::string& path, const std::string& optionWords);
    static void registerLoader();

private:
    void build(const geoFileData& data, const geoFileVertexRun& vertices);
    void loadVertices(const geoFileVertexRun& vertices, bool managed);
    void indexNodes();
    void indexNode(simHeirachyNode* node);

    simVertexBuffer* m_vertexBuffer = nullptr;
    simBoundingBox m_box;
    std::vector<simMaterial*> m_materials;
    std::list<simHeirachyNode*> m_roots;
    std::vector<simHeirachyNode*> m_allNodes;
    std::vector<simOptreeNode*> m_allBatches;
    uint32_t m_headerWordA = 0;
    uint32_t m_headerWordB = 0;
    uint32_t m_triangleCount = 0;
};
