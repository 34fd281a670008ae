// The exchange of the paint texture with an external image editor and the
// scheme bitmap, as the project and the model hand them down to the paint
// texture.
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"

bool tbGeometry::exportTexture(const std::string& path, bool withUVLayout) {
    return m_textureMap && m_textureMap->exportTexture(path, withUVLayout);
}

bool tbGeometry::importTexture(const std::string& path) {
    if (!m_textureMap || !m_textureMap->importTexture(path)) return false;
    // The snapshot is what the next undo step saves as "before": it must be
    // the imported picture, or undoing the next stroke would paste pixels
    // from before the import back into it.
    m_textureMap->takeSnapshot();
    return true;
}

bool tbProject_model::exportTexture(const std::string& path, bool withUVLayout) {
    return m_model && m_model->exportTexture(path, withUVLayout);
}

bool tbProject_model::importTexture(const std::string& path) { return m_model && m_model->importTexture(path); }

std::string tbProject_model::schemeBitmapPath(const std::string& settingsFolder) const {
    return settingsFolder + "Schemes/" + m_modelName + "#" + m_exportName + ".bmp";
}
