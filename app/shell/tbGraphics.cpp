#include "app/shell/tbGraphics.h"

#include "app/shell/tbCamera.h"
#include "app/shell/tbProject.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"

namespace {

constexpr uint32_t kStateDepthWrite = 9;
constexpr uint32_t kStateDepthFunction = 10;
constexpr uint32_t kDepthLessEqual = 4;

const d3dx::Vector2 kWindowSize{800.0f, 600.0f};
const int32_t kDisplayMode[3] = {800, 600, 60};

void drawCameraName() {
    const tbCamera* camera = tbCamera::viewCamera();
    auto* font = dynamic_cast<simFont*>(simResources::getResource("cameraFont", false));
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    if (!camera || !font || !window) return;
    gfx::RECT box{};
    font->measureText(camera->getName(), -1, &box);
    const float x = window->getBackBufferWidth() - static_cast<float>(box.right - box.left) - tbGraphics::kNameMargin;
    const float y = window->getBackBufferHeight() - static_cast<float>(box.bottom - box.top) - tbGraphics::kNameMargin;
    simColour colour;
    colour.red = colour.green = colour.blue = 255;
    colour.alpha = 200;
    font->drawText(camera->getName(), x, y, colour);
}

}  // namespace

tbGraphics::tbGraphics(uint32_t value, const d3dx::Vector2& position, bool windowState)
    : simGraphics(value, position, kWindowSize, kDisplayMode, /*fullscreen*/ false, /*vsync*/ false,
                  /*antialiasing*/ false, /*backBufferCount*/ 2, /*keepBackBufferCopy*/ false, /*style*/ 3,
                  windowState ? 1u : 0u) {}

void tbGraphics::renderFrameDefault() {
    simRenderer* renderer = getRenderer();
    if (!getWindow() || !renderer || getWindow()->getWindowState() == 0) return;
    // A lost device is reset before the scene begins: the device refuses a
    // reset inside a scene, so the engine's own check in renderFrame would
    // fail every frame and the view would never come back.
    simRendererState* state = renderer->getState();
    if (state && !state->isValid() && !renderer->handleLostDevice()) return;
    renderer->beginScene(true, true, true);
    renderFrame(false, false, 0);
    if (!renderer->isInScene()) return;  // a lost device skipped the frame
    if (tbProject* project = tbProject::current()) {
        renderer->getState()->setState(kStateDepthWrite, 1);
        renderer->getState()->setState(kStateDepthFunction, kDepthLessEqual);
        project->render();
    }
    if (manipulatorContainer* container = manipulatorContainer::current()) container->drawAll();
    drawCameraName();
    renderer->endSceneWithoutPresent();
}

void tbGraphics::postSceneRender() {
    auto* scene = dynamic_cast<simScene*>(getScene());
    if (!scene) return;
    for (simCamera* camera : scene->getCameras().getList()) {
        setCurrentCamera(camera);
        getRenderer()->setCameraViewport(camera);
    }
}
