// What the collision bar decides, without a window: the nine type toggles
// (at most one checked; the project makes that kind on the next click in
// the view), the "Water" toggle that shows the water editor, the list of
// the site's collision objects and the selected one, which the object
// editors show while the collision tool is the current one. Each change of
// the selection, the list or the tool refreshes the editors.
#pragma once

#include <array>
#include <functional>

#include "app/site/bars/tbItemList.h"
#include "app/site/bars/tbSiteAccess.h"
#include "app/site/tbSiteBars.h"

class tbCollisionObject;

namespace sitebars {

struct TypeToggle {
    int id;
    const char* caption;
    tbSiteBars::Toggle toggle;
};

class CollisionBarModel {
public:
    using Toggle = tbSiteBars::Toggle;
    enum : int { idWater = 1152, idList = 1143, idDelete = 1187, idCopy = 1186 };
    static constexpr std::array<TypeToggle, 9> kTypeToggles = {{
        {1145, "plane", Toggle::plane},
        {1146, "sphere", Toggle::sphere},
        {1147, "cube", Toggle::cube},
        {1148, "cylindr", Toggle::cylinder},
        {1149, "area", Toggle::area},
        {1155, "mat", Toggle::materialArea},
        {1154, "skyline", Toggle::skyline},
        {1150, "h-map", Toggle::heightMap},
        {1151, "marker", Toggle::marker},
    }};
    static const TypeToggle* typeToggleOf(int id);

    explicit CollisionBarModel(SiteAccess site) : site_(std::move(site)) {}

    // ---- The window's events.
    // A type toggle after its click, `nowChecked` its new state.
    void typeClicked(int id, bool nowChecked);
    void waterClicked(bool nowChecked);
    void listSelected(int index);
    void deleteClicked();
    void copyClicked();

    // ---- What the project and the editors call.
    // Stores and shows it (null: none); the editors refresh.
    void selectObject(tbCollisionObject* object);
    // Appended; `select` selects it as selectObject does.
    void addObject(tbCollisionObject* object, bool select);
    void removeObject(const tbCollisionObject* object);
    // Its entry shows its name again, at its place, selected.
    void renamed(const tbCollisionObject* object);
    void clear();
    // The collision tool chosen (its bar shown) or left for another: the
    // editors show only while it is chosen, then as the selection and
    // "Water" say. Until the tool state says, it counts as chosen.
    void setToolChosen(bool chosen);
    bool toolChosen() const { return toolChosen_; }

    bool isChecked(Toggle toggle) const;
    // Only the type toggles and "Water"; other toggles are other bars'.
    void setChecked(Toggle toggle, bool checked);
    // No type chosen: the next click in the view puts nothing down.
    void uncheckTypes();

    tbCollisionObject* selected() const { return selected_; }
    const tbItemList<tbCollisionObject>& list() const { return list_; }
    tbProject_flyingsite* site() const { return site_(); }

    Changed changed;
    // The object editors show the selection again.
    std::function<void()> refreshEditors;
    // Tells the weather bar of a renamed object.
    std::function<void(const tbCollisionObject*)> renamedElsewhere;
    // The water editor shown (true) or hidden.
    std::function<void(bool)> showWaterEditor;
    // A type toggle checked by the user: the next click in the view puts
    // that kind down.
    std::function<void()> typeChosen;

private:
    void deselect();
    void refresh();

    SiteAccess site_;
    std::array<bool, kTypeToggles.size()> types_{};
    bool water_ = false;
    bool toolChosen_ = true;
    tbItemList<tbCollisionObject> list_;
    tbCollisionObject* selected_ = nullptr;
};

}  // namespace sitebars
