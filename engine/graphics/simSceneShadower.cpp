#include "engine/graphics/simSceneShadower.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simScenePassTargets.h"
#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"

using namespace simScenePass;

namespace {

// The lighting effects: technique base and file.
struct EffectFile {
    const char* technique;
    const char* file;
};
constexpr EffectFile kEffects[] = {
    {"tech_lighting_high", "lighting_high.fx"},
    {"tech_lighting_low", "lighting_low.fx"},
    {"tech_lighting_env_high", "lighting_env_high.fx"},
    {"tech_lighting_env_low", "lighting_env_low.fx"},
    {"tech_shadow", "shadow.fx"},
};

simShaderEffect* effectNamed(const char* file) {
    return dynamic_cast<simShaderEffect*>(simResources::getResource(file, false));
}

// Nodes drawn with the effect `from` are drawn with `to` instead. Nothing
// when `from` is not loaded: nodes without an effect keep having none.
void replaceNodeEffect(const char* from, const simShaderEffect* to) {
    simScene* scene = simScene::current();
    const simShaderEffect* old = effectNamed(from);
    if (scene && old) scene->replaceNodeState(simRenderState_shaderEffect, toStateValue(old), toStateValue(to));
}

simCamera* currentCamera() { return g_graphics ? g_graphics->getCurrentCamera() : nullptr; }

simLight* firstLight() {
    simScene* scene = simScene::current();
    return scene ? scene->getLights().getLight(0) : nullptr;
}

void setDeviceState(gfx::D3DRENDERSTATETYPE type, uint32_t value) {
    if (gfx::Device* d = device()) d->SetRenderState(type, value);
}

}  // namespace

// ---- Lifetime

simSceneShadower::simSceneShadower() : simCollectionItem(nullptr, "", false, false), simDeviceDependantObject(true) {
    simRendererLog("Creating shadow handler...");
    if (g_resources) {
        for (const EffectFile& effect : kEffects)
            g_resources->findResource(nullptr, "effects", effect.file, effect.technique, false, true, 0);
    }
    simRendererLog("done\n");
}

simSceneShadower::~simSceneShadower() {
    simRendererLog("Destroying shadow handler...");
    releaseSurfaces();
    deleteShadowMap();
    simRendererLog("done\n");
}

void simSceneShadower::releaseSurfaces() {
    releaseSurface(m_renderSurface);
    releaseSurface(m_depthSurface);
}

void simSceneShadower::deleteShadowMap() {
    delete m_shadowMap;
    m_shadowMap = nullptr;
}

void simSceneShadower::onDeviceRelease() {
    releaseSurfaces();
    deleteShadowMap();
}

// ---- Creation

void simSceneShadower::create() {
    releaseSurfaces();
    deleteShadowMap();
    m_litEffect = m_environmentEffect = m_lowLightingEffect = m_shadowEffect = nullptr;
    simRendererState* s = state();
    if (s) s->setState(simRenderState_texture2, static_cast<const simRendererStateObject*>(nullptr));

    m_litEffect = m_lowLightingEffect = effectNamed("lighting_low.fx");
    if (shadowMapWidth != 0.0f || shadowMapHeight != 0.0f) {
        m_shadowEffect = effectNamed("shadow.fx");
        // The switches pick the effects, and every node drawn with the other
        // quality of the same effect is moved over to the picked one.
        const char* litFile = "lighting_low.fx";
        const char* environmentFile = "lighting_env_low.fx";
        if (highEnvironmentLighting) environmentFile = "lighting_env_high.fx";
        if (highEnvironmentLighting && highLighting) litFile = "lighting_high.fx";
        m_litEffect = effectNamed(litFile);
        m_environmentEffect = effectNamed(environmentFile);
        const bool highLit = highEnvironmentLighting && highLighting;
        replaceNodeEffect(highLit ? "lighting_low.fx" : "lighting_high.fx", m_litEffect);
        replaceNodeEffect(highEnvironmentLighting ? "lighting_env_low.fx" : "lighting_env_high.fx", m_environmentEffect);
    }
    if (shadowMapWidth > 0.0f && shadowMapHeight > 0.0f) makeShadowMap();
    if (s) s->setState(simRenderState_texture2, m_shadowMap);
}

