// The model picker (`CDlgSelectModel`): the bundled models as a tree of
// categories, groups and models. Only a model can be chosen (Select, Enter
// or a double click); the caller's string then names it by its folder below
// "objects/aircraft/". Cancel leaves the string as it was. The dialog always
// ends with 1.
#pragma once

#include <string>

#include "app/shell/CDlgModelPickerModel.h"
#include "platform/ui/templateDialog.h"

class wxTreeCtrl;

class CDlgSelectModel : public ui::TemplateDialog {
public:
    enum : int { idTree = 1059, idSelect = 1012, idCancel = 1011 };

    // `resourceRoot` is the folder holding "objects".
    CDlgSelectModel(std::string* result, const std::string& resourceRoot, wxWindow* parent);

private:
    // Takes the selected item when it is a model; true when the dialog ended.
    bool choose();

    std::string* result_;
};
