#include "engine/graphics/simSceneEffectLinks.h"

#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simShaderEffectBinding.h"

namespace {

simScene* g_linkedScene = nullptr;

bool currentCamera(simShaderCameraValues* out) {
    const simCamera* camera = g_graphics ? g_graphics->getCurrentCamera() : nullptr;
    if (!camera) return false;
    out->eyePosition = camera->getPosition();
    out->eyeVector = camera->getForward();
    out->upVector = camera->getUp();
    return true;
}

simLight* firstLight() { return g_linkedScene ? g_linkedScene->getLights().getLight(0) : nullptr; }

void addLight(simLight* light) {
    if (g_linkedScene) g_linkedScene->getLights().addLight(light);
}

void removeLight(simLight* light) {
    if (g_linkedScene) g_linkedScene->getLights().removeLight(light);
}

float shadowMapSize() { return g_linkedScene ? g_linkedScene->getShadower().shadowMapWidth : 0.0f; }

}  // namespace

void simSceneInstallEffectLinks(simScene* scene) {
    g_linkedScene = scene;
    simShaderEffectScene links = simGetShaderEffectScene();
    links.camera = currentCamera;
    links.firstLight = firstLight;
    links.addLight = addLight;
    links.removeLight = removeLight;
    links.shadowMapSize = shadowMapSize;
    simSetShaderEffectScene(links);
}

void simSceneRemoveEffectLinks(simScene* scene) {
    if (g_linkedScene != scene) return;
    g_linkedScene = nullptr;
    simShaderEffectScene links = simGetShaderEffectScene();
    links.camera = nullptr;
    links.firstLight = nullptr;
    links.addLight = nullptr;
    links.removeLight = nullptr;
    links.shadowMapSize = nullptr;
    simSetShaderEffectScene(links);
}
