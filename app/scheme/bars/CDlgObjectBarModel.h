// What the object bar decides, without a window: its two pages ("Enabled"
// and "Visible", a pair of buttons of which one is pressed), the captions of
// its two buttons on each page, and the rows of its two trees: the model's
// objects of kind 0 in depth-first order, each under its nearest ancestor of
// kind 0, ticked by the page's switch of the object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/scheme/bars/tbButtonPair.h"

class tbGeometryObject;

namespace bars {

enum class ObjectPage { enabled, visible };

struct ObjectTreeRow {
    tbGeometryObject* object;
    int parent;  // index of the parent's row, -1 at the root
    bool hasChildren;
};

class ObjectBarModel {
public:
    enum : int {
        idEnabledPage = 1125,
        idVisiblePage = 1126,
        idEnabledTree = 1094,
        idVisibleTree = 1095,
        idUntickAll = 1012,
        idTickAll = 1064,
        idPaintableOnly = 1127,
    };

    // A click on a page button, which is `nowPressed` after the click.
    void pageClicked(ObjectPage button, bool nowPressed);
    // The bar is shown again: the enabled page.
    void showEnabledPage() { pages_.pressSecond(false); }

    ObjectPage page() const { return pages_.secondPressed() ? ObjectPage::visible : ObjectPage::enabled; }
    // "Disable all" / "Hide all", "Enable all" / "Show all".
    const char* untickCaption() const;
    const char* tickCaption() const;

    static std::vector<ObjectTreeRow> treeRows(const std::vector<std::unique_ptr<tbGeometryObject>>& roots);
    // The object's switch that a page's tick shows.
    static bool ticked(const tbGeometryObject& object, ObjectPage page);
    // Sets it; an object switched on has its screen places refreshed, for
    // picking where it shows now.
    static void setTicked(tbGeometryObject& object, ObjectPage page, bool ticked);

private:
    ButtonPair pages_;  // second: the visible page
};

}  // namespace bars
