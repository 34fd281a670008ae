#include "engine/gui/simGuiTreeViewBox.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiEditBox.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"
#include "engine/gui/simGuiUtf8.h"

// The label edit box: an edit box that tells its tree view when it goes, so
// the tree never keeps a pointer to a deleted box (a script may destroy the
// box by its name).
class simGuiTreeViewBox::LabelEditBox final : public simGuiEditBox {
public:
    LabelEditBox(simGuiTreeViewBox* tree, const std::string& name)
        : simGuiEditBox(name, 0, 0, 100, 26, "simGuiTreeViewBox_onItemLabelEdited"), m_tree(tree) {}
    ~LabelEditBox() override {
        if (m_tree) m_tree->m_labelEditBox = nullptr;
    }
    void forgetTree() { m_tree = nullptr; }
    // Shows or hides the box around one draw or event without ending its
    // edit: the box stays the manager's edit element while the label is edited.
    void setShown(bool shown) { simGuiElement::setVisible(shown); }

private:
    simGuiTreeViewBox* m_tree;
};

simGuiTreeViewBox::simGuiTreeViewBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                                     std::string creationText, std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height),
      m_creationText(std::move(creationText)),
      m_changeFunction(std::move(changeFunction)) {
    m_labelEditBox = new LabelEditBox(this, m_name + "_editBox");
    m_labelEditBox->setVisible(false);
    m_labelEditBox->disable();
    m_root = std::make_unique<simGuiTreeViewBoxItem>("", nullptr, false);
    m_root->tree = this;
    // A first click is never the second of a double click.
    restartWidgetStopwatch(1000.0);
    if (g_guiElementManager) g_guiElementManager->focusElement = this;
}

simGuiTreeViewBox::~simGuiTreeViewBox() {
    if (m_labelEditBox) {
        m_labelEditBox->forgetTree();
        m_labelEditBox->removeFromCollection();
    }
}

void simGuiTreeViewBox::removeFromCollection() {
    simGuiElement::removeFromCollection();
    if (m_labelEditBox) m_labelEditBox->removeFromCollection();
}

std::unique_ptr<simGuiTreeViewBoxItem> simGuiTreeViewBox::makeItem(std::string label, simTexture* icon, bool bold) {
    auto item = std::make_unique<simGuiTreeViewBoxItem>(std::move(label), icon, bold);
    item->tree = this;
    item->textA = m_itemTextA;
    item->textB = m_itemTextB;
    return item;
}

void simGuiTreeViewBox::setItemTexts(std::string collapsedTexture, std::string expandedTexture) {
    m_itemTextA = std::move(collapsedTexture);
    m_itemTextB = std::move(expandedTexture);
}

void simGuiTreeViewBox::setText(std::string text) {
    if (text.empty()) {
        m_root->deleteChildren();
        m_selectedItem = m_hoverItem = m_editItem = m_editBoxItem = nullptr;
        ++m_itemDeletions;
        return;
    }
    m_root->addChild(makeItem(std::move(text), nullptr, false));
}

std::string simGuiTreeViewBox::getText() { return m_selectedItem ? m_selectedItem->label : std::string(); }

void simGuiTreeViewBox::fireChange() {
    if (!m_selectedItem || m_changeFunction.empty()) return;
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name, m_selectedItem->label}, simGuiScriptFallback::none);
}

bool simGuiTreeViewBox::fireChangeKeepsItems() {
    const uint64_t before = m_itemDeletions;
    fireChange();
    return m_itemDeletions == before;
}

void simGuiTreeViewBox::onItemLabelEdited(simGuiTreeViewBoxItem* item, const std::string& text) {
    if (item) {
        item->label = text;
        simGuiRunCallback(getClassName(), m_labelEditedFunction,
                          {m_name, static_cast<double>(item->id), item->label}, simGuiScriptFallback::none);
    }
    m_editItem = nullptr;
}

float simGuiTreeViewBox::totalContentHeight() const {
    float sum = 0.0f;
    for (const auto& item : m_root->getChildren()) sum += item->contentHeight();
    return sum;
}

void simGuiTreeViewBox::clampScroll() {
    const float content = totalContentHeight();
    if (content < static_cast<float>(m_height) + m_scrollOffset) m_scrollOffset = content - static_cast<float>(m_height);
    if (m_scrollOffset < 0.0f) m_scrollOffset = 0.0f;
}

void simGuiTreeViewBox::bringSubtreeIntoView(simGuiTreeViewBoxItem* item) {
    const float subtree = item->contentHeight();
    const float inView = item->labelRect[1] - static_cast<float>(getY());
    const float h = static_cast<float>(m_height);
    if (inView + subtree > h) m_scrollOffset = std::min(item->top, m_scrollOffset - (h - (inView + subtree)));
}

