#include "engine/gui/simGuiEditBox.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsStrings.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiClipboard.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"
#include "engine/gui/simGuiUtf8.h"

namespace {

enum Key : uint32_t {
    kBackspace = 8, kTab = 9, kEnter = 13, kEscape = 27, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39,
    kDelete = 46, kC = 'C', kV = 'V', kX = 'X',
};

// The background's atlas column: idle, hovered (+32) and editing (+64) cells
// of 32 x 22 with 8-pixel corners.
constexpr float kCellU = 32, kCellV = 256;

// The keys the box acts on while editing, pressed, held or released: they
// are the box's own, so no list, table or tree behind it acts on them too.
bool isEditingKey(const simInputEvent& event) {
    switch (event.key) {
        case kBackspace:
        case kTab:
        case kEnter:
        case kEscape:
        case kEnd:
        case kHome:
        case kLeft:
        case kRight:
        case kDelete: return true;
        case kC:
        case kV:
        case kX: return event.ctrl;
        default: return false;
    }
}

void restart(utils::Timer& timer, double elapsedMs = 0.0) {
    timer.reset();
    timer.setElapsed(elapsedMs);
    timer.start();
}

}  // namespace

simGuiEditBox::simGuiEditBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                             std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height), m_changeFunction(std::move(changeFunction)) {
    m_repeatTimer.start();
    m_editTimer.start();
    m_caretTimer.start();
}

simGuiEditBox::~simGuiEditBox() = default;

bool simGuiEditBox::inside(int32_t x, int32_t y) {
    const int32_t ex = getX(), ey = getY();
    return ex < x && x < ex + getWidth() && ey < y && y < ey + getHeight();
}

void simGuiEditBox::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "numericOnlyInteger" || key == "numericOnlyFloat") {
        m_numericOnly = std::atoi(value.c_str()) != 0;
        m_integerOnly = key == "numericOnlyInteger";
    } else if (key == "rangeLow") {
        m_rangeLow = std::atof(value.c_str());
    } else if (key == "rangeHigh") {
        m_rangeHigh = std::atof(value.c_str());
    } else if (key == "units") {
        m_units = value;
    } else if (key == "password") {
        m_password = std::atoi(value.c_str()) != 0;
    } else if (key == "previousTabStopElement") {
        m_previousTabStop = value;
    } else if (key == "nextTabStopElement") {
        m_nextTabStop = value;
    }
}

void simGuiEditBox::setNumber(double value) {
    if (!(m_rangeLow == 0.0 && m_rangeHigh == 0.0)) value = std::max(m_rangeLow, std::min(value, m_rangeHigh));
    if (!std::isfinite(value)) value = 0.0;
    m_data = static_cast<float>(value);
    std::string formatted;
    if (m_integerOnly) {
        char text[32];
        const double whole = std::trunc(value);
        std::snprintf(text, sizeof text, "%.0f", std::fabs(whole) < 1e15 ? whole + 0.0 : 0.0);
        formatted = text;
    } else {
        formatted = utils::floatToShortString(static_cast<float>(value));
    }
    if (m_state == editing) {
        m_editBuffer = formatted;
        m_caret = std::min(m_caret, guiUtf8::length(m_editBuffer));
    } else {
        m_text = formatted;
    }
}

void simGuiEditBox::setData(float value) {
    m_data = value;
    setNumber(value);
}

void simGuiEditBox::fireChange() {
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name, m_text}, simGuiScriptFallback::none);
}

void simGuiEditBox::releaseKeyboard() {
    if (g_guiElementManager && g_guiElementManager->editElement == this) {
        g_guiElementManager->editElement = nullptr;
        g_guiElementManager->editTimer.reset();
        g_guiElementManager->editTimer.start();
    }
}

void simGuiEditBox::setVisible(bool visible) {
    simGuiElement::setVisible(visible);
    if (!visible) releaseKeyboard();
}

void simGuiEditBox::beginEdit() {
    m_state = editing;
    restart(m_editTimer);
    m_editBuffer = m_text;
    m_caret = guiUtf8::length(m_text);
    m_allSelected = true;
    if (g_guiElementManager) {
        g_guiElementManager->editElement = this;
        g_guiElementManager->bringToFront(this);
    }
}

