// simGuiTreeViewBox: a framed, vertically scrolling tree of labelled items.
//
// Items expand and collapse with a click on their expander, a double click
// (two clicks within 250 ms) or the Right and Left keys; one item is
// selected with the mouse or Up and Down, and each selection is reported to
// a script function with the item's label. Scripts add top-level items with
// `setText` ("" removes them all).
//
// Labels are edited in place, while label editing is on, through an edit box
// the tree view owns (named after it with "_editBox"): a click on an item
// opens the box over the label, and the box's commit comes back through the
// script function `simGuiTreeViewBox_onItemLabelEdited` to `onItemLabelEdited`.
// The edit box is destroyed with the tree view.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiScrollParts.h"
#include "engine/gui/simGuiTreeViewBoxItem.h"

class simGuiEditBox;

class simGuiTreeViewBox : public simGuiElement {
public:
    static constexpr double kDoubleClickMs = 250.0;
    static constexpr float kWheelStep = 32.0f;
    static constexpr float kIndentStep = 20.0f;

    simGuiTreeViewBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string creationText,
                      std::string changeFunction);
    ~simGuiTreeViewBox() override;

    std::string getTypeName() override { return "simGuiTreeViewBox"; }
    // Lets go of the label edit box too.
    void removeFromCollection() override;
    void render() override;
    // "" deletes every item; any other text is a new top-level item.
    void setText(std::string text) override;
    // The selected item's label, or "".
    std::string getText() override;
    float getValue() override { return static_cast<float>(m_parts.state(simGuiScrollParts::up)); }
    // Calls the change function with the name and the selected label.
    void fireChange() override;
    void onEvent(simInputEvent* event) override;

    // Expands a collapsed item (after collapsing every other branch with
    // single expansion) and scrolls its subtree into view.
    void expand(simGuiTreeViewBoxItem* item);
    // The edited label: stored, reported to the label-edited function with
    // the tree's name and the item's id, and editing ends.
    void onItemLabelEdited(simGuiTreeViewBoxItem* item, const std::string& text);
    // A new item of this tree (not yet placed), with the tree's item texts.
    std::unique_ptr<simGuiTreeViewBoxItem> makeItem(std::string label, simTexture* icon, bool bold);

    simGuiTreeViewBoxItem* getRoot() const { return m_root.get(); }
    simGuiTreeViewBoxItem* getSelectedItem() const { return m_selectedItem; }
    simGuiTreeViewBoxItem* getHoverItem() const { return m_hoverItem; }
    simGuiTreeViewBoxItem* getEditItem() const { return m_editItem; }
    simGuiEditBox* getLabelEditBox() const;
    float getScrollOffset() const { return m_scrollOffset; }
    bool hasScrollBar() const { return m_hasScrollBar; }
    int32_t getIconSize() const { return m_iconSize; }
    // The top-level items and their open descendants.
    float totalContentHeight() const;

    // Settings a host makes in code (scripts have no keys for them).
    void setLabelEditing(bool on) { m_labelEditing = on; }
    void setSingleExpansion(bool on) { m_singleExpansion = on; }
    void setLabelEditedFunction(std::string name) { m_labelEditedFunction = std::move(name); }
    void setItemTexts(std::string collapsedTexture, std::string expandedTexture);
    void setIconSize(int32_t size) { m_iconSize = size; }

private:
    class LabelEditBox;
    friend class LabelEditBox;

    void clampScroll();
    simGuiScrollBand thumbBand();
    void scrollBarInput(const simInputEvent& event);
    void hoverInput(const simInputEvent& event);
    void clickInput(const simInputEvent& event);
    void keyInput(const simInputEvent& event);
    // Reports the selection; false when the script told of it deleted items,
    // so the caller must not touch any item it held before the call.
    bool fireChangeKeepsItems();
    // Scrolls so that the item's subtree shows below it, the item kept in view.
    void bringSubtreeIntoView(simGuiTreeViewBoxItem* item);
    // Lays out the item and its open descendants from content y (returns the
    // y after them) and lists those in view.
    float layout(simGuiTreeViewBoxItem* item, float y, float indent, std::vector<simGuiTreeViewBoxItem*>& inView);
    // The row's atlas pieces (highlight, expander button and glyph), then its
    // label, icon and expander texture.
    void buildRowPieces(const simGuiTreeViewBoxItem& item, std::vector<simScreenRect>& atlas);
    void drawRow(const simGuiTreeViewBoxItem& item);
    static simTexture* expanderTexture(const simGuiTreeViewBoxItem& item);
    void renderLabelEditing();

    simGuiScrollParts m_parts;
    bool m_hasScrollBar = false;
    bool m_labelEditing = false;
    float m_scrollOffset = 0.0f;
    float m_dragStartOffset = 0.0f;
    bool m_singleExpansion = false;
    simGuiTreeViewBoxItem* m_hoverItem = nullptr;
    simGuiTreeViewBoxItem* m_selectedItem = nullptr;
    std::unique_ptr<simGuiTreeViewBoxItem> m_root;
    LabelEditBox* m_labelEditBox = nullptr;  // cleared when the box is deleted first
    simGuiTreeViewBoxItem* m_editItem = nullptr;
    simGuiTreeViewBoxItem* m_editBoxItem = nullptr;
    uint64_t m_itemDeletions = 0;  // counts the times items were deleted
    std::string m_itemTextA, m_itemTextB;
    std::string m_creationText;  // kept for scripts; the tree view does not read it
    std::string m_changeFunction;
    std::string m_labelEditedFunction;
    int32_t m_iconSize = 32;
    // Row drawing of the current render.
    float m_rowWidth = 0.0f;
};
