#include "app/site/bars/CDlgLightingBarModel.h"

#include "app/site/tbProject_flyingsite.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simGeometry.h"

namespace sitebars {

LightingBarModel::LightingBarModel(SiteAccess site, Operations ops) : site_(std::move(site)), ops_(std::move(ops)) {
    if (!ops_.findGeometry)
        ops_.findGeometry = [](const std::string& name) {
            return dynamic_cast<simGeometry*>(simResources::getResource(name, false));
        };
}

simColour LightingBarModel::colour(Light light) const {
    const tbProject_flyingsite* site = site_();
    if (!site) return simColour();
    switch (light) {
    case Light::diffuse: return site->getDiffuseColour();
    case Light::ambient: return site->getAmbientColour();
    case Light::specular: break;
    }
    return site->getSpecularColour();
}

void LightingBarModel::swatchClicked(Light light) {
    tbProject_flyingsite* site = site_();
    if (!site || !ops_.pickColour) return;
    const std::optional<simColour> picked = ops_.pickColour(colour(light));
    if (!picked) return;
    switch (light) {
    case Light::diffuse: site->setDiffuseColour(*picked); break;
    case Light::ambient: site->setAmbientColour(*picked); break;
    case Light::specular: site->setSpecularColour(*picked); break;
    }
    notify(changed);
}

void LightingBarModel::previewSelected(const std::string& name) {
    tbProject_flyingsite* site = site_();
    if (!site) return;
    for (size_t i = 0; i < kPreviewShapes.size(); ++i) {
        if (name != kPreviewShapes[i].name) continue;
        preview_ = int(i);
        site->setPreviewGeometry(ops_.findGeometry(kPreviewShapes[i].geometry));
    }
}

void LightingBarModel::resetClicked() {
    tbProject_flyingsite* site = site_();
    if (!site) return;
    preview_ = 0;
    site->resetSunPosition();
    notify(changed);
}

}  // namespace sitebars
