#include "engine/graphics/simDeviceDependantObject.h"

#include "engine/core/simGlobals.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }

}  // namespace

simDeviceDependantObject::simDeviceDependantObject(bool unregistered) : m_unregistered(unregistered) {
    if (m_unregistered) return;
    if (simRenderer* r = renderer()) {
        r->registerDeviceDependantObject(this);
    } else {
        // Without a renderer the object would miss every device reset.
        utils::seriousError("simDeviceDependantObject - no renderer to register with");
        m_unregistered = true;
    }
}

simDeviceDependantObject::~simDeviceDependantObject() {
    if (m_unregistered) return;
    if (simRenderer* r = renderer()) r->unregisterDeviceDependantObject(this);
}