void simSceneShadower::makeShadowMap() {
    const auto width = static_cast<uint32_t>(shadowMapWidth);
    const auto height = static_cast<uint32_t>(shadowMapHeight);
    m_shadowMap = ownedTexture(
        new simTexture(this, "simSceneShadower_shadowMap", width, height, gfx::D3DFMT_R32F, true, false, false));
    if (!simRendererStatusGood()) {
        simRendererLog("ERROR (simSceneShadower): Shadow render texture not created. Shadowing disabled.\n");
        deleteShadowMap();
        return;
    }
    if (!m_shadowMap->getTexture()) {
        simRendererLog("no d3dSurface>>\n");
        return;
    }
    if (!createDepthSurface(width, height, gfx::D3DFMT_D16, &m_depthSurface)) {
        simRendererLog("ERROR (simSceneShadower): Shadow depth surface not attached. Shadowing disabled.\n");
        deleteShadowMap();
        return;
    }
    if (!topLevelSurface(m_shadowMap, &m_renderSurface)) {
        simRendererLog("ERROR (simSceneShadower): Shadow render surface not attached. Shadowing disabled.\n");
        deleteShadowMap();
        releaseSurface(m_depthSurface);
    }
}

// ---- Fitting

bool simSceneShadower::castsNow(const simSceneItem* item) {
    return item && item->visibility >= kCasterVisibility && item->castsShadow;
}

void simSceneShadower::collectBounds() {
    m_shadowBounds.clear();
    for (const simSceneItem* item : m_casters)
        if (castsNow(item) && item->box.hasExtent()) m_shadowBounds.push_back(item->box);
    if (g_application) g_application->collectShadowBounds(m_shadowBounds);
}

void simSceneShadower::fitToCamera() {
    const simCamera* camera = currentCamera();
    if (!camera) return;
    const float maxSq = kMaxShadowDistance * kMaxShadowDistance;
    m_casterBox.reset();
    m_casterBox.update();
    float nearSq = maxSq, farSq = 0.0f;
    for (const simBoundingBox& bound : m_shadowBounds) {
        const d3dx::Vector3 apart = bound.centre - camera->getPosition();
        const float distanceSq = d3dx::Vec3LengthSq(&apart);
        if (distanceSq >= maxSq || !camera->sphereInFrustum(bound.centre, bound.radius)) continue;
        m_casterBox.growByBox(bound);
        const float radiusSq = bound.radius * bound.radius;
        farSq = std::max(farSq, distanceSq + radiusSq);
        nearSq = std::min(nearSq, distanceSq - radiusSq);
    }
    // A camera inside a caster's sphere gives a negative square: the slice
    // then starts at 1, never at an invalid distance.
    m_nearDistance = nearSq < 0.0f ? 1.0f : std::max(1.0f, std::sqrt(nearSq));
    m_farDistance = std::min(kMaxShadowDistance, std::sqrt(farSq));

    // The receiver box: the corners of the camera's view between near and far.
    const d3dx::Vector3 back = -camera->getForward();
    d3dx::Vector3 look, right, up;
    d3dx::Vec3Normalize(&look, &back);
    d3dx::Vec3Cross(&right, &camera->getUp(), &look);
    d3dx::Vec3Normalize(&right, &right);
    d3dx::Vec3Cross(&up, &look, &right);
    const float t = std::tan(camera->getFieldOfView() * 0.5f);
    m_receiverBox.reset();
    m_receiverBox.update();
    for (float distance : {m_nearDistance, m_farDistance}) {
        const float halfHeight = distance * t;
        const float halfWidth = camera->getAspect() * halfHeight;
        const d3dx::Vector3 centre = camera->getPosition() + look * distance;
        for (float v : {-1.0f, 1.0f})
            for (float h : {-1.0f, 1.0f}) m_receiverBox.growByPoint(centre + up * (v * halfHeight) + right * (h * halfWidth));
    }
}

