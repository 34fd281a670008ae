// tbGeometry::import: a simulator model (.geo) becomes the paintable model.
#include <string>

#include "app/shell/tbErrorBox.h"
#include "app/shell/tbFileBytes.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureCoordinate.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/geoFile.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kImportTitle = "Error importing geometry";
constexpr const char* kUnreadable = "The geometry file appears to be invalid, or has been deleted.";
constexpr const char* kNoPaintMaterial =
    "The model has no paintable texture: none of its textures is named after the model file.";
constexpr const char* kNoSurface =
    "The texture surface could not be created.\nYou may not have enough video memory, or you may need to "
    "update your video-card drivers.";
constexpr const char* kTextureOptions = "noCompression | noMipmaps | managedResourcePool";
// The largest model file read into memory; the simulator's models are a few megabytes.
constexpr uint64_t kMaxGeoBytes = 1ull << 30;

std::string bareName(const std::string& path) { return utils::stripExtension(utils::getFileName(path)); }

void importBox(simBoundingBox& box, const geoFileBox& from) {
    box.reset();
    box.growByPoint(from.min);
    box.growByPoint(from.max);
}

std::unique_ptr<tbGeometryObject> importObject(tbGeometry& model, const geoFileNode& node) {
    auto object = std::make_unique<tbGeometryObject>(&model);
    object->name = node.name;
    object->kind = tbGeometryObject::kindForName(node.name, node.kind);
    importBox(object->box, node.box);
    // Every batch of a layer is a mesh part of its own with the layer's
    // material, so each one is drawn, picked and painted as the engine draws it.
    for (const geoFileLayer& layer : node.layers) {
        tbMaterial* material = model.getMaterial(layer.materialIndex);
        for (const geoFileBatch& batch : layer.batches) {
            if (batch.endVertex <= batch.firstVertex) continue;
            auto part = std::make_unique<tbMeshPart>(object.get());
            importBox(part->box, layer.box);
            part->material = material;
            part->texture = material ? material->texture : nullptr;
            part->firstVertex = uint32_t(batch.firstVertex);
            part->endVertex = uint32_t(batch.endVertex);
            if (part->texture && part->texture->getName().find("rotorDisk") != std::string::npos)
                object->kind = tbGeometryObject::kHelper;
            object->meshParts.push_back(std::move(part));
        }
    }
    // The reader has already refused trees nested deeper than it allows.
    for (const geoFileNode& child : node.children) object->children.push_back(importObject(model, child));
    return object;
}

}  // namespace

bool tbGeometry::isPaintTextureName(const std::string& texturePath, const std::string& modelPath) {
    return bareName(texturePath).find(bareName(modelPath)) != std::string::npos;
}

simTexture* tbGeometry::findModelTexture(const std::string& path) {
    if (!g_resources || path == "none") return nullptr;
    if (!g_resources->findResource(nullptr, "textures", path, kTextureOptions, false, true, simRootKind_resources))
        g_resources->findResource(nullptr, "", path, kTextureOptions, false, true, simRootKind_resources);
    return dynamic_cast<simTexture*>(simResources::getResource(utils::getFileName(path), false));
}

bool tbGeometry::import(std::string path) {
    simLog("[tbGeometry::import: " + path + " - ");
    std::vector<uint8_t> bytes;
    geoFileData geo;
    std::string reason = "cannot be read";
    if (!tbReadWholeFile(path, bytes, kMaxGeoBytes) || !readGeoFile(bytes.data(), bytes.size(), geo, reason, geoVertexReading::everyVertex)) {
        simLog(path + ": " + reason + "\n");
        tbErrorBox(kImportTitle, kUnreadable);
        return false;
    }
    return importData(geo, path);
}

bool tbGeometry::importData(const geoFileData& geo, const std::string& path) {
    clear();
    m_modelPath = path;
    // A model none of whose textures is the paint texture could be neither
    // painted nor saved in a form that opens again: refuse it here.
    bool hasPaintMaterial = false;
    for (const geoFileMaterial& m : geo.materials)
        for (const std::string& t : m.textures) hasPaintMaterial |= isPaintTextureName(t, path);
    if (!hasPaintMaterial) {
        tbErrorBox(kImportTitle, kNoPaintMaterial);
        return false;
    }

    simLog("header...");
    importBox(box, geo.box);
    progress(5);

    simLog("materials...(" + std::to_string(geo.materials.size()) + ")...\n");
    if (!importMaterials(geo)) {
        clear();
        return false;
    }
    progress(10);

    simLog("vertex buffer...(" + std::to_string(geo.vertices.size()) + ")...\n");
    vertices.reserve(geo.vertices.size());
    for (const simVertex& v : geo.vertices) {
        simVertex vertex = v;
        vertex.uv[0].x = tbTextureCoordinate::normalise(vertex.uv[0].x);
        vertex.uv[0].y = tbTextureCoordinate::normalise(vertex.uv[0].y);
        box.growByPoint(vertex.position);
        vertices.push_back(vertex);
    }
    progress(20);

    simLog("sub objects...(" + std::to_string(geo.roots.size()) + ")...\n");
    for (const geoFileNode& node : geo.roots) roots.push_back(importObject(*this, node));
    progress(40);

    buildTriangles();
    progress(95);
    if (g_resources) g_resources->setCollection("");
    updateTriangleScreenPositions();
    stopwatch.reset();
    stopwatch.start();
    simLog("-tbGeometry::import]\n");
    return true;
}

bool tbGeometry::importMaterials(const geoFileData& geo) {
    for (const geoFileMaterial& source : geo.materials) {
        auto material = std::make_unique<tbMaterial>(this, uint32_t(materials.size()));
        // Each texture replaces the one before; the last whose name is the
        // model's leaves the material showing the paint texture.
        for (const std::string& path : source.textures) {
            material->textureName = path;
            material->texture = findModelTexture(path);
            if (isPaintTextureName(path, m_modelPath)) {
                material->texture = createTextureMap(path);
                if (!material->texture) {
                    tbErrorBox(kImportTitle, kNoSurface);
                    if (g_application) g_application->setStatus(false, "the paint texture could not be made");
                    return false;
                }
                material->paintFlag = 1;
            }
        }
        material->setFromGeo(source);
        materials.push_back(std::move(material));
    }
    return true;
}
