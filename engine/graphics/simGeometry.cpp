#include "engine/graphics/simGeometry.h"

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsErrors.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simHeirachyNode.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simOptreeNode.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simVertexBuffer.h"

namespace {

// The whole file, or false when it cannot be opened or read. The bytes are
// read straight into memory that nothing initialises first.
bool readWholeFile(const std::string& path, std::unique_ptr<uint8_t[]>& bytes, size_t& size) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        size = static_cast<size_t>(length);
        bytes = std::make_unique_for_overwrite<uint8_t[]>(size);
        ok = std::fread(bytes.get(), 1, size, file) == size;
    }
    std::fclose(file);
    return ok;
}

bool statusGood() { return !g_application || g_application->getStatusSuccess(); }

}  // namespace

simBoundingBox simGeometry::toBox(const geoFileBox& record) {
    simBoundingBox box;
    box.min = record.min;
    box.max = record.max;
    if (box.isEmpty()) box.reset();
    box.update();
    return box;
}

simGeometry::simGeometry(simCollectionItem* collection, std::string path, std::string optionWords)
    : simResource(collection, path, optionWords) {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    if (!readWholeFile(path, bytes, size)) {
        utils::seriousError("simGeometry- file handle not opened (" + path + ")");
        return;
    }
    // The vertices stay in the file's bytes until they are decoded into the
    // vertex buffer, so that they are copied once.
    geoFileData data;
    geoFileVertexRun vertices;
    std::string reason;
    if (!readGeoFile(bytes.get(), size, data, reason, &vertices)) {
        const std::string name = utils::getFileName(path);
        simLog("ERROR: simGeometry - " + path + ": " + reason + "\n");
        if (g_application)
            g_application->setStatus(false, "Error loading geometry - " + name + " is damaged (" + reason + ")");
        return;
    }
    build(data, vertices);
}

void simGeometry::build(const geoFileData& data, const geoFileVertexRun& vertices) {
    const std::string& options = getOptionWords();
    const bool managed = options.find("managedResourcePool") != std::string::npos;
    m_headerWordA = data.headerWordA;
    m_headerWordB = data.headerWordB;
    m_triangleCount = data.triangleCount;
    m_box = toBox(data.box);

    for (const geoFileMaterial& record : data.materials) {
        auto* material = new simMaterial(this, record, options);
        if (!statusGood()) {
            // A material that failed never joined the list.
            delete material;
            return;
        }
    }

    m_triangleCount = 0;
    if (vertices.count > 0) loadVertices(vertices, managed);

    const bool sort = options.find("sortNodeHeight") != std::string::npos;
    for (const geoFileNode& record : data.roots) new simHeirachyNode(record, this, nullptr, sort);
    if (sort) simHeirachyNode::sortByHeight(m_roots);
    indexNodes();

    if (g_application) g_application->setStatus(true, "success");
}

void simGeometry::loadVertices(const geoFileVertexRun& vertices, bool managed) {
    const int32_t count = vertices.count;
    m_vertexBuffer = new simVertexBuffer(count, sizeof(simVertex), simVertex::kFormat, true, managed);
    void* memory = m_vertexBuffer->lock(simVertexBuffer::lockPlain, 0, -1);
    if (!memory) {
        // The buffer has reported why; a model whose vertices could not be
        // written draws nothing rather than whatever the buffer held.
        delete m_vertexBuffer;
        m_vertexBuffer = nullptr;
        return;
    }
    // One pass copies the vertices and finds their extremes; growing the box
    // by those gives the box that growing by every position would, without
    // recomputing corners and sphere per vertex.
    // The run is copied so that writing the buffer cannot be taken to change it.
    const geoFileVertexRun run = vertices;
    auto* out = static_cast<uint8_t*>(memory);
    float loX = FLT_MAX, loY = FLT_MAX, loZ = FLT_MAX, hiX = -FLT_MAX, hiY = -FLT_MAX, hiZ = -FLT_MAX;
    for (int32_t i = 0; i < count; ++i) {
        run.copyTo(i, out + size_t(i) * sizeof(simVertex));
        const float x = run.coordinate(i, 0), y = run.coordinate(i, 1), z = run.coordinate(i, 2);
        loX = std::min(loX, x);
        loY = std::min(loY, y);
        loZ = std::min(loZ, z);
        hiX = std::max(hiX, x);
        hiY = std::max(hiY, y);
        hiZ = std::max(hiZ, z);
    }
    m_vertexBuffer->unlock();
    m_box.growByPoint(d3dx::Vector3(loX, loY, loZ));
    m_box.growByPoint(d3dx::Vector3(hiX, hiY, hiZ));
    m_triangleCount += static_cast<uint32_t>(count / 3);
}

void simGeometry::indexNodes() {
    m_allNodes.clear();
    for (simHeirachyNode* root : m_roots) indexNode(root);
}

void simGeometry::indexNode(simHeirachyNode* node) {
    node->index = static_cast<uint32_t>(m_allNodes.size());
    m_allNodes.push_back(node);
    for (simHeirachyNode* child : node->children) indexNode(child);
}

simGeometry::~simGeometry() {
    while (!m_materials.empty()) delete m_materials.back();
    while (!m_roots.empty()) delete m_roots.front();
    delete m_vertexBuffer;
    m_vertexBuffer = nullptr;
    m_allNodes.clear();
    m_allBatches.clear();
}

void simGeometry::removeMaterial(simMaterial* material) {
    std::erase(m_materials, material);
}

simMaterial* simGeometry::getMaterial(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_materials.size()) return nullptr;
    return m_materials[static_cast<size_t>(index)];
}

void simGeometry::render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect,
                         simTexture* texture) {
    if (!m_vertexBuffer) return;
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer || !renderer->getState()) return;
    renderer->getState()->setState(simRenderState_vertexBuffer, m_vertexBuffer);
    // Opaque layers of every root before the see-through layers of any.
    simHeirachyNode::renderInDrawOrder([&](simTextureLayer::Pass pass) {
        for (simHeirachyNode* root : m_roots) root->renderLayers(world, colour, effect, texture, pass);
    });
}

simResource* simGeometry::load(simCollectionItem* collection, const std::string& path,
                               const std::string& optionWords) {
    return new simGeometry(collection, path, optionWords);
}

void simGeometry::registerLoader() {
    if (g_resources) g_resources->registerLoader("geo", &simGeometry::load);
}
