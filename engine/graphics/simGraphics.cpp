#include "engine/graphics/simGraphics.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simRenderer.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simParticleType.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"

namespace {
simGraphics::SceneFactory g_sceneFactory = nullptr;
}  // namespace

void simGraphics::setSceneFactory(SceneFactory factory) { g_sceneFactory = factory; }

simGraphics::simGraphics(uint32_t value, const d3dx::Vector2& position, const d3dx::Vector2& size,
                         const int32_t resolution[3], bool fullscreen, bool vsync, bool antialiasing,
                         uint32_t backBufferCount, bool keepBackBufferCopy, uint32_t style, uint32_t windowState)
    : m_value(value) {
    m_stopwatch.start();
    g_graphics = this;
    setViewSource(&m_viewSource);
    simRendererLog("Initialising graphics system:\n");
    if (g_resources) simTexture::registerLoaders(*g_resources);
    simGeometry::registerLoader();
    simMaterial::linkShaderParameters();
    simShaderEffect::registerLoader();
    simParticleType::registerLoader();
    new simWindow(position, size, resolution, fullscreen, vsync, antialiasing, style, windowState);
    if (!simRendererStatusGood()) return;
    new simRenderer(backBufferCount, keepBackBufferCopy);
    if (!simRendererStatusGood()) return;
    if (g_sceneFactory) m_scene = g_sceneFactory();
    if (!simRendererStatusGood()) return;
    simRendererSetStatus(true, "success");
    simRendererLog("Graphics system initialised\n");
}

simGraphics::~simGraphics() {
    simRendererLog("Destroying graphics system...");
    delete m_scene;
    m_scene = nullptr;
    delete m_window;  // clears m_window
    delete m_renderer;  // clears m_renderer
    m_window = nullptr;
    m_renderer = nullptr;
    if (g_graphics == this) g_graphics = nullptr;
    if (getViewSource() == &m_viewSource) setViewSource(nullptr);
    if (m_currentCamera) setCurrentCamera(nullptr);
    simRendererLog("done\n");
}

void simGraphics::onDeviceRelease() {
    if (m_renderer) m_renderer->onDeviceRelease();
    if (m_scene) m_scene->onDeviceRelease();
}

void simGraphics::onDeviceReset() {
    if (m_renderer) m_renderer->onDeviceReset();
}

void simGraphics::onDeviceResetEnd() {
    if (m_renderer) m_renderer->onDeviceResetEnd();
}

void simGraphics::onDeviceRestoreBegin() {
    if (m_renderer) m_renderer->onDeviceRestoreBegin();
}

void simGraphics::onDeviceRestore() {
    if (m_renderer) m_renderer->onDeviceRestore();
    onCamerasChanged();
}

void simGraphics::onDeviceRecreate() {
    if (m_renderer) m_renderer->onDeviceRecreate();
    if (m_scene) m_scene->onDeviceRecreate();
}

void simGraphics::onCamerasChanged() { simRendererLog("simGraphics::onCamerasChanged>>>>>>>>>>>>\n"); }

void simGraphics::renderFrameDefault() { renderFrame(true, true, 1); }

void simGraphics::renderFrame(bool clear, bool present, uint32_t) {
    if (!m_window || !m_renderer || m_window->getWindowState() == 0) return;
    simRendererState* state = m_renderer->getState();
    if (!state) return;
    if (!state->isValid() && !m_renderer->handleLostDevice()) return;

    state->setState(simRenderState_cameraViewport, 0);
    if (clear) m_renderer->beginScene(true, true, true);
    if (m_scene) m_scene->render(true, true);

    state->setState(simRenderState_cameraViewport, 0);
    preGuiRender();
    if (g_guiElementManager) g_guiElementManager->render();
    postGuiRender();
    state->setState(simRenderState_cameraViewport, 0);

    if (present && m_renderer->isInScene()) {
        m_renderer->endSceneWithoutPresent();
        m_renderer->present(nullptr);
    }
}

d3dx::Matrix simGraphics::ViewSource::transform(uint32_t which) const {
    d3dx::Matrix m = d3dx::Matrix::identity();
    if (m_graphics.m_renderer) m_graphics.m_renderer->getTransform(which, &m);
    return m;
}

d3dx::Matrix simGraphics::ViewSource::getWorldTransform() const { return transform(simRendererState::world); }

d3dx::Matrix simGraphics::ViewSource::getViewTransform() const { return transform(simRendererState::view); }

d3dx::Matrix simGraphics::ViewSource::getProjectionTransform() const {
    return transform(simRendererState::projection);
}

d3dx::Viewport simGraphics::ViewSource::getViewport() const {
    d3dx::Viewport viewport;
    gfx::D3DVIEWPORT9 onDevice;
    gfx::Device* device = m_graphics.m_renderer ? m_graphics.m_renderer->getDevice() : nullptr;
    if (device && gfx::SUCCEEDED(device->GetViewport(&onDevice))) {
        viewport = {onDevice.X, onDevice.Y, onDevice.Width, onDevice.Height, onDevice.MinZ, onDevice.MaxZ};
    } else if (m_graphics.m_window) {
        viewport.Width = static_cast<uint32_t>(m_graphics.m_window->getBackBufferWidth());
        viewport.Height = static_cast<uint32_t>(m_graphics.m_window->getBackBufferHeight());
    }
    return viewport;
}