void simSceneShadower::fitLight() {
    const simLight* light = firstLight();
    // Without casters there is nothing to fit: a light view of size 0 would
    // hand the effects a transform of infinities. The last fit is kept.
    if (!light || !m_casterBox.hasExtent()) return;
    const d3dx::Vector3& q = m_casterBox.centre;
    const float rho = m_casterBox.radius;
    d3dx::Vector3 direction = light->getDirection();
    d3dx::Vector3 eye;
    if (light->getLightType() == simLight::directional) {
        eye = q - direction * (2.0f * rho);
    } else {
        eye = q - direction * (1.5f * rho);
        const d3dx::Vector3 toCasters = q - light->getPosition();
        d3dx::Vec3Normalize(&direction, &toCasters);
    }

    d3dx::Matrix translation, lookAt, view;
    d3dx::MatrixTranslation(&translation, -eye.x, -eye.y, -eye.z);
    // Up is the world's y, unless the light shines along it (a sun straight
    // overhead), where the look-at has no sideways axis and gives no numbers.
    const d3dx::Vector3 origin(0.0f, 0.0f, 0.0f), at = -direction;
    const bool vertical = std::fabs(direction.y) > 0.999f * d3dx::Vec3Length(&direction);
    const d3dx::Vector3 up = vertical ? d3dx::Vector3(0.0f, 0.0f, 1.0f) : d3dx::Vector3(0.0f, 1.0f, 0.0f);
    d3dx::MatrixLookAtLH(&lookAt, &origin, &at, &up);
    d3dx::MatrixMultiply(&view, &translation, &lookAt);

    const float s = 2.5f * rho;
    d3dx::Matrix projection, viewProjection;
    d3dx::MatrixOrthoRH(&projection, s, s, 1.0f, s);
    d3dx::MatrixMultiply(&viewProjection, &view, &projection);

    float minX = FLT_MAX, maxX = -FLT_MAX, minY = FLT_MAX, maxY = -FLT_MAX, maxZ = 0.0f;
    for (const d3dx::Vector3& corner : m_receiverBox.corners) {
        d3dx::Vector4 p;
        d3dx::Vec3Transform(&p, &corner, &viewProjection);
        const float x = p.x / p.w, y = p.y / p.w;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        maxZ = std::max(maxZ, p.z);
    }
    minX = std::clamp(minX, -1.0f, 1.0f);
    maxX = std::clamp(maxX, -1.0f, 1.0f);
    minY = std::clamp(minY, -1.0f, 1.0f);
    maxY = std::clamp(maxY, -1.0f, 1.0f);
    m_lightFarPlane = maxZ + 1.5f;

    // A receiver slice that clamps to one edge of the light's view has no
    // width to crop to on that axis; it is left uncropped there.
    d3dx::Matrix crop = d3dx::Matrix::identity();
    if (maxX > minX) crop._11 = 2.0f / (maxX - minX);
    if (maxY > minY) crop._22 = 2.0f / (maxY - minY);
    crop._41 = -0.5f * (maxX + minX) * crop._11;
    crop._42 = -0.5f * (maxY + minY) * crop._22;
    d3dx::Matrix croppedProjection;
    d3dx::MatrixMultiply(&croppedProjection, &projection, &crop);
    d3dx::MatrixMultiply(&m_shadowTransform, &view, &croppedProjection);

    for (simShaderEffect* effect : {m_shadowEffect, m_environmentEffect, m_litEffect, m_lowLightingEffect})
        if (effect && effect->getEffect()) effect->getEffect()->setMatrix("g_shadowerTransform", &m_shadowTransform);
    // The environment effect reads the map as the lit effect does, so it
    // needs the far plane too: without it every depth would divide by 0.
    for (simShaderEffect* effect : {m_shadowEffect, m_environmentEffect, m_litEffect})
        if (effect && effect->getEffect()) effect->getEffect()->setFloat("g_light_farPlane", m_lightFarPlane);
}

// ---- The shadow-map pass

void simSceneShadower::renderShadowMap() {
    simRenderer* r = renderer();
    simRendererState* s = state();
    if (!m_shadowMap || !hasSurfaces() || !r || !s) return;
    fitToCamera();
    fitLight();
    s->setState(simRenderState_texture2, m_shadowMap);
    bindTargets(m_renderSurface, m_depthSurface);
    clear(true, 0xFFFFFFFFu);
    renderCasters();

    // The border texels read as farthest depth, so that nothing outside the
    // fitted area is shadowed.
    s->setState(simRenderState_zFunction, gfx::D3DCMP_ALWAYS);
    const float w = std::trunc(shadowMapWidth), h = std::trunc(shadowMapHeight);
    using V = d3dx::Vector2;
    r->drawLine2D(V(0, 0), V(w, 0), 0xFFFFFFFFu, nullptr);
    r->drawLine2D(V(0, 0), V(0, h), 0xFFFFFFFFu, nullptr);
    r->drawLine2D(V(w - 1, 0), V(w - 1, h), 0xFFFFFFFFu, nullptr);
    r->drawLine2D(V(0, h - 1), V(w, h - 1), 0xFFFFFFFFu, nullptr);

    bindDefaultTargets();
    if (const simCamera* camera = currentCamera()) {
        r->setTransform(2, &camera->getViewMatrix());
        r->setTransform(0, &camera->getProjectionMatrix());
        r->setCameraViewport(camera);
    }
}

