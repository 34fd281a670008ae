#include "engine/gui/simGuiClipboard.h"

namespace {

class ProcessClipboard final : public simGuiClipboard {
public:
    bool getText(std::string& out) override {
        if (!m_held) return false;
        out = m_text;
        return true;
    }
    void setText(const std::string& text) override {
        m_text = text;
        m_held = true;
    }

private:
    std::string m_text;
    bool m_held = false;
};

ProcessClipboard g_processClipboard;
simGuiClipboard* g_installed = nullptr;

}  // namespace

simGuiClipboard& simGuiClipboard::current() { return g_installed ? *g_installed : g_processClipboard; }

void simGuiClipboard::install(simGuiClipboard* clipboard) { g_installed = clipboard; }
