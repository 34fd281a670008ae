#include "engine/core/simInputLinks.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simSystemLinks.h"
#include "platform/win/winWindows.h"

void simLinkInputSystem(simSystemLinks& links) {
    links.input.factory.create = [] { new simInput(); };
    links.input.factory.destroy = [] { delete g_input; };
    links.input.hasMouse = [] { return g_input && g_input->getMouse(); };
    links.input.createMouse = [] { new simMouse(); };
    links.input.hasKeyboard = [] { return g_input && g_input->getKeyboard(); };
    links.input.createKeyboard = [] { new simKeyboard(); };
    links.input.clearKeyboardPressed = [] {
        if (g_input && g_input->getKeyboard()) g_input->getKeyboard()->clearPressed();
    };
    links.input.keyDown = [](uint32_t key) {
        return g_input && g_input->getKeyboard() && g_input->getKeyboard()->isKeyDown(key) ? 1 : 0;
    };
    links.input.keyPressed = [](uint32_t key) {
        return g_input && g_input->getKeyboard() && g_input->getKeyboard()->wasKeyReleased(key) ? 1 : 0;
    };

    links.window.activateOtherInstance = [](const std::string& title) {
        return win::ActivateOtherInstance(title);
    };
    links.window.registerClass = [](win::HINSTANCE instance) {
        if (g_application) g_application->_registerClass(instance);
    };
    links.window.unregisterClass = [] {
        if (g_application) g_application->_unregisterClass();
    };
    links.window.pumpMessages = [] {
        if (g_application) g_application->pumpMessages();
    };
}
