// The engine application's frame: update, deferred deletion, event delivery,
// the render-list broadcasts, the redraw and the loading screen.
#include "engine/core/simApplication.h"

#include <mutex>
#include <utility>

#include "engine/core/simApplicationSync.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simObject.h"
#include "engine/core/simProfiler.h"
#include "engine/core/simSystemLinks.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/sys/clock.h"

// Marks the frame as running for one scope. A frame step that finds a frame
// already running (a modal loop entered from inside the frame ran the host's
// timer again) does nothing, so the lists being walked outside are not walked
// again from inside.
class simApplication::FrameGuard {
public:
    explicit FrameGuard(simApplication& app) : m_app(app), m_entered(app.m_frameDepth == 0) {
        ++m_app.m_frameDepth;
    }
    ~FrameGuard() { --m_app.m_frameDepth; }
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;
    bool entered() const { return m_entered; }

private:
    simApplication& m_app;
    bool m_entered;
};

namespace {

// The graphics system's own part of a frame or of a render-list broadcast, when it exists.
template <typename Hook, typename... Arguments>
void callGraphics(Hook hook, Arguments&&... arguments) {
    if (g_graphics && hook) hook(std::forward<Arguments>(arguments)...);
}

}  // namespace

// ---- Update

void simApplication::update() {
    {
        FrameGuard guard(*this);
        if (!guard.entered()) return;
        const simSystemLinks& links = systemLinks();
        if (g_input && links.input.clearKeyboardPressed) links.input.clearKeyboardPressed();
        if (links.window.pumpMessages) links.window.pumpMessages();
        m_updateList.forEach([](simObject* object) {
            if (object->hasUpdateFlag()) object->update();
        });
        updateTimers();
    }
    purgeSafeDeleteObjects(false);
}

void simApplication::preUpdateObjects() {
    m_updateList.forEach([](simObject* object) {
        if (object->hasUpdateFlag()) object->preUpdate();
    });
}

void simApplication::postUpdateObjects() {
    m_updateList.forEach([](simObject* object) {
        if (object->hasUpdateFlag()) object->postUpdate();
    });
}

void simApplication::preDynamicsObjects() {
    m_physicsList.forEach([](simObject* object) { object->preDynamics(); });
}

void simApplication::dynamicsStepObjects(float step) {
    m_physicsList.forEach([step](simObject* object) { object->dynamicsStep(step); });
}

void simApplication::fixedUpdateObjects() {
    m_updateList.forEach([](simObject* object) { object->fixedUpdate(); });
}

void simApplication::updateTimers() {
    m_timers.forEach([this](simTimerRecord* timer) {
        if (timer->isMarkedForDeletion()) return;
        if (timer->stopwatch.getElapsed() >= timer->intervalMs) {
            // What a timer's callback changes is drawn.
            requestRedraw();
            timer->stopwatch.reset();
            timer->stopwatch.start();
            timer->callback(timer->userData.data());
        }
    });
}

// ---- Deferred deletion

void simApplication::purgeSafeDeleteObjects(bool forced) {
    if (m_safeDeleteList.rawSize() == 0) return;
    // Inside a frame (a modal loop opened mid-frame runs the host's timer)
    // the frame's own lists may be walking over what is due: it waits for
    // the purge after the frame.
    if (!forced && isInFrame()) return;
    std::lock_guard<std::recursive_mutex> lock(g_dynamicsSync);
    size_t index = 0;
    while (index < m_safeDeleteList.rawSize()) {
        simSafeDeleteObject* object = m_safeDeleteList.rawAt(index);
        if (!object || !(forced || object->isDueForDeletion())) {
            ++index;
            continue;
        }
        delete object;
        // The destructor took the object off the list, and may have deleted,
        // marked or cancelled others: look at the list again from the start.
        // Entries before this one were not due, so the rescan is cheap.
        index = 0;
    }
}

// ---- Events

void simApplication::onEvent(simInputEvent* event) {
    requestRedraw();
    m_eventsList.forEachNewestFirst([event](simObject* object) {
        if (object->hasEventsFlag()) object->onEvent(event);
    });
    callEventCallbacks(event);
}

