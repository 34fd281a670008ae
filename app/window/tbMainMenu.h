// The main window's menu as a table: each item's path of labels ("File/New/
// Model scheme", "-" for a separator), its command id and whether it carries
// a check mark. The window builds its menus from it, in this order.
#pragma once

#include <span>
#include <string>
#include <vector>

struct tbMenuItem {
    const char* path;
    int id;  // 0 for a separator
    bool checkable;
};

std::span<const tbMenuItem> tbMainMenuItems();

// Gives the labels of one menu (or of the menu bar) their keyboard
// mnemonics, in order: each label marks ('&') its first letter or digit
// that no label before it in the same menu took, ignoring case; a label
// with none left gets no mark. A '&' already in a label is doubled.
std::vector<std::string> tbWithMnemonics(const std::vector<std::string>& labels);
