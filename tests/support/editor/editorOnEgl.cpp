#include "tests/support/editor/editorOnEgl.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/direct3d.h"
#include "tests/support/backBufferPixels.h"

namespace testsupport {

EditorOnEgl::~EditorOnEgl() { stopApplication(); }

bool EditorOnEgl::startApplication(const std::string& settingsFolder, int width, int height) {
    gfx::setDirect3DFactory(nullptr);
    simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" +
                                          settingsFolder + "\"");
    systemLinks() = simSystemLinks{};
    simLinkEngineSystems(systemLinks());
    m_previousSink = tbSetErrorBoxSink(
        [this](const std::string& title, const std::string& text) { boxes.push_back(title + " / " + text); });
    m_started = true;
    app = std::make_unique<CtolvaneBuilderApp>();
    app->createEngine(desktop.addWindow(0, 0, width, height), width, height, nullptr);
    if (!app->getStatusSuccess()) return false;
    app->initialise();
    if (!app->getStatusSuccess()) return false;
    app->setViewWindows(&gate);
    return true;
}

void EditorOnEgl::stopApplication() {
    if (!m_started) return;
    m_started = false;
    app.reset();
    tbSetErrorBoxSink(m_previousSink);
    simApplication::useOwnCommandLine();
    systemLinks() = simSystemLinks{};
}

gfx::HRESULT EditorOnEgl::readBackBuffer(std::vector<uint32_t>& pixels) const {
    const simWindow* window = g_graphics->getWindow();
    return testsupport::readBackBuffer(*g_graphics->getRenderer(), uint32_t(window->getBackBufferWidth()),
                                       uint32_t(window->getBackBufferHeight()), pixels);
}

}  // namespace testsupport
