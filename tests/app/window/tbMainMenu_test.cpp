// The main menu's table read as the menus the window builds from it: each
// menu's entries in order, submenus where they first appear, separators as
// "-".
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/window/tbMainMenu.h"
#include "app/window/tbMenuIds.h"

namespace {

using Entries = std::vector<std::string>;

struct Outline {
    std::vector<std::string> menus;  // every menu's path, in the order made
    std::map<std::string, Entries> entries;

    void add(const std::string& menu, const std::string& entry) {
        if (!entries.count(menu)) menus.push_back(menu);
        Entries& list = entries[menu];
        // A submenu is an entry of its parent once, where it first appears.
        if (entry == "-" || std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
    }
};

Outline outline() {
    Outline out;
    for (const tbMenuItem& item : tbMainMenuItems()) {
        const std::string path = item.path;
        std::string menu;
        size_t start = 0;
        for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1) {
            const std::string label = path.substr(start, slash - start);
            if (!menu.empty()) out.add(menu, label);
            menu += (menu.empty() ? "" : "/") + label;
        }
        out.add(menu, path.substr(start));
    }
    return out;
}

TEST(MainMenu, MenusHoldTheirEntriesAndSeparatorsInOrder) {
    const Outline menus = outline();
    EXPECT_EQ(menus.menus, (Entries{"File", "File/New", "File/Open", "Edit", "View", "View/Model lighting",
                                    "View/Camera", "Tools", "Workspace", "Help"}));
    const std::map<std::string, Entries> expected = {
        {"File", {"New", "Open", "Save", "Export", "-", "Options", "-", "Exit"}},
        {"File/New", {"Model scheme", "Flying site"}},
        {"File/Open", {"Model scheme", "Flying site"}},
        {"Edit", {"Undo"}},
        {"View", {"Second view", "Model lighting", "-", "Camera"}},
        {"View/Model lighting", {"Flat", "Realistic"}},
        {"View/Camera", {"Reset", "-", "Perspective", "Top", "Bottom", "Left", "Right", "Front", "Back"}},
        {"Tools", {"Export to external editor", "Import from external editor", "-", "Create restore point",
                   "Revert to restore point"}},
        {"Workspace", {"Reset toolbars", "-", "Toolbox", "Object Bar", "Shape Manager"}},
        {"Help", {"User manual"}},
    };
    EXPECT_EQ(menus.entries, expected);
}

TEST(MainMenu, ItemsHaveOneIdEachAndOnlyTheSwitchesCarryChecks) {
    std::set<int> ids;
    std::set<int> checkable;
    for (const tbMenuItem& item : tbMainMenuItems()) {
        const std::string path = item.path;
        const bool separator = path.size() >= 2 && path.compare(path.size() - 2, 2, "/-") == 0;
        EXPECT_EQ(item.id == 0, separator) << path;
        if (separator) continue;
        EXPECT_TRUE(ids.insert(item.id).second) << path << " repeats id " << item.id;
        if (item.checkable) checkable.insert(item.id);
    }
    EXPECT_EQ(checkable, (std::set<int>{tbMenu::secondView, tbMenu::lightingFlat, tbMenu::lightingRealistic}));
}

TEST(MainMenu, EachMenusLabelsGetMnemonicsOfTheirOwn) {
    const struct {
        std::vector<std::string> labels, marked;
    } cases[] = {
        {{"File", "Edit", "View", "Tools", "Workspace", "Help"},
         {"&File", "&Edit", "&View", "&Tools", "&Workspace", "&Help"}},
        // A letter taken before (either case) passes to the next free one.
        {{"New", "Open", "Save", "Export", "Options", "Exit"},
         {"&New", "&Open", "&Save", "&Export", "O&ptions", "E&xit"}},
        {{"Reset toolbars", "Toolbox", "Object Bar", "Shape Manager", "Top"},
         {"&Reset toolbars", "&Toolbox", "&Object Bar", "&Shape Manager", "To&p"}},
        // No letter left: no mark; a '&' of the label itself is kept as one.
        {{"ab", "AB", "a&b", "-"}, {"&ab", "A&B", "a&&b", "-"}},
    };
    for (const auto& c : cases) EXPECT_EQ(tbWithMnemonics(c.labels), c.marked);
}

}  // namespace
