#include "app/shell/CDlgOptionsTarget.h"

#include "app/shell/tbOptions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"

namespace {

simWindow* engineWindow() { return g_graphics ? g_graphics->getWindow() : nullptr; }

}  // namespace

bool tbOptionsTarget::storedAntialiasing() const { return options_.antialiasing; }

simColour tbOptionsTarget::storedBackground() const { return options_.backdropColour; }

void tbOptionsTarget::storeAntialiasing(bool on) {
    options_.antialiasing = on;
    if (g_options) g_options->default_antialiasing = on;
}

void tbOptionsTarget::storeBackground(const simColour& colour) { options_.backdropColour = colour; }

void tbOptionsTarget::setWindowAntialiasing(bool on) {
    if (simWindow* window = engineWindow()) window->setAntialiasing(on);
}

void tbOptionsTarget::setClearColour(uint32_t argb) {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (renderer && renderer->getState()) renderer->getState()->setState(simRenderState_clearColour, argb);
}

void tbOptionsTarget::applyWindowChanges() {
    if (simWindow* window = engineWindow()) window->applyChanges();
}
