#include "app/scheme/tbSchemeEditing.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"

namespace {

tbTextureMap* currentTextureMap() {
    tbGeometry* model = tbCurrentModel();
    return model ? model->getTextureMap() : nullptr;
}

class CurrentSchemeEditing : public tbSchemeEditing {
public:
    bool isOpen() const override { return currentTextureMap() != nullptr; }

    void undo() override {
        if (tbGeometry* model = tbCurrentModel()) model->getUndo().undo();
    }
    void createRestorePoint() override {
        if (tbTextureMap* map = currentTextureMap()) map->createRestorePoint();
    }
    void revertToRestorePoint() override {
        tbTextureMap* map = currentTextureMap();
        if (!map) return;
        map->revertToRestorePoint();
        tbCurrentModel()->getUndo().clear();
    }
    bool exportTexture(const std::string& path, bool withUvLayout) override {
        tbProject_model* scheme = tbCurrentScheme();
        return scheme && scheme->exportTexture(path, withUvLayout);
    }
    bool importTexture(const std::string& path) override {
        tbProject_model* scheme = tbCurrentScheme();
        return scheme && scheme->importTexture(path);
    }
};

}  // namespace

std::unique_ptr<tbSchemeEditing> tbMakeCurrentSchemeEditing() { return std::make_unique<CurrentSchemeEditing>(); }