void simSceneShadower::renderCasters() {
    simRendererState* s = state();
    simRenderer* r = renderer();
    if (!m_shadowEffect || !s || !r) return;
    s->setState(simRenderState_zFunction, gfx::D3DCMP_ALWAYS);
    s->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    s->setState(simRenderState_zWrite, 1);
    s->setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
    s->setState(simRenderState_alphaBlend, 0);
    s->setState(simRenderState_fog, 0);
    setDeviceState(gfx::D3DRS_SHADEMODE, gfx::D3DSHADE_FLAT);
    r->setTransform(1, nullptr);
    setDeviceState(gfx::D3DRS_COLORWRITEENABLE, 1);  // red only: the depth
    if (g_graphics) g_graphics->preShadowCasters();
    for (simSceneItem* item : m_casters)
        if (castsNow(item)) item->render(nullptr, m_shadowEffect);
    if (g_application) g_application->renderShadowCasters();
    if (g_graphics) g_graphics->renderShadowCasters();
    setDeviceState(gfx::D3DRS_SHADEMODE, gfx::D3DSHADE_GOURAUD);
    setDeviceState(gfx::D3DRS_COLORWRITEENABLE, 15);
}

// ---- The stencil darkening

uint32_t simSceneShadower::darkeningAlpha(int ambientComponent) {
    const auto alpha = static_cast<int>(255.0f - 1.5f * static_cast<float>(ambientComponent));
    return static_cast<uint32_t>(std::clamp(alpha, 0, 255));
}

void simSceneShadower::renderStencilShadows() {
    const bool noShadowMap = shadowMapWidth == 0.0f || shadowMapHeight == 0.0f;
    if (!noShadowMap && !(g_application && g_application->countLitItems() != 0)) return;
    simLight* light = firstLight();
    const simCamera* camera = currentCamera();
    simRenderer* r = renderer();
    simRendererState* s = state();
    if (!light || !camera || !r || !s) return;

    r->setTransform(2, &camera->getViewMatrix());
    r->setTransform(0, &camera->getProjectionMatrix());
    r->setCameraViewport(nullptr);

    // The pass draws without depth for its own work; the lit pass after it
    // gets the depth states back.
    const simStateValue zWrite = s->getState(simRenderState_zWrite);
    const simStateValue zFunction = s->getState(simRenderState_zFunction);
    const auto* white = dynamic_cast<const simTexture*>(simResources::getResource("white.bmp", false));
    setDeviceState(gfx::D3DRS_SHADEMODE, gfx::D3DSHADE_FLAT);
    s->setState(simRenderState_texture0, white);
    s->setState(simRenderState_zWrite, 0);
    s->setState(simRenderState_zFunction, gfx::D3DCMP_ALWAYS);
    s->setState(simRenderState_stencilMode, 2);       // every drawn pixel writes 1
    s->setState(simRenderState_backfaceCullMode, 0);
    s->setState(simRenderState_blendMode, 2);         // colour unchanged
    s->setState(simRenderState_alphaBlend, 1);

    // Without a shadow map the casters themselves are the shadow shapes,
    // drawn where they stand (no projecting transform is kept for them).
    if (noShadowMap) {
        for (simSceneItem* item : m_casters)
            if (castsNow(item)) item->render(nullptr, nullptr);
    }
    // The light is passed as its index in the scene's light list: the first.
    if (g_application) g_application->renderLit(0);

    s->setState(simRenderState_blendMode, 0);
    s->setState(simRenderState_alphaBlend, 1);
    s->setState(simRenderState_stencilMode, 3);  // where the stencil is 1 or more
    const uint32_t alpha = darkeningAlpha(light->getAmbient().maxComponent());
    // With no shape marked in the stencil since it was cleared the rectangle
    // would darken nothing, yet it would still be shaded over the whole back
    // buffer, once per camera.
    if (r->stencilMayHoldMarks()) {
        const d3dx::Vector2 size(backBufferWidth(), backBufferHeight());
        r->drawRect(d3dx::Vector2(0.0f, 0.0f), size, alpha << 24, white);
    }
    s->setState(simRenderState_stencilMode, 0);
    setDeviceState(gfx::D3DRS_SHADEMODE, gfx::D3DSHADE_GOURAUD);
    s->setState(simRenderState_zWrite, zWrite);
    s->setState(simRenderState_zFunction, zFunction);
}
