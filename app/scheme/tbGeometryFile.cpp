// tbGeometry::save and tbGeometry::open: the model to and from the geometry
// block of a project file.
#include <string>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_text.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbProjectFile.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kOpenTitle = "Error opening project";
constexpr const char* kNoSurface =
    "The texture surface could not be created.\nYou may not have enough video memory, or you may need to "
    "update your video-card drivers.";

tbFileBox fileBox(const simBoundingBox& b) { return {b.min, b.max}; }
void setBox(simBoundingBox& b, const tbFileBox& f) {
    b.reset();
    b.growByPoint(f.min);
    b.growByPoint(f.max);
}

std::vector<uint32_t> indicesOf(const std::vector<tbTriangle*>& list) {
    std::vector<uint32_t> out;
    out.reserve(list.size());
    for (const tbTriangle* t : list) out.push_back(t->index);
    return out;
}

tbFileObject saveObject(const tbGeometryObject& o, const tbGeometry& model) {
    tbFileObject out;
    out.name = o.name;
    out.kind = o.kind;
    out.enabled = o.enabled;
    out.visible = o.visible;
    out.box = fileBox(o.box);
    for (const auto& child : o.children) out.children.push_back(saveObject(*child, model));
    for (const auto& part : o.meshParts) {
        tbFileMeshPart p;
        p.box = fileBox(part->box);
        p.firstVertex = part->firstVertex;
        p.endVertex = part->endVertex;
        // A part without a material says so, instead of naming material 0.
        p.material = part->material ? part->material->index : tbFileMeshPart::kNoMaterial;
        p.textureName = part->texture ? part->texture->getName() : "NULL";
        out.meshParts.push_back(p);
    }
    return out;
}

std::unique_ptr<tbGeometryObject> openObject(const tbFileObject& in, tbGeometry& model) {
    auto o = std::make_unique<tbGeometryObject>(&model);
    o->name = in.name;
    o->kind = in.kind;
    o->enabled = in.enabled;
    o->visible = in.visible;
    setBox(o->box, in.box);
    for (const tbFileObject& child : in.children) o->children.push_back(openObject(child, model));
    for (const tbFileMeshPart& p : in.meshParts) {
        auto part = std::make_unique<tbMeshPart>(o.get());
        setBox(part->box, p.box);
        part->firstVertex = p.firstVertex;
        part->endVertex = p.endVertex;
        part->material = model.getMaterial(p.material == tbFileMeshPart::kNoMaterial ? -1 : int64_t(p.material));
        part->texture = part->material ? part->material->texture : nullptr;
        o->meshParts.push_back(std::move(part));
    }
    return o;
}

}  // namespace

bool tbGeometry::save(tbFileGeometry& out) const {
    simLog("[tbGeometry::save-");
    if (!m_textureMap) return false;
    out = tbFileGeometry{};
    out.box = fileBox(box);
    simLog("texture map...\n");
    out.texture.width = m_textureMap->getWidth();
    out.texture.height = m_textureMap->getHeight();
    if (!m_textureMap->save(out.texture.bmp)) return false;

    simLog("materials...\n");
    for (const auto& m : materials) {
        tbFileMaterial f;
        f.index = m->index;
        f.textureName = m->textureName;
        f.paintFlag = m->paintFlag;
        f.ambient = m->ambient;
        f.diffuse = m->diffuse;
        f.specular = m->specular;
        f.fourthColour = m->fourthColour;
        f.transparency = m->transparency;
        f.value2 = m->value2;
        f.value3 = m->value3;
        f.reflectivity = m->reflectivity;
        f.value5 = m->value5;
        f.eccentricity = m->eccentricity;
        out.materials.push_back(f);
    }

    simLog("vertex list...\n");
    out.vertices = vertices;

    simLog("triangles...\n");
    out.triangles.reserve(triangles.size());
    for (const auto& t : triangles) {
        tbFileTriangle f;
        f.index = t->index;
        f.centre = t->centre;
        f.radius = t->radius;
        f.faceNormal = t->faceNormal;
        for (int i = 0; i < 3; ++i) {
            f.vertexIndices[i] = t->vertexIndices[i];
            f.positions[i] = t->positions[i];
            f.normals[i] = t->normals[i];
            f.uvs[i] = t->uvs[i];
            f.screenCorners[i] = t->screenCorners[i];
            f.screenDepths[i] = t->screenDepths[i];
            f.edgeFlags[i] = t->edgeFlags[i];
            for (const tbTriangle::CornerRef& c : t->cornerLists[i]) f.cornerLists[i].push_back({c.triangle->index, c.corner});
        }
        f.edgeNeighbours = indicesOf(t->edgeNeighbours);
        f.cornerNeighbours = indicesOf(t->cornerNeighbours);
        f.textureNeighbours = indicesOf(t->textureNeighbours);
        out.triangles.push_back(std::move(f));
    }

    simLog("objects...\n");
    for (const auto& o : roots) out.objects.push_back(saveObject(*o, *this));

    simLog("settings...\n");
    out.settings = toolSettings;
    out.settings.shapeOutline = m_shapeTool->points();
    m_projectImageTool->storePlacements(out.settings.projection);
    // The view the project was left in comes back with it.
    if (const tbToolState* state = toolsIfAny()) out.settings.viewMode = uint32_t(state->viewMode());
    out.settings.uvMode = selection.mode;
    out.settings.selectedFaces.clear();
    out.settings.selectedCorners.clear();
    if (selection.mode == tbUVSelection::kFaces)
        for (const tbTriangle* t : selection.faces) out.settings.selectedFaces.push_back(t->index);
    if (selection.mode == tbUVSelection::kPoints)
        for (const tbTriangle::CornerRef& p : selection.points)
            out.settings.selectedCorners.push_back({p.triangle->index, p.corner});
    // The text tool keeps its own text, font and placements.
    if (m_textTool) m_textTool->store(out.settings);
    simLog("-tbGeometry::save]\n");
    return true;
}

