#include "engine/graphics/simRendererStateObject.h"

#include <unordered_set>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

namespace {

// Every live state object. Looked up only when a cache entry changes, never
// on the path that skips an unchanged state.
std::unordered_set<const simRendererStateObject*>& liveObjects() {
    static std::unordered_set<const simRendererStateObject*> objects;
    return objects;
}

}  // namespace

simRendererStateObject::simRendererStateObject() { liveObjects().insert(this); }

simRendererStateObject::~simRendererStateObject() {
    liveObjects().erase(this);
    if (g_graphics && g_graphics->getRenderer() && g_graphics->getRenderer()->getState())
        g_graphics->getRenderer()->getState()->forgetObject(this);
}

const simRendererStateObject* simRendererStateObject::find(simStateValue value) {
    if (value == 0) return nullptr;
    const auto* object = reinterpret_cast<const simRendererStateObject*>(value);
    return liveObjects().count(object) ? object : nullptr;
}
