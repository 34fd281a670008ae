#include "app/shell/CDlgModelPicker.h"

#include <wx/treectrl.h>

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Select a model to create a new project from:", {7, 7, 187, 8}},
    {CDlgSelectModel::idTree, ControlKind::treeView, "", {7, 18, 187, 290}},
    {CDlgSelectModel::idSelect, ControlKind::pushButton, "Select", {90, 314, 50, 14}},
    {CDlgSelectModel::idCancel, ControlKind::pushButton, "Cancel", {144, 314, 50, 14}},
};
constexpr ui::DialogTemplate kTemplate = {"Select model", {201, 335}, kControls};

// The model folder an item stands for.
class ModelItemData : public wxTreeItemData {
public:
    explicit ModelItemData(std::string path) : path(std::move(path)) {}
    std::string path;
};

void addItems(wxTreeCtrl* tree, const wxTreeItemId& parent, const std::vector<shell::ModelTreeItem>& items) {
    for (const shell::ModelTreeItem& item : items) {
        const wxTreeItemId id = tree->AppendItem(parent, wxString::FromUTF8(item.text), -1, -1,
                                                 item.modelPath.empty() ? nullptr : new ModelItemData(item.modelPath));
        addItems(tree, id, item.children);
    }
}

}  // namespace

CDlgSelectModel::CDlgSelectModel(std::string* result, const std::string& resourceRoot, wxWindow* parent)
    : ui::TemplateDialog(parent, kTemplate, {idSelect, idCancel}), result_(result) {
    wxTreeCtrl* tree = control<wxTreeCtrl>(idTree);
    addItems(tree, tree->AddRoot("models"), shell::buildModelTree(resourceRoot));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { choose(); }, idSelect);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(1); }, idCancel);
    // A double click on a model takes it; on a category or group the tree
    // opens or closes it as usual.
    Bind(wxEVT_TREE_ITEM_ACTIVATED, [this](wxTreeEvent& event) {
        if (!choose()) event.Skip();
    }, idTree);
}

bool CDlgSelectModel::choose() {
    wxTreeCtrl* tree = control<wxTreeCtrl>(idTree);
    const wxTreeItemId selected = tree->GetSelection();
    if (!selected.IsOk()) return false;
    const auto* model = dynamic_cast<const ModelItemData*>(tree->GetItemData(selected));
    if (!model) return false;
    if (result_) *result_ = model->path;
    EndModal(1);
    return true;
}