bool tbGeometry::open(const tbFileGeometry& in, int32_t version) {
    simLog("[tbGeometry::open-");
    clear();
    setBox(box, in.box);
    simLog("texture-map...\n");
    progress(5);
    auto map = std::make_unique<tbTextureMap>(this);
    if (!map->open(in.texture.width, in.texture.height, in.texture.bmp)) {
        tbErrorBox(kOpenTitle, kNoSurface);
        return false;
    }
    m_textureMap = std::move(map);

    progress(10);
    simLog("materials...\n");
    for (const tbFileMaterial& f : in.materials) {
        auto m = std::make_unique<tbMaterial>(this, uint32_t(materials.size()));
        m->textureName = f.textureName;
        m->paintFlag = f.paintFlag;
        // A model texture is claimed for this project as the import claims
        // it: one merely looked up may be a texture of the project just
        // closed, on its way out, or not loaded at all in a fresh run.
        m->texture = f.paintFlag ? m_textureMap->getTexture() : findModelTexture(f.textureName);
        // Older files hold no colours: the constructor's stay.
        if (version >= 1) {
            m->ambient = f.ambient;
            m->diffuse = f.diffuse;
            m->specular = f.specular;
            m->fourthColour = f.fourthColour;
            m->transparency = f.transparency;
            m->value2 = f.value2;
            m->value3 = f.value3;
            m->reflectivity = f.reflectivity;
            m->value5 = f.value5;
            m->eccentricity = f.eccentricity;
        }
        materials.push_back(std::move(m));
    }

    progress(20);
    simLog("vertexes...\n");
    vertices = in.vertices;

    progress(40);
    simLog("triangles...\n");
    triangles.reserve(in.triangles.size());
    for (size_t i = 0; i < in.triangles.size(); ++i) {
        const tbFileTriangle& f = in.triangles[i];
        auto t = std::make_unique<tbTriangle>();
        t->index = uint32_t(i);
        t->centre = f.centre;
        t->radius = f.radius;
        t->faceNormal = f.faceNormal;
        for (int c = 0; c < 3; ++c) {
            t->vertexIndices[c] = f.vertexIndices[c];
            t->positions[c] = f.positions[c];
            t->normals[c] = f.normals[c];
            t->uvs[c] = t->importedUvs[c] = f.uvs[c];
            t->screenCorners[c] = f.screenCorners[c];
            t->screenDepths[c] = f.screenDepths[c];
            t->edgeFlags[c] = f.edgeFlags[c];
        }
        triangles.push_back(std::move(t));
    }
    // Every index was checked by the reader; now they become references.
    auto refs = [this](const std::vector<uint32_t>& list, std::vector<tbTriangle*>& out) {
        for (uint32_t i : list) out.push_back(triangles[i].get());
    };
    for (size_t i = 0; i < in.triangles.size(); ++i) {
        const tbFileTriangle& f = in.triangles[i];
        tbTriangle& t = *triangles[i];
        refs(f.edgeNeighbours, t.edgeNeighbours);
        refs(f.cornerNeighbours, t.cornerNeighbours);
        refs(f.textureNeighbours, t.textureNeighbours);
        for (int c = 0; c < 3; ++c)
            for (const auto& [index, corner] : f.cornerLists[c]) t.cornerLists[c].push_back({triangles[index].get(), corner});
    }

    progress(60);
    simLog("objects...\n");
    for (const tbFileObject& o : in.objects) roots.push_back(openObject(o, *this));

    progress(80);
    simLog("settings...\n");
    toolSettings = in.settings;
    if (tbToolState* state = toolsIfAny()) state->setViewMode(in.settings.viewMode == 1 ? 1 : 0);
    const tbStoredShape outline{"", in.settings.shapeOutline};
    m_shapeTool->restore(&outline);
    // Each slot's image comes back from its path; loading puts a slot back
    // to its start, so the file's placements are restored after it.
    for (int32_t slot = 0; slot < tbGeometryTool_projectImage::kSlots; ++slot)
        loadProjectionImage(slot, in.settings.projectionSlots[slot].imagePath);
    m_projectImageTool->restorePlacements(in.settings.projection);
    selection.mode = in.settings.uvMode;
    if (selection.mode == tbUVSelection::kFaces)
        for (uint32_t i : in.settings.selectedFaces) selection.faces.push_back(triangles[i].get());
    if (selection.mode == tbUVSelection::kPoints)
        for (const auto& [index, corner] : in.settings.selectedCorners)
            selection.points.push_back({triangles[index].get(), corner});
    updateUVSelectionCentre();
    // A file that names a font carries the text tool's text and placements.
    if (!in.settings.fontName.empty()) textTool().show(toolSettings);

    if (g_resources) g_resources->setCollection("");
    updateTriangleScreenPositions();
    stopwatch.reset();
    stopwatch.start();
    simLog("-tbGeometry::open]\n");
    return true;
}