void simGuiTreeViewBox::expand(simGuiTreeViewBoxItem* item) {
    if (!item) return;
    if (m_singleExpansion && item->parent) {
        // Every other branch closes; the item's own ancestors stay open, so
        // the item stays where it can be seen.
        m_root->collapseAll();
        for (simGuiTreeViewBoxItem* up = item->parent; up && up != m_root.get(); up = up->parent) up->collapsed = false;
    }
    if (!item->collapsed) return;
    item->collapsed = false;
    bringSubtreeIntoView(item);
}

simGuiScrollBand simGuiTreeViewBox::thumbBand() {
    const double y = getY(), h = m_height, content = totalContentHeight();
    return {simGuiThumbEdge(y + 16, h - 32, m_scrollOffset, content),
            simGuiThumbEdge(y + 16, h - 32, m_scrollOffset + h, content)};
}

void simGuiTreeViewBox::scrollBarInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (event.type == simInputEvent_wheel && hasFocus())
        m_scrollOffset += event.wheelDirection ? kWheelStep : -kWheelStep;
    if (event.type == simInputEvent_mouseMove && m_parts.isThumbPressed() && mouse &&
        mouse->isDragging(simMouseButton_left) && m_height > 0) {
        m_scrollOffset = m_dragStartOffset + static_cast<float>(event.y - mouse->getPressY(simMouseButton_left)) /
                                                 static_cast<float>(m_height) * totalContentHeight();
    }
    const int32_t x = getX(), y = getY();
    simGuiScrollParts::Layout layout;
    layout.columnLeft = x + m_width - 26;
    layout.columnRight = x + m_width;
    layout.bands = {simGuiScrollBand{y, y + 16}, simGuiScrollBand{y + m_height - 16, y + m_height}, thumbBand()};
    const simGuiScrollParts::Outcome outcome = m_parts.onEvent(event, layout);
    if (outcome.pressed) m_dragStartOffset = m_scrollOffset;
    m_scrollOffset += static_cast<float>(outcome.step) * simGuiTreeViewBoxItem::kHeight;
}

namespace {

// Calls `visit` on every item in content order (children of collapsed items
// left out) until it returns true; returns whether it did.
template <typename Visit>
bool walkOpenItems(const simGuiTreeViewBoxItem& parent, Visit& visit) {
    for (const auto& child : parent.getChildren()) {
        if (visit(*child)) return true;
        if (!child->collapsed && walkOpenItems(*child, visit)) return true;
    }
    return false;
}

}  // namespace

void simGuiTreeViewBox::hoverInput(const simInputEvent& event) {
    m_hoverItem = nullptr;
    const int32_t x = getX(), y = getY();
    const int32_t right = x + m_width - (m_hasScrollBar ? 16 : 0);
    if (!(x < event.x && event.x < right && y < event.y && event.y < y + m_height)) return;
    // The same bands the render draws the items in.
    float top = static_cast<float>(y + 2) - m_scrollOffset;
    const float mouseY = static_cast<float>(event.y);
    auto visit = [&](simGuiTreeViewBoxItem& item) {
        const float h = item.height();
        if (top <= mouseY && mouseY < top + h) {
            if (item.hoverable) {
                m_hoverItem = &item;
                const float ex = static_cast<float>(event.x - x);
                item.expanderHit = item.indent + 2.0f < ex && ex < item.indent + 22.0f;
            }
            return true;
        }
        top += h;
        return top > mouseY;
    };
    walkOpenItems(*m_root, visit);
}

void simGuiTreeViewBox::clickInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!m_hoverItem || event.type != simInputEvent_mouseButton || event.button != simMouseButton_left ||
        event.buttonState != simButtonState_released || (mouse && mouse->wasDragEnded(simMouseButton_left)))
        return;
    simGuiTreeViewBoxItem* item = m_hoverItem;
    const bool doubleClick = m_widgetStopwatch.getElapsed() < kDoubleClickMs;
    bool expanded = false;
    if (item->hasChildren() && (doubleClick || item->expanderHit)) {
        if (item->collapsed) {
            expand(item);
            expanded = true;
        } else {
            item->collapseAll();
        }
    }
    m_selectedItem = item;
    // A third click is not another double click.
    restartWidgetStopwatch(doubleClick ? 1000.0 : 0.0);
    if (!fireChangeKeepsItems()) return;
    // A script told of the selection may have added children: show them.
    if (expanded && !item->collapsed) bringSubtreeIntoView(item);
    if (m_labelEditing) m_editItem = item;
}