// One report per commit, after the number (if any) is formatted.
void simGuiEditBox::commit(bool commaIsPoint) {
    m_text = m_editBuffer;
    m_state = idle;
    releaseKeyboard();
    if (m_numericOnly) {
        if (commaIsPoint) std::replace(m_text.begin(), m_text.end(), ',', '.');
        setNumber(std::atof(m_text.c_str()));
    }
    fireChange();
}

void simGuiEditBox::cancelEdit() {
    m_state = idle;
    m_editBuffer.clear();
    releaseKeyboard();
}

void simGuiEditBox::clearSelection() {
    m_editBuffer.clear();
    m_caret = 0;
    m_allSelected = false;
}

void simGuiEditBox::insert(const std::string& text) {
    if (m_allSelected) clearSelection();
    m_editBuffer.insert(guiUtf8::offset(m_editBuffer, m_caret), text);
    m_caret += guiUtf8::length(text);
}

bool simGuiEditBox::onCharacter(uint32_t codePoint) {
    if (codePoint < 32 || codePoint == 127) return false;  // control characters come as keys
    if (m_numericOnly && !((codePoint >= '0' && codePoint <= '9') || codePoint == '.' || codePoint == ',' ||
                           codePoint == '-'))
        return false;
    const std::string encoded = guiUtf8::encode(codePoint);
    if (encoded.empty()) return false;
    insert(encoded);
    return true;
}

void simGuiEditBox::onKeyReleased(const simInputEvent& event) {
    switch (event.key) {
        case kEnter: commit(true); break;
        case kEscape: cancelEdit(); break;
        case kHome: m_caret = 0; break;
        case kEnd: m_caret = guiUtf8::length(m_editBuffer); break;
        case kV: {
            std::string pasted;
            if (event.ctrl && simGuiClipboard::current().getText(pasted)) insert(pasted);
            break;
        }
        case kC:
        case kX:
            if (!event.ctrl) break;
            simGuiClipboard::current().setText(m_editBuffer);
            if (event.key == kX) clearSelection();
            break;
        default: break;
    }
}

void simGuiEditBox::onKeyDown(const simInputEvent& event) {
    const bool newPress = event.keyState == simKeyState_pressed;
    restart(m_caretTimer);
    restart(m_repeatTimer, newPress || event.key == kTab ? 0.0 : kRepeatDelayMs - kRepeatPeriodMs);
    const int32_t length = guiUtf8::length(m_editBuffer);
    switch (event.key) {
        case kTab: {
            if (!newPress || !g_guiElementManager) break;
            const std::string& name = event.shift ? m_previousTabStop : m_nextTabStop;
            simGuiEditBox* next = name.empty() ? nullptr : g_guiElementManager->findElementOf<simGuiEditBox>(name);
            if (!next) break;
            commit(false);
            next->beginEdit();
            break;
        }
        case kDelete:
            if (m_allSelected) {
                clearSelection();
            } else if (m_caret < length) {
                const size_t at = guiUtf8::offset(m_editBuffer, m_caret);
                m_editBuffer.erase(at, guiUtf8::offset(m_editBuffer, m_caret + 1) - at);
            }
            break;
        case kBackspace:
            if (m_allSelected) {
                clearSelection();
            } else if (m_caret > 0) {
                const size_t at = guiUtf8::offset(m_editBuffer, m_caret - 1);
                m_editBuffer.erase(at, guiUtf8::offset(m_editBuffer, m_caret) - at);
                --m_caret;
            }
            break;
        case kLeft: m_caret = std::max(m_caret - 1, 0), m_allSelected = false; break;
        case kRight: m_caret = std::min(m_caret + 1, length), m_allSelected = false; break;
        case kHome: m_caret = 0, m_allSelected = false; break;
        case kEnd: m_caret = length, m_allSelected = false; break;
        default: break;
    }
}

