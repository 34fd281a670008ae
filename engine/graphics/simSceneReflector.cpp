#include "engine/graphics/simSceneReflector.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simScenePassTargets.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"

using namespace simScenePass;

simSceneReflector::simSceneReflector() : simCollectionItem(nullptr, "", false, false), simDeviceDependantObject(true) {
    simRendererLog("Creating reflection handler...");
    setPlane(d3dx::Vector3(0.0f, 0.0f, 0.0f), d3dx::Vector3(0.0f, 1.0f, 0.0f));
    simRendererLog("done\n");
}

simSceneReflector::~simSceneReflector() {
    simRendererLog("Destroying reflection handler...");
    releaseSurfaces();
    delete m_map;
    m_map = nullptr;
    simRendererLog("done\n");
}

void simSceneReflector::setPlane(const d3dx::Vector3& point, const d3dx::Vector3& normal) {
    d3dx::PlaneFromPointNormal(&m_mirrorPlane, &point, &normal);
    const d3dx::Vector3 opposite = -normal;
    d3dx::PlaneFromPointNormal(&m_clipPlane, &point, &opposite);
    d3dx::MatrixReflect(&m_reflection, &m_mirrorPlane);
}

void simSceneReflector::releaseSurfaces() {
    releaseSurface(m_renderSurface);
    releaseSurface(m_depthSurface);
}

void simSceneReflector::onDeviceRelease() {
    releaseSurfaces();
    delete m_map;
    m_map = nullptr;
}

void simSceneReflector::onDeviceRecreate() {
    const uint32_t value = enabled;
    enabled = 0;
    create(value);
}

void simSceneReflector::create(uint32_t value) {
    if (value == enabled) return;
    enabled = value;
    onDeviceRelease();
    if (enabled == 0) return;

    m_mapWidth = backBufferWidth();
    m_mapHeight = backBufferHeight();
    const auto width = static_cast<uint32_t>(m_mapWidth);
    const auto height = static_cast<uint32_t>(m_mapHeight);
    m_map = ownedTexture(new simTexture(this, "simSceneReflector_reflectionMap", width, height,
                                        gfx::D3DFMT_A8R8G8B8, true, false, false));
    if (!simRendererStatusGood()) {
        simRendererLog("ERROR (simSceneReflector): Reflection render texture not created. Reflections disabled.\n");
        delete m_map;
        m_map = nullptr;
        enabled = 0;
        return;
    }
    if (!m_map->getTexture()) {
        // Stays enabled without surfaces: the pass does not run.
        simRendererLog("no d3dSurface>>\n");
        return;
    }
    if (!createDepthSurface(width, height, gfx::D3DFMT_D24S8, &m_depthSurface)) {
        simRendererLog("ERROR (simSceneReflector): Reflection depth surface not attached. Reflections disabled.\n");
        delete m_map;
        m_map = nullptr;
        enabled = 0;
        return;
    }
    if (!topLevelSurface(m_map, &m_renderSurface)) {
        simRendererLog("ERROR (simSceneReflector): Reflection render surface not attached. Reflections disabled.\n");
        delete m_map;
        m_map = nullptr;
        releaseSurface(m_depthSurface);
        enabled = 0;
    }
}

void simSceneReflector::render() {
    if (!m_map || !hasSurfaces()) return;
    bindTargets(m_renderSurface, m_depthSurface);
    clear(true, 0x00000000u);
    renderReflection();
    bindDefaultTargets();
    if (simRenderer* r = renderer()) r->setCameraViewport(g_graphics->getCurrentCamera());
}

void simSceneReflector::renderReflection() {
    simRenderer* r = renderer();
    simRendererState* s = state();
    simScene* scene = simScene::current();
    const simCamera* camera = g_graphics ? g_graphics->getCurrentCamera() : nullptr;
    if (!r || !s || !scene || !camera) return;

    s->setState(simRenderState_zWrite, 1);
    s->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    s->setState(simRenderState_backfaceCullMode, 0);
    // Every node draws mirrored without culling (the winding flips) and with
    // the low lighting effect, whatever its own.
    std::list<simScene::StateOverride>& overrides = scene->getStateOverrides();
    overrides.clear();
    overrides.emplace_back(simRenderState_backfaceCullMode, 0);
    overrides.emplace_back(simRenderState_shaderEffect,
                           toStateValue(dynamic_cast<const simRendererStateObject*>(
                               simResources::getResource("lighting_low.fx", false))));
    setClipPlane(camera);

    d3dx::Matrix mirroredView;
    d3dx::MatrixMultiply(&mirroredView, &m_reflection, &camera->getViewMatrix());
    r->setTransform(2, &mirroredView);
    scene->renderNodes(0);
    scene->renderSorted(0);
    r->setTransform(2, &camera->getViewMatrix());
    if (gfx::Device* d = device()) d->SetRenderState(gfx::D3DRS_CLIPPLANEENABLE, 0);

    overrides.clear();
    r->setTransform(1, nullptr);
    s->setState(simRenderState_alphaBlend, 1);
    s->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    s->setState(simRenderState_zWrite, 0);
    s->setState(simRenderState_backfaceCullMode, 0);
    s->setState(simRenderState_lighting, 0);
    s->setState(simRenderState_stage1Blend, 0);
}

void simSceneReflector::setClipPlane(const simCamera* camera) {
    gfx::Device* d = device();
    if (!d || !camera) return;
    // Planes transform by the inverse transpose of the matrix that moves points.
    d3dx::Matrix viewProjection, inverse, inverseTranspose;
    d3dx::MatrixMultiply(&viewProjection, &camera->getViewMatrix(), &camera->getProjectionMatrix());
    d3dx::MatrixInverse(&inverse, nullptr, &viewProjection);
    d3dx::MatrixTranspose(&inverseTranspose, &inverse);
    const d3dx::Vector4 plane(m_clipPlane.a, m_clipPlane.b, m_clipPlane.c, m_clipPlane.d);
    d3dx::Vector4 clipSpace;
    d3dx::Vec4Transform(&clipSpace, &plane, &inverseTranspose);
    const float values[4] = {clipSpace.x, clipSpace.y, clipSpace.z, clipSpace.w};
    d->SetClipPlane(0, values);
    d->SetRenderState(gfx::D3DRS_CLIPPLANEENABLE, 1);
}
