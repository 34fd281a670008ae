// The main window's menu as a table: each item's path of labels ("File/New/
// Model scheme", "-" for a separator), its command id and whether it carries
// a check mark. The window builds its menus from it, in this order.
#pragma once

#include <span>

struct tbMenuItem {
    const char* path;
    int id;  // 0 for a separator
    bool checkable;
};

std::span<const tbMenuItem> tbMainMenuItems();
