#include "app/scheme/tbGeometry.h"

#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbGeometryTool_text.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/shell/tbSceneCameras.h"
#include "app/scheme/tbTextureMap.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/manipulator.h"

tbGeometry::tbGeometry(tbProject_model* owner)
    : simObject(false, true, false, false),
      m_owner(owner),
      m_undo(std::make_unique<tbGeometryUndo>(this)),
      m_shapeTool(std::make_unique<tbGeometryTool_shape>(this)) {
    simLog("[tbGeometry-");
    m_projectImageTool = std::make_unique<tbGeometryTool_projectImage>(this);
    m_undo->setShapeHistory(m_shapeTool.get());
    for (auto& gizmo : m_selectionGizmos) {
        gizmo = std::make_unique<manipulator>(true, nullptr, true, nullptr, true, nullptr);
        gizmo->visible = gizmo->enabled = 0;
    }
    stopwatch.reset();
    stopwatch.start();
    simLog("-tbGeometry]");
}

tbGeometry::~tbGeometry() {
    simLog("~tbGeometry-");
    clear();
    simLog("~tbGeometry]");
}

void tbGeometry::clear() {
    m_undo->clear();
    clearPick();
    pickedObject = nullptr;
    m_render.reset();  // its buffers were made from the arrays below
    selection.clear();
    roots.clear();
    triangles.clear();
    materials.clear();
    vertices.clear();
    m_textureMap.reset();
    box.reset();
}

tbMaterial* tbGeometry::getMaterial(int64_t index) const {
    return index >= 0 && index < int64_t(materials.size()) ? materials[size_t(index)].get() : nullptr;
}

tbTriangle* tbGeometry::getTriangle(int64_t index) const {
    return index >= 0 && index < int64_t(triangles.size()) ? triangles[size_t(index)].get() : nullptr;
}

simTexture* tbGeometry::createTextureMap(const std::string& imagePath) {
    if (!m_textureMap) {
        auto map = std::make_unique<tbTextureMap>(this);
        const bool made = map->import(imagePath);
        if (!made || (g_application && !g_application->getStatusSuccess())) return nullptr;
        m_textureMap = std::move(map);
    }
    return m_textureMap->getTexture();
}

void tbGeometry::setTextureMap(std::unique_ptr<tbTextureMap> map) { m_textureMap = std::move(map); }

void tbGeometry::updateTriangleScreenPositions() {
    // The positions serve picking in the 3-D view, so they are taken through
    // its camera (the scene's second) whatever the last frame drew with;
    // outside a frame the renderer still holds the 2-D text's transforms.
    tbUseSceneCamera(1);
    tbForEachPaintablePart(roots, [](const tbMeshPart& part) {
        for (const auto& t : part.triangles()) t->project();
    });
}

void tbGeometry::updateTriangleScreenPositions(const tbGeometryObject& object) {
    tbUseSceneCamera(1);
    tbForEachPaintablePart(object, [](const tbMeshPart& part) {
        for (const auto& t : part.triangles()) t->project();
    });
}