void simGuiEditBox::onEvent(simInputEvent* event) {
    if (!event || !acceptsInput()) return;
    simGuiElement::onEvent(event);
    const bool settled = m_editTimer.getElapsed() > kSettleMs;
    if (event->type == simInputEvent_mouseMove && (m_state == idle || m_state == hovered)) {
        if (inside(event->x, event->y)) {
            m_state = hovered;
        } else if (m_state == hovered && settled) {
            m_state = idle;
            releaseKeyboard();
        }
    }
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (event->type == simInputEvent_mouseButton && event->button == simMouseButton_left &&
        !(mouse && mouse->wasDragEnded(simMouseButton_left))) {
        if (m_state == hovered && event->buttonState == simButtonState_released) {
            beginEdit();
            return;
        }
        if (m_state == editing && settled) {
            if (!inside(event->x, event->y)) {
                commit(false);
                return;
            }
            if (event->buttonState == simButtonState_released) m_allSelected = !m_allSelected;
        }
    }
    if (m_state != editing || !settled) return;
    bool handled = false;
    if (event->type == simInputEvent_key) {
        handled = isEditingKey(*event);
        if (event->keyState == simKeyState_released) {
            onKeyReleased(*event);
        } else if (event->keyState == simKeyState_pressed ||
                   (event->keyState == simKeyState_held && m_repeatTimer.getElapsed() > kRepeatDelayMs)) {
            onKeyDown(*event);
        }
    } else if (event->type == simInputEvent_character) {
        handled = onCharacter(event->key);
    }
    if (handled && g_application) g_application->eventConsumed = true;
}

std::string simGuiEditBox::shownText() {
    std::string shown = m_state == editing ? m_editBuffer : m_text;
    if (m_password) shown.assign(static_cast<size_t>(guiUtf8::length(shown)), '*');
    if (!m_units.empty()) shown += " " + m_units;
    if (m_state == editing || !m_font) return shown;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float room = static_cast<float>(getWidth()) - 8.0f;
    if (canvas.measureText(m_font, shown).x <= room) return shown;
    int32_t keep = guiUtf8::length(shown);
    while (keep > 0 && canvas.measureText(m_font, shown.substr(0, guiUtf8::offset(shown, keep)) + "...").x > room)
        --keep;
    return shown.substr(0, guiUtf8::offset(shown, keep)) + "...";
}

void simGuiEditBox::render() {
    if (!m_visible || m_fadingOut) return;
    simGuiElement::render();
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    const uint32_t alpha = static_cast<uint32_t>(getAlpha() * (m_enabled ? 255.0f : 155.0f));
    if (g_guiElementManager && g_guiElementManager->themeTexture) {
        float v = kCellV;
        if (m_enabled && m_state == editing) {
            v += 64.0f;
        } else if (m_enabled && (m_state == hovered || (m_flashing && m_flashPhase))) {
            v += 32.0f;
        }
        std::vector<simScreenRect> pieces;
        buildNineSliceCell(x, y, x + w, y + h, kCellU, v, 32, 22, 8, alpha << 24 | 0xFFFFFFu, pieces);
        canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
    simFont* font = g_guiElementManager ? g_guiElementManager->fonts[0] : nullptr;
    if (!font) return;
    const std::string shown = shownText();
    const d3dx::Vector2 size = canvas.measureText(font, shown);
    simColour ink;
    ink.set(static_cast<int>(alpha), 0, 0, 0);
    canvas.drawText(font, shown, x + 4.0f, y + h * 0.5f - size.y * 0.5f, ink, false);
    if (m_state != editing) return;
    const uint32_t caretAlpha = static_cast<uint32_t>(getAlpha() * 255.0f);
    if (std::sin(m_caretTimer.getElapsed() / 200.0) > 0.0) {
        const float before = canvas.measureText(font, shown.substr(0, guiUtf8::offset(shown, m_caret))).x;
        canvas.drawRect({x + 4.0f + before, y + 4.0f}, {x + 5.0f + before, y + h - 4.0f}, caretAlpha << 24);
    }
    if (m_allSelected) {
        const uint32_t selectionAlpha = static_cast<uint32_t>(getAlpha() * 75.0f);
        canvas.drawRect({x + 4.0f, y + 4.0f}, {x + 4.0f + size.x, y + h - 4.0f}, selectionAlpha << 24);
    }
}
