#include "engine/gui/simGuiTreeViewBoxItem.h"

#include <cstdlib>

#include "engine/gui/simGuiTreeViewBox.h"

simGuiTreeViewBoxItem::simGuiTreeViewBoxItem(std::string label_, simTexture* icon_, bool bold_)
    : label(std::move(label_)), icon(icon_), bold(bold_), id(std::rand()) {
    colour.set(255, 0, 0, 0);
}

simGuiTreeViewBoxItem* simGuiTreeViewBoxItem::addChild(std::unique_ptr<simGuiTreeViewBoxItem> child) {
    child->parent = this;
    child->tree = tree;
    children.push_back(std::move(child));
    return children.back().get();
}

simGuiTreeViewBoxItem* simGuiTreeViewBoxItem::getChild(int32_t index) const {
    if (index < 0) return nullptr;
    for (const auto& child : children)
        if (index-- == 0) return child.get();
    return nullptr;
}

int32_t simGuiTreeViewBoxItem::indexInParent() const {
    if (!parent) return -1;
    int32_t index = 0;
    for (const auto& sibling : parent->children) {
        if (sibling.get() == this) return index;
        ++index;
    }
    return -1;
}

float simGuiTreeViewBoxItem::height() const {
    return icon && tree ? static_cast<float>(tree->getIconSize() + 2) : kHeight;
}

float simGuiTreeViewBoxItem::contentHeight() const {
    float sum = height();
    if (!collapsed)
        for (const auto& child : children) sum += child->contentHeight();
    return sum;
}

int32_t simGuiTreeViewBoxItem::countVisible() const {
    int32_t count = 1;
    if (!collapsed)
        for (const auto& child : children) count += child->countVisible();
    return count;
}

void simGuiTreeViewBoxItem::collapseAll() {
    const bool isOpenRoot = tree && tree->getRoot() == this && label.empty();
    if (!isOpenRoot) collapsed = true;
    for (const auto& child : children) child->collapseAll();
}

void simGuiTreeViewBoxItem::deleteChildren() { children.clear(); }
