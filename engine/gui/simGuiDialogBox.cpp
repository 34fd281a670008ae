#include "engine/gui/simGuiDialogBox.h"

#include <array>
#include <cstdlib>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"

namespace {

constexpr int kDialogTitleFont = 2;  // simGuiFontId_dialogTitle
// The title is shortened this many characters at most.
constexpr int kMaxTitleCuts = 100;

const std::array<std::string, 6> kStyleNames = {
    "simGuiDialogBoxStyle_titleBar",          "simGuiDialogBoxStyle_noTitleBar", "simGuiDialogBoxStyle_minimumTitleBar",
    "simGuiDialogBoxStyle_divider",           "simGuiDialogBoxStyle_invisible",  "simGuiDialogBoxStyle_widget",
};

// "Integer text" as a flag: its leading decimal number is not 0 (no digits
// give 0; strtol saturates where atoi would overflow).
bool flagOf(const std::string& value) { return std::strtol(value.c_str(), nullptr, 10) != 0; }

}  // namespace

simGuiDialogBox::simGuiDialogBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                                 std::string title, const std::string& anchorName, simTexture* icon)
    : simGuiElement(std::move(name), x, y, width, height),
      m_icon(icon),
      m_title(std::move(title)),
      m_anchor(simGuiElementManager::parseAnchor(anchorName)) {
    shortenTitle();
    if (g_guiElementManager) {
        g_guiElementManager->addDialog(this);
        g_guiElementManager->refreshModalDialog();
    }
    m_appearTimer.start();
}

simGuiDialogBox::~simGuiDialogBox() {
    if (!g_guiElementManager) return;
    g_guiElementManager->removeDialog(this);
    m_dialogModal = false;
    g_guiElementManager->refreshModalDialog();
}

int32_t simGuiDialogBox::parseStyle(const std::string& name) {
    for (size_t i = 0; i < kStyleNames.size(); ++i)
        if (kStyleNames[i] == name) return static_cast<int32_t>(i);
    return titleBar;
}

void simGuiDialogBox::shortenTitle() {
    simFont* font = g_guiElementManager ? g_guiElementManager->fonts[kDialogTitleFont] : nullptr;
    if (!font) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    bool shortened = false;
    for (int i = 0; i < kMaxTitleCuts; ++i) {
        const float right = canvas.measureText(font, shortened ? m_title + "..." : m_title).x;
        if (m_title.size() <= 1 || right <= static_cast<float>(m_width - 10)) break;
        // Whole UTF-8 code points go, never half of one.
        size_t cut = m_title.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(m_title[cut]) & 0xC0) == 0x80) --cut;
        m_title.erase(cut);
        shortened = true;
    }
    if (shortened) m_title += "...";
}

void simGuiDialogBox::readAttributes(const std::string& key, const std::string& value) {
    if (key == "modal") {
        m_dialogModal = flagOf(value);
        if (g_guiElementManager) g_guiElementManager->refreshModalDialog();
    } else if (key == "positionable") {
        m_positionable = flagOf(value);
    } else if (key == "resizable") {
        m_resizable = flagOf(value);
    } else if (key == "style") {
        m_style = parseStyle(value);
    }
}

int32_t simGuiDialogBox::getX() { return static_cast<int32_t>(static_cast<float>(m_x) + m_alignmentOffset[0]); }

int32_t simGuiDialogBox::getY() { return static_cast<int32_t>(static_cast<float>(m_y) + m_alignmentOffset[1]); }

// ---- Visibility, shared with the title-bar buttons

void simGuiDialogBox::show(float ms, bool flag) {
    simGuiElement::show(ms, flag);
    for (int32_t kind : {helpButton, exitButton, minimiseButton})
        if (simGuiElement* button = findButton(kind)) button->show(ms, flag);
}

void simGuiDialogBox::hide(float ms, bool destroy) {
    simGuiElement::hide(ms, destroy);
    for (int32_t kind : {helpButton, exitButton, minimiseButton})
        if (simGuiElement* button = findButton(kind)) button->hide(ms, destroy);
}

void simGuiDialogBox::setVisible(bool visible) {
    simGuiElement::setVisible(visible);
    for (int32_t kind : {helpButton, exitButton, minimiseButton})
        if (simGuiElement* button = findButton(kind)) button->setVisible(visible);
}

// The title-bar buttons are the dialog's own: they would otherwise stay on
// screen, orphaned, after it.
void simGuiDialogBox::removeFromCollection() {
    for (int32_t kind : {helpButton, exitButton, minimiseButton})
        if (simGuiElement* button = findButton(kind)) button->removeFromCollection();
    simGuiElement::removeFromCollection();
}

// ---- Anchor placement

void simGuiDialogBox::update() {
    simGuiElement::update();
    placeByAnchor();
}

void simGuiDialogBox::placeByAnchor() {
    if (!g_graphics || !g_graphics->getWindow() || m_anchor < 0 || m_anchor >= 14) return;
    // Where each anchor (0 floating .. 13 bottomCentre) puts x and y: kept,
    // at the near edge, at the far edge or centred.
    enum Place { keep, nearEdge, farEdge, centred };
    struct Rule {
        Place x, y;
    };
    static constexpr Rule kRules[14] = {
        {keep, keep},         {nearEdge, nearEdge}, {keep, nearEdge},    {farEdge, nearEdge}, {farEdge, keep},
        {farEdge, farEdge},   {keep, farEdge},      {nearEdge, farEdge}, {nearEdge, keep},    {centred, centred},
        {nearEdge, centred},  {centred, nearEdge},  {farEdge, centred},  {centred, farEdge},
    };
    const auto place = [](Place p, int32_t current, int32_t nearEdgeAt, float view, int32_t size) {
        const float extent = static_cast<float>(size);
        switch (p) {
            case nearEdge: return nearEdgeAt;
            case farEdge: return static_cast<int32_t>(view - extent - 5.0f);
            case centred: return static_cast<int32_t>(view * 0.5f - extent * 0.5f);
            case keep: break;
        }
        return current;
    };
    const Rule& rule = kRules[m_anchor];
    m_x = place(rule.x, m_x, 5, g_graphics->getWindow()->getBackBufferWidth(), m_width);
    m_y = place(rule.y, m_y, 30, g_graphics->getWindow()->getBackBufferHeight(), m_height);
}

// Raises x to 5 and y to 30, and keeps the far edges 5 pixels inside the
// back buffer.
void simGuiDialogBox::keepInView() {
    if (!g_graphics || !g_graphics->getWindow()) return;
    const float wb = g_graphics->getWindow()->getBackBufferWidth();
    const float hb = g_graphics->getWindow()->getBackBufferHeight();
    if (m_x < 5) m_x = 5;
    if (m_y < 30) m_y = 30;
    if (static_cast<float>(m_x + m_width) > wb - 5.0f) m_x = static_cast<int32_t>(wb - 5.0f - static_cast<float>(m_width));
    if (static_cast<float>(m_y + m_height) > hb - 5.0f)
        m_y = static_cast<int32_t>(hb - 5.0f - static_cast<float>(m_height));
}
