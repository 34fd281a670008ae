// The exchange of the paint texture with an external image editor and the
// scheme bitmap, as the project and the model hand them down to the paint
// texture.
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"

bool tbGeometry::exportTexture(const std::string& path, bool withUVLayout) {
    return m_textureMap && m_textureMap->exportTexture(path, withUVLayout);
}

bool tbGeometry::importTexture(const std::string& path) {
    if (!m_textureMap || !m_textureMap->importTexture(path)) return false;
    // The import is a step of its own: the whole picture as it was before
    // it is kept (the snapshot still holds it), and the push makes the
    // imported picture the next step's "before", so undoing the next stroke
    // cannot paste pixels from before the import back into it.
    simBoundingRect whole;
    whole.growByPoint({0.0f, 0.0f});
    whole.growByPoint({float(m_textureMap->getWidth()), float(m_textureMap->getHeight())});
    getUndo().addRect(whole);
    getUndo().push();
    return true;
}

bool tbProject_model::exportTexture(const std::string& path, bool withUVLayout) {
    return m_model && m_model->exportTexture(path, withUVLayout);
}

bool tbProject_model::importTexture(const std::string& path) { return m_model && m_model->importTexture(path); }

std::string tbProject_model::schemeBitmapPath(const std::string& settingsFolder) const {
    return settingsFolder + "Schemes/" + m_modelName + "#" + m_exportName + ".bmp";
}
