#include "app/shell/tbSchemeEditing.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbAtomicSave.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsStrings.h"
#include "platform/d3dx/d3dxImage.h"

namespace {

tbTextureMap* currentTextureMap() {
    auto* scheme = dynamic_cast<tbProject_model*>(tbProject::current());
    tbGeometry* model = scheme ? scheme->getModel() : nullptr;
    return model ? model->getTextureMap() : nullptr;
}

// The image format a file name's extension names; BMP for any other.
d3dx::ImageFileFormat formatOf(const std::string& path) {
    const std::string extension = utils::getExtension(path, 0);  // lower case
    if (extension == "png") return d3dx::ImageFileFormat::Png;
    if (extension == "tga") return d3dx::ImageFileFormat::Tga;
    if (extension == "dds") return d3dx::ImageFileFormat::Dds;
    return d3dx::ImageFileFormat::Bmp;
}

class CurrentSchemeEditing : public tbSchemeEditing {
public:
    bool isOpen() const override { return currentTextureMap() != nullptr; }

    // The paint undo history belongs to the painting tools, which keep it
    // with the model; until they exist there is no step to take back.
    void undo() override {}
    void createRestorePoint() override {
        if (tbTextureMap* map = currentTextureMap()) map->createRestorePoint();
    }
    void revertToRestorePoint() override {
        if (tbTextureMap* map = currentTextureMap()) map->revertToRestorePoint();
    }

    // The picture only: the UV layout image is drawn by the painting tools.
    bool exportTexture(const std::string& path, bool /*withUvLayout*/) override {
        tbTextureMap* map = currentTextureMap();
        if (!map) return false;
        d3dx::Image picture;
        if (!map->readSurface(map->getPaintSurface(), picture)) return false;
        std::vector<uint8_t> file;
        const d3dx::ImageResult encoded = d3dx::SaveImageToFileInMemory(&file, formatOf(path), picture);
        if (!encoded.ok()) {
            simLog("exportTexture - " + path + ": " + encoded.reason + "\n");
            return false;
        }
        std::string error;
        if (!tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()),
                                  &error)) {
            simLog("exportTexture - " + path + ": " + error + "\n");
            return false;
        }
        return true;
    }
    bool importTexture(const std::string& path) override {
        tbTextureMap* map = currentTextureMap();
        return map && map->importTexture(path);
    }
};

}  // namespace

std::unique_ptr<tbSchemeEditing> tbMakeCurrentSchemeEditing() { return std::make_unique<CurrentSchemeEditing>(); }