void simGuiTreeViewBox::keyInput(const simInputEvent& event) {
    // The label edit box may have taken the key (the caret's Left and Right).
    if (event.type != simInputEvent_key || event.keyState != simKeyState_released || !m_selectedItem ||
        !hasFocus() || !acceptsInput())
        return;
    simGuiTreeViewBoxItem* item = m_selectedItem;
    const float h = static_cast<float>(m_height);
    switch (event.key) {
        case 38: {  // Up
            simGuiTreeViewBoxItem* next = nullptr;
            const int32_t index = item->indexInParent();
            if (index == 0) {
                if (item->parent != m_root.get()) next = item->parent;
            } else if (index > 0) {
                next = item->parent->getChild(index - 1);
                while (next && !next->collapsed && next->hasChildren()) next = next->getChildren().back().get();
            }
            if (!next) return;
            m_selectedItem = next;
            if (!fireChangeKeepsItems()) return;
            if (next->top < m_scrollOffset) m_scrollOffset = next->top - 5.0f;
            if (next->bottom > m_scrollOffset + h) m_scrollOffset = next->bottom - h;
            if (m_scrollOffset < 0.0f) m_scrollOffset = 0.0f;
            return;
        }
        case 40: {  // Down
            simGuiTreeViewBoxItem* next = nullptr;
            if (!item->collapsed && item->hasChildren()) {
                next = item->getChild(0);
            } else {
                for (simGuiTreeViewBoxItem* from = item; from && from != m_root.get() && !next; from = from->parent)
                    next = from->parent ? from->parent->getChild(from->indexInParent() + 1) : nullptr;
            }
            if (!next) return;
            m_selectedItem = next;
            if (!fireChangeKeepsItems()) return;
            while (next->bottom > m_scrollOffset + h && next->height() > 0.0f) m_scrollOffset += next->height();
            return;
        }
        case 39:  // Right
            item->collapsed = false;
            fireChange();
            return;
        case 37:  // Left
            item->collapsed = true;
            fireChange();
            return;
        default: return;
    }
}

void simGuiTreeViewBox::onEvent(simInputEvent* event) {
    if (!event || !acceptsInput()) return;
    simGuiElement::onEvent(event);
    if (m_hasScrollBar) scrollBarInput(*event);
    clampScroll();
    // The label being edited takes the event first, so a click on another
    // item commits the edit to the item it was made for before the click
    // starts editing the other.
    if (m_labelEditing && m_labelEditBox && m_editItem) {
        // The box acts only while shown; it is shown while drawn over the label.
        m_labelEditBox->setShown(true);
        m_labelEditBox->onEvent(event);
        if (m_labelEditBox) m_labelEditBox->setShown(false);
    }
    if (!m_parts.isThumbPressed()) {
        if (event->type == simInputEvent_mouseMove) hoverInput(*event);
        clickInput(*event);
    }
    keyInput(*event);
}

float simGuiTreeViewBox::layout(simGuiTreeViewBoxItem* item, float y, float indent,
                               std::vector<simGuiTreeViewBoxItem*>& inView) {
    const float boxY = static_cast<float>(getY());
    const float h = item->height();
    const float screenTop = boxY + 2.0f + y - m_scrollOffset;
    item->top = y;
    item->bottom = y + h;
    item->indent = indent;
    float labelX = indent + 7.0f;
    if (item->icon) labelX += std::min(static_cast<float>(item->icon->getWidth()), static_cast<float>(m_iconSize)) + 3.0f;
    if (item->hasChildren()) labelX += 22.0f;
    item->labelRect[0] = static_cast<float>(getX()) + labelX - 3.0f;
    item->labelRect[1] = screenTop;
    item->labelRect[2] = m_rowWidth - labelX;
    item->labelRect[3] = h;
    item->labelVisible = screenTop + h > boxY && screenTop < boxY + static_cast<float>(m_height);
    if (item->labelVisible) inView.push_back(item);
    y += h;
    // Items out of view are laid out too: the keys scroll to them.
    if (!item->collapsed)
        for (const auto& child : item->getChildren()) y = layout(child.get(), y, indent + kIndentStep, inView);
    return y;
}

void simGuiTreeViewBox::buildRowPieces(const simGuiTreeViewBoxItem& item, std::vector<simScreenRect>& atlas) {
    const float boxX = static_cast<float>(getX());
    const float top = item.labelRect[1], h = item.labelRect[3], middle = top + h * 0.5f;
    simColour white;
    white.set(255, 255, 255, 255);
    if (&item == m_selectedItem || &item == m_hoverItem)
        buildFrameGeometry(boxX + 2.0f, top, boxX + m_rowWidth - 2.0f, top + h, 3, atlas, white);
    if (!item.hasChildren()) return;
    if (&item == m_hoverItem && item.expanderHit) {
        const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
        const uint32_t style = mouse && mouse->isButtonDown(simMouseButton_left) ? 4 : 3;
        buildFrameGeometry(boxX + item.indent + 3.0f, middle - 10.0f, boxX + item.indent + 23.0f, middle + 10.0f, style,
                           atlas, white);
    }
    if (expanderTexture(item)) return;
    const float u = item.collapsed ? 432.0f : 416.0f;
    atlas.push_back(atlasPiece(boxX + item.indent + 6.0f, middle - 6.0f, boxX + item.indent + 18.0f, middle + 6.0f,
                               0xFFFFFFFFu, u, 16.0f, u + 12.0f, 28.0f));
}

