// What the positions bar decides, without a window: the "New" toggle (the
// project places a position on the next click in the view), the list of the
// site's starting positions, the selected one with its name and model kind.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/site/bars/tbItemList.h"
#include "app/site/bars/tbSiteAccess.h"

class tbFlyingSitePosition;

namespace sitebars {

class PositionsBarModel {
public:
    enum : int { idNew = 1169, idDelete = 1013, idCopy = 1015, idList = 1167, idName = 1017, idKind = 1168 };
    static constexpr const char* kNoneSelected = "[None selected]";
    // The edit a Space reaches (a name of several words); elsewhere in the
    // bar the view has it alone.
    static constexpr std::array<int, 1> kSpaceEdits = {idName};

    explicit PositionsBarModel(SiteAccess site, std::function<void(const std::string&)> tell = {})
        : site_(std::move(site)), tell_(std::move(tell)) {}

    void newClicked(bool checked) { new_ = checked; }
    void listSelected(int index);
    // The name box lost the focus with `text` in it.
    void nameEdited(const std::string& text);
    void kindSelected(const std::string& name);
    void deleteClicked();
    void copyClicked();

    void selectPosition(tbFlyingSitePosition* position);
    void addPosition(tbFlyingSitePosition* position, bool select);
    void removePosition(const tbFlyingSitePosition* position);
    void clear();
    void setNewChecked(bool checked);

    bool newChecked() const { return new_; }
    tbFlyingSitePosition* selected() const { return selected_; }
    const tbItemList<tbFlyingSitePosition>& list() const { return list_; }
    const std::string& nameText() const { return name_; }
    // Index in the position-kind table; -1: none.
    int kindIndex() const { return kind_; }

    Changed changed;

private:
    SiteAccess site_;
    std::function<void(const std::string&)> tell_;
    bool new_ = false;
    tbItemList<tbFlyingSitePosition> list_;
    tbFlyingSitePosition* selected_ = nullptr;
    std::string name_ = kNoneSelected;
    int kind_ = 0;
};

}  // namespace sitebars