void simApplication::callEventCallbacks(simInputEvent* event) {
    m_eventCallbacks.forEach([event](simEventCallbackRecord* record) {
        if (!record->isMarkedForDeletion()) record->callback(event, record->userData.data());
    });
}

// ---- Redraw and the render-list broadcasts

void simApplication::redraw() {
    FrameGuard guard(*this);
    if (!guard.entered()) return;
    const simSystemLinks& links = systemLinks();
    if (g_profiler) g_profiler->start("Graphics");
    m_drawing = true;
    m_renderList.forEach([](simObject* object) {
        if (object->hasRenderFlag()) object->preRender();
    });
    callGraphics(links.graphics.renderFrame);
    callGraphics(links.graphics.present);
    m_drawing = false;
    if (g_profiler) g_profiler->stop("Graphics");
}

void simApplication::renderListBroadcast(void (simObject::*hook)(uint32_t), uint32_t argument) {
    m_renderList.forEach([hook, argument](simObject* object) {
        if (object->hasRenderFlag()) (object->*hook)(argument);
    });
}

void simApplication::renderPostScene(uint32_t argument) {
    renderListBroadcast(&simObject::renderPostScene, argument);
    callGraphics(systemLinks().graphics.renderPostScene, argument);
}

void simApplication::renderEffects(uint32_t argument) {
    renderListBroadcast(&simObject::renderEffects, argument);
    callGraphics(systemLinks().graphics.renderEffects, argument);
}

void simApplication::renderShadowCasters() {
    m_renderList.forEach([](simObject* object) {
        if (object->hasRenderFlag()) object->renderShadowCasters();
    });
}

int simApplication::countLitItems() {
    int count = 0;
    m_renderList.forEach([&count](simObject* object) { count += object->countLitItems(); });
    const auto graphicsCount = systemLinks().graphics.countLitItems;
    if (g_graphics && graphicsCount) count += graphicsCount();
    return count;
}

void simApplication::renderLit(uint32_t firstLight) {
    renderListBroadcast(&simObject::renderLit, firstLight);
    callGraphics(systemLinks().graphics.renderLit, firstLight);
}

void simApplication::collectShadowBounds(std::vector<simBoundingBox>& bounds) {
    m_renderList.forEach([&bounds](simObject* object) {
        if (object->hasRenderFlag()) object->collectShadowBounds(bounds);
    });
    callGraphics(systemLinks().graphics.collectShadowBounds, bounds);
}

// ---- Loading screen

void simApplication::beginLoading(int total, bool flag, std::string title) {
    if (m_loading) return;
    m_loadingTitle = std::move(title);
    m_loading = true;
    m_loadingFlag = flag;
    m_loadedCount = 0;
    m_loadingTotal = total;
    m_lastProgressDraw = static_cast<float>(sys::timeGetTime());
}

void simApplication::endLoading() {
    m_loading = false;
    for (simGuiElement* element : m_loadingElements) {
        if (element) element->show(500.0f, true);
    }
    m_loadingElements.clear();
}

void simApplication::showLoadingProgress(int loaded, bool force) {
    if (!m_loading) return;
    if (loaded == 0) {
        ++m_loadedCount;
    } else if (loaded == -1) {
        m_loadedCount = m_loadingTotal;
    } else {
        m_loadedCount = loaded;
    }
    if (m_loadedCount > m_loadingTotal) m_loadedCount = m_loadingTotal;

    const float now = static_cast<float>(sys::timeGetTime());
    if (!(now - m_lastProgressDraw > kLoadingRedrawMs || force)) return;
    m_lastProgressDraw = now;
    if (g_guiElementManager) {
        if (simGuiElement* bar = g_guiElementManager->findElementByName("loadingProgress")) {
            bar->setData(m_loadingTotal != 0 ? static_cast<float>(m_loadedCount) / static_cast<float>(m_loadingTotal)
                                             : 0.0f);
        }
    }
    callGraphics(systemLinks().graphics.drawLoadingScreen, m_loadingElements);
}