simTexture* simGuiTreeViewBox::expanderTexture(const simGuiTreeViewBoxItem& item) {
    const std::string& name = item.collapsed ? item.textA : item.textB;
    if (name.empty() || !g_resources) return nullptr;
    return dynamic_cast<simTexture*>(simResources::getResource(name, false));
}

void simGuiTreeViewBox::drawRow(const simGuiTreeViewBoxItem& item) {
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float boxX = static_cast<float>(getX());
    const float labelX = item.labelRect[0] - boxX + 3.0f;
    const float middle = item.labelRect[1] + item.labelRect[3] * 0.5f;
    simFont* font = g_guiElementManager->fonts[item.bold ? 1 : 0];
    std::string label = item.label;
    const float room = m_rowWidth - labelX;
    while (!label.empty() && canvas.measureText(font, label).x > room)
        label.resize(guiUtf8::offset(label, guiUtf8::length(label) - 1));
    const float textHeight = canvas.measureText(font, label).y;
    canvas.drawText(font, label, boxX + labelX, static_cast<float>(static_cast<int32_t>(middle - textHeight * 0.5f)),
                    item.colour, false);
    if (item.icon) {
        const float edge = static_cast<float>(m_iconSize);
        const float iw = std::min(static_cast<float>(item.icon->getWidth()), edge);
        const float ih = std::min(static_cast<float>(item.icon->getHeight()), edge);
        const float left = boxX + labelX - 3.0f - iw;
        canvas.drawRects({simScreenRect({left, middle - ih * 0.5f}, {left + iw, middle + ih * 0.5f}, 0xFFFFFFFFu)},
                         item.icon);
    }
    if (item.hasChildren())
        if (simTexture* texture = expanderTexture(item))
            canvas.drawRects({simScreenRect({boxX + item.indent + 6.0f, middle - 6.0f},
                                            {boxX + item.indent + 18.0f, middle + 6.0f}, 0xFFFFFFFFu)},
                             texture);
}

simGuiEditBox* simGuiTreeViewBox::getLabelEditBox() const { return m_labelEditBox; }

void simGuiTreeViewBox::renderLabelEditing() {
    LabelEditBox* box = m_labelEditBox;
    if (!box) return;
    if (!m_editItem) {
        box->setVisible(false);
        box->disable();
        m_editBoxItem = nullptr;
    } else if (m_editItem != m_editBoxItem) {
        box->enable();
        box->setShown(true);
        box->setText(m_editItem->label);
        box->beginEdit();
        m_editBoxItem = m_editItem;
    }
    if (!m_editBoxItem) return;
    const float* r = m_editBoxItem->labelRect;
    box->moveResize(static_cast<int32_t>(r[0]), static_cast<int32_t>(r[1]),
                    static_cast<int32_t>(r[2] - (m_hasScrollBar ? 24.0f : 0.0f)), static_cast<int32_t>(r[3]), 0.0f);
    if (m_editBoxItem->labelVisible) {
        box->setShown(true);
        box->render();
    }
    box->setShown(false);
}

void simGuiTreeViewBox::render() {
    if (!m_visible || m_fadingOut) return;
    simGuiElement::render();
    if (!g_guiElementManager) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    simColour white;
    white.set(255, 255, 255, 255);
    drawFrame(x, y, x + w, y + h, 2, white);
    clampScroll();
    const float content = totalContentHeight();
    m_hasScrollBar = content > h;
    m_rowWidth = m_hasScrollBar ? w - 16.0f : w;

    canvas.setClipRect(getX() + 2, getY() + 2, m_width - 4, m_height - 4);
    std::vector<simGuiTreeViewBoxItem*> inView;
    float contentY = 0.0f;
    for (const auto& item : m_root->getChildren()) contentY = layout(item.get(), contentY, 2.0f, inView);
    std::vector<simScreenRect> atlas;
    for (const simGuiTreeViewBoxItem* item : inView) buildRowPieces(*item, atlas);
    if (!atlas.empty()) canvas.drawRects(atlas, g_guiElementManager->themeTexture);
    for (const simGuiTreeViewBoxItem* item : inView) drawRow(*item);
    renderLabelEditing();
    canvas.clearClipRect();

    if (m_hasScrollBar) {
        std::vector<simScreenRect> pieces;
        buildScrollBarGeometry(x, y, x + w, y + h, m_parts.skinStates(), m_scrollOffset / content,
                               (m_scrollOffset + h) / content, pieces);
        if (!pieces.empty()) canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
}
