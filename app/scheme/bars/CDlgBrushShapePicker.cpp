#include "app/scheme/bars/CDlgBrushShapePicker.h"

#include <filesystem>

#include <wx/imaglist.h>
#include <wx/treectrl.h>

#include "app/scheme/bars/tbBarPictures.h"
#include "engine/core/simApplicationLog.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {CDlgBrushShapePicker::idTree, ControlKind::treeView, "", {0, 0, 135, 304}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {135, 304}, kControls};

constexpr int kSize = bars::BrushShapePickerModel::kThumbnailSize;

}  // namespace

CDlgBrushShapePicker::CDlgBrushShapePicker(wxWindow* mainWindow, tbToolState& tools,
                                           const bars::DecalFolders& folders, Hooks hooks)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::bare),
      model_(tools, hooks.textureOf, (std::filesystem::path(folders.resources) / "tolvaneBuilder/brush.bmp").string()),
      hooks_(std::move(hooks)) {
    auto* tree = control<wxTreeCtrl>(idTree);
    tree->AssignImageList(new wxImageList(kSize, kSize, true, 4));
    loadDecalBrushes(folders);

    tree->Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent& event) { chosen(model_.select(rowOf(event.GetItem()))); });
    tree->Bind(wxEVT_TREE_ITEM_ACTIVATED, [this](wxTreeEvent& event) {
        const std::optional<std::string> picture = model_.select(rowOf(event.GetItem()));
        chosen(picture);
        if (picture) Hide();
    });
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (!event.IsShown() && hooks_.releaseButton) hooks_.releaseButton();
    });
}

void CDlgBrushShapePicker::loadDecalBrushes(const bars::DecalFolders& folders) {
    simLog("[CDlgBrushShapePicker::loadDecalBrushes-\n");
    auto* tree = control<wxTreeCtrl>(idTree);
    wxImageList* images = tree->GetImageList();
    const wxTreeItemId root = tree->AddRoot("");
    rows_ = bars::tbListDecals(folders);
    items_.clear();
    for (const bars::DecalRow& row : rows_) {
        const wxBitmap thumbnail = tbBitmapOf(bars::tbDecalThumbnail(row.imagePath));
        const int image = thumbnail.IsOk() ? images->Add(thumbnail) : -1;
        const wxTreeItemId parent = row.parent < 0 ? root : items_[static_cast<size_t>(row.parent)];
        items_.push_back(tree->AppendItem(parent, wxString::FromUTF8(row.text), image));
    }
    simLog("-CDlgBrushShapePicker::loadDecalBrushes]\n");
}

wxTreeItemId CDlgBrushShapePicker::item(size_t index) const { return items_.at(index); }

const bars::DecalRow* CDlgBrushShapePicker::rowOf(const wxTreeItemId& item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return &rows_[i];
    return nullptr;
}

void CDlgBrushShapePicker::chosen(const std::optional<std::string>& picture) {
    if (picture && hooks_.showInBrushBar) hooks_.showInBrushBar(tbBitmapOf(bars::tbDecalThumbnail(*picture)));
}
