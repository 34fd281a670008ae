// simGuiTreeViewBoxItem: one labelled item of a tree view, with an optional
// icon and the child items it owns.
//
// The tree view lays the items out at each render (content extent, label
// rectangle, expander indent) and reads that layout back for hovering,
// keys and label editing.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "engine/core/simColour.h"
#include "engine/graphics/simTextureRef.h"

class simGuiTreeViewBox;
class simTexture;

class simGuiTreeViewBoxItem {
public:
    static constexpr float kHeight = 20.0f;

    // A new item is expanded; its id is a pseudo-random number scripts get
    // back with an edited label.
    simGuiTreeViewBoxItem(std::string label, simTexture* icon, bool bold);
    virtual ~simGuiTreeViewBoxItem() = default;
    simGuiTreeViewBoxItem(const simGuiTreeViewBoxItem&) = delete;
    simGuiTreeViewBoxItem& operator=(const simGuiTreeViewBoxItem&) = delete;

    // Takes the child, appends it and makes it a child of this item's tree.
    simGuiTreeViewBoxItem* addChild(std::unique_ptr<simGuiTreeViewBoxItem> child);
    simGuiTreeViewBoxItem* getChild(int32_t index) const;
    // Position among the parent's children, or -1 without a parent.
    int32_t indexInParent() const;
    // 20 pixels, or the tree's icon size + 2 with an icon.
    float height() const;
    // This item and every descendant not inside a collapsed item.
    float contentHeight() const;
    int32_t countVisible() const;
    // Collapses this item and every descendant; the tree's root stays open.
    void collapseAll();
    void deleteChildren();
    bool hasChildren() const { return !children.empty(); }
    bool isExpanded() const { return !collapsed; }
    // The children of an item, in display order.
    const std::list<std::unique_ptr<simGuiTreeViewBoxItem>>& getChildren() const { return children; }

    // Layout of the last render: extent in content pixels, the label's
    // screen rectangle, the expander's offset from the tree's left edge.
    float top = 0.0f, bottom = 0.0f;
    float labelRect[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float indent = 0.0f;

    std::string label;
    simTextureRef icon;
    simColour colour;
    bool collapsed = false;
    bool bold = false;
    bool hoverable = true;
    bool labelVisible = false;  // the label was drawn in the last render
    bool expanderHit = false;   // the mouse is on the expander
    // Textures drawn instead of the atlas glyph for a collapsed (A) and an
    // expanded (B) item; "" keeps the glyph.
    std::string textA, textB;
    simGuiTreeViewBoxItem* parent = nullptr;
    simGuiTreeViewBox* tree = nullptr;
    int32_t id = 0;

private:
    std::list<std::unique_ptr<simGuiTreeViewBoxItem>> children;
};
