// The brush-shape picker: a pop-up under the brush bar holding a tree of the
// plain brush and the decals, each with its 32 by 32 thumbnail (made on the
// CPU). Selecting a decal makes it the brush image; a double click chooses
// and closes. Its decisions live in bars::BrushShapePickerModel.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <wx/treebase.h>

#include "app/scheme/bars/CDlgBrushShapePickerModel.h"
#include "platform/ui/toolWindow.h"

class wxBitmap;

class CDlgBrushShapePicker : public ui::ToolWindow {
public:
    enum : int { idTree = 1116 };

    struct Hooks {
        // A decal's texture, loaded when needed; null for none.
        std::function<simTexture*(const bars::DecalRow&)> textureOf;
        // The brush bar's preview shows a thumbnail.
        std::function<void(const wxBitmap&)> showInBrushBar;
        // The brush bar's shape button comes up (the picker was hidden).
        std::function<void()> releaseButton;
    };

    CDlgBrushShapePicker(wxWindow* mainWindow, tbToolState& tools, const bars::DecalFolders& folders, Hooks hooks);

    const std::vector<bars::DecalRow>& rows() const { return rows_; }
    // The tree item of row `index` (for the tests that drive the tree).
    wxTreeItemId item(size_t index) const;

private:
    void loadDecalBrushes(const bars::DecalFolders& folders);
    const bars::DecalRow* rowOf(const wxTreeItemId& item) const;
    void chosen(const std::optional<std::string>& picture);

    bars::BrushShapePickerModel model_;
    Hooks hooks_;
    std::vector<bars::DecalRow> rows_;
    std::vector<wxTreeItemId> items_;
};
