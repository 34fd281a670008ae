// The renderer's half of device loss: the six hooks, the lost-device frame
// step and the device update of the window.
//
// Device state as the renderer sees it: usable (cache valid, resources not
// released); lost (cache not valid: Present reported a lost device, or an
// update is running); reset pending (not valid, released: the reset phase ran
// and Reset failed). From lost, each frame calls `handleLostDevice`; from
// reset pending it goes straight to Reset without releasing again.
#include <cstdio>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"

using namespace gfx;

void simRenderer::registerDeviceDependantObject(simDeviceDependantObject* object) {
    if (object) m_deviceObjects.add(object);
}

void simRenderer::unregisterDeviceDependantObject(simDeviceDependantObject* object) {
    m_deviceObjects.remove(object);
}

void simRenderer::forEachDeviceObject(void (simDeviceDependantObject::*hook)()) {
    // Objects made or destroyed by a hook are handled by the list itself: a
    // destroyed one is not called again, a new one joins the next walk.
    m_deviceObjects.forEach([hook](simDeviceDependantObject* object) { (object->*hook)(); });
}

void simRenderer::onDeviceRelease() {
    releaseDeviceSurfaces();
    forEachDeviceObject(&simDeviceDependantObject::onDeviceRelease);
}

void simRenderer::onDeviceReset() { forEachDeviceObject(&simDeviceDependantObject::onDeviceReset); }

void simRenderer::onDeviceResetEnd() { forEachDeviceObject(&simDeviceDependantObject::onDeviceResetEnd); }

void simRenderer::onDeviceRestoreBegin() {
    restoreRenderTarget();
    forEachDeviceObject(&simDeviceDependantObject::onDeviceRestoreBegin);
}

void simRenderer::onDeviceRestore() { forEachDeviceObject(&simDeviceDependantObject::onDeviceRestore); }

void simRenderer::onDeviceRecreate() {
    forEachDeviceObject(&simDeviceDependantObject::onDeviceRecreate);
    if (m_state) {
        m_state->applyDeviceDefaults();
        m_state->reapplyAll();
    }
    setCameraViewport(nullptr);
}

void simRenderer::restoreRenderTarget() {
    takeDeviceSurfaces();
    if (m_keepBackBufferCopy) makeBackBufferCopy("restoreRenderTarget - CreateOffscreenPlainSurface failed: ");
}

// The hooks run through the graphics system when there is one, so that it
// adds its scene and camera steps; a renderer on its own runs its own.
void simRenderer::runResetPhase() {
    m_resourcesReleased = true;
    if (g_graphics) {
        g_graphics->onDeviceRelease();
        g_graphics->onDeviceReset();
        g_graphics->onDeviceResetEnd();
    } else {
        onDeviceRelease();
        onDeviceReset();
        onDeviceResetEnd();
    }
}

void simRenderer::runRestorePhase() {
    if (g_graphics) {
        g_graphics->onDeviceRestoreBegin();
        g_graphics->onDeviceRestore();
        g_graphics->onDeviceRecreate();
    } else {
        onDeviceRestoreBegin();
        onDeviceRestore();
        onDeviceRecreate();
    }
    m_resourcesReleased = false;
}

void simRenderer::releaseResourcesOnce() {
    if (m_resourcesReleased) return;
    simRendererLog("  Resetting resources...");
    runResetPhase();
    simRendererLog("  done\n");
}

void simRenderer::restoreResources() {
    simRendererLog("  Restoring resources...");
    runRestorePhase();
    simRendererLog("  done\n");
    if (g_application) g_application->clearList();
}

bool simRenderer::handleLostDevice() {
    simRendererLog("Handling lost device:\n");
    releaseResourcesOnce();
    simRendererLog("  Changing display mode...");
    D3DPRESENT_PARAMETERS params = buildPresentParameters();
    if (!m_device || FAILED(m_device->Reset(&params))) {
        simRendererLog("failed\n");
        return false;
    }
    simRendererLog("  done\n");
    restoreResources();
    simRendererLog("Lost device handled\n");
    if (m_state) m_state->setValid(true);
    return true;
}

void simRenderer::updateDevice() {
    simRendererLog("Updating rendering device:\n");
    // A new size or device settings: the view is drawn again.
    simRequestRedraw();
    D3DPRESENT_PARAMETERS params = buildPresentParameters();
    releaseResourcesOnce();
    if (m_state) m_state->setValid(false);

    simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    char line[256];
    std::snprintf(line, sizeof line, "  %dx%d @ %dHz\n  %s mode\n  Vsync: %s\n  Antialiasing: %s\n",
                  int(params.BackBufferWidth), int(params.BackBufferHeight), window ? window->getRefreshRate() : 0,
                  window && window->isFullscreen() ? "fullscreen" : "windowed",
                  window && window->getVsync() ? "On" : "Off", window && window->getAntialiasing() ? "On" : "Off");
    simRendererLog(line);

    if (!m_device || FAILED(m_device->Reset(&params))) {
        // The cache stays invalid, so the next frame retries through
        // handleLostDevice without releasing again.
        simRendererLog("  Resolution change failed\n");
        return;
    }
    if (m_state) m_state->setValid(true);
    restoreResources();
    simRendererLog("Rendering device updated\n");
}
