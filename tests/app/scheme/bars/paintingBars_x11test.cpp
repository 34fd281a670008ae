// The painting bars on the display: each opened, driven through its control
// ids as a user would, checked against the tool state or the tool settings,
// photographed and closed.
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/treectrl.h>

#include "app/scheme/bars/CDlgBrushPicker.h"
#include "app/scheme/bars/CDlgBrushShapePicker.h"
#include "app/scheme/bars/CDlgFloodBar.h"
#include "app/scheme/bars/CDlgMirrorBar.h"
#include "app/scheme/bars/CDlgObjectBar.h"
#include "app/scheme/bars/CDlgToolbox.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/shell/tbToolState.h"
#include "platform/d3dx/d3dxImageBmp.h"
#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"
#include "tests/app/scheme/bars/barInput.h"
#include "tests/support/colourRecords.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

using testsupport::rgb;

class PaintingBars : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::startWx()) GTEST_SKIP() << "no display";
    }
    // Shows a bar at the screen's corner and photographs it.
    void showAndPhotograph(wxWindow* bar, const std::string& name) {
        bar->Move(0, 0);
        test::showAndPhotograph(bar, name);
    }
    // Types `text` into an edit: its text changes as the user's typing does.
    static void type(wxTextCtrl* edit, const std::string& text) { edit->SetValue(text); }
    // Clicks a push-like button: it flips, then reports the click.
    static void toggle(wxToggleButton* button) {
        button->SetValue(!button->GetValue());
        wxCommandEvent event(wxEVT_TOGGLEBUTTON, button->GetId());
        event.SetEventObject(button);
        event.SetInt(button->GetValue());
        button->GetEventHandler()->ProcessEvent(event);
    }
    static void choose(wxComboBox* list, const std::string& entry) {
        list->SetStringSelection(entry);
        wxCommandEvent event(wxEVT_COMBOBOX, list->GetId());
        event.SetEventObject(list);
        event.SetInt(list->GetSelection());
        list->GetEventHandler()->ProcessEvent(event);
    }
    static void slide(wxSlider* slider, int position) {
        slider->SetValue(position);
        wxCommandEvent event(wxEVT_SLIDER, slider->GetId());
        event.SetEventObject(slider);
        event.SetInt(position);
        slider->GetEventHandler()->ProcessEvent(event);
    }
    static void click(ui::TemplateDialog* bar, int id) { bar->clickButton(id); }

    std::array<simColour, shell::kSwatchCount> swatches_{};
    // The open model's settings, or none; the bars leave the binding in
    // TearDown, before it goes.
    tbToolSettings settings_;
    tbToolSettings* open_ = &settings_;
    tbToolSettingsBinding binding_{[this] { return open_; }};
    std::vector<wxWindow*> bars_;
    void TearDown() override {
        // At once, not at the next idle time: the bars leave the test's
        // settings binding before it goes.
        for (wxWindow* bar : bars_) delete bar;
        test::pumpEventsUntil([] { return false; }, 50);
    }
    template <class T>
    T* keep(T* bar) {
        bars_.push_back(bar);
        return bar;
    }
};

TEST_F(PaintingBars, BrushBarSetsTheBrushAndShowsWhatTheToolStateKept) {
    tbToolState tools;
    int toggles = 0;
    auto* bar = keep(new CDlgBrushPicker(nullptr, tools, [&] { ++toggles; }));
    // Tab order: the three slider and edit pairs, then the shape area.
    std::vector<int> ids;
    for (wxWindow* child : bar->GetChildren())
        if (child->GetId() > 1000) ids.push_back(child->GetId());
    EXPECT_EQ(ids, (std::vector<int>{1016, 1017, 1018, 1019, 1020, 1021, 1116, 1117, 1114, 1118}));

    auto* size = bar->control<wxSlider>(CDlgBrushPicker::idSizeSlider);
    auto* angle = bar->control<wxSlider>(CDlgBrushPicker::idAngleSlider);
    EXPECT_EQ(size->GetMin(), 1);
    EXPECT_EQ(size->GetMax(), 100);
    EXPECT_EQ(angle->GetMin(), 0);
    EXPECT_EQ(angle->GetMax(), 360);
    EXPECT_EQ(bar->control<wxTextCtrl>(CDlgBrushPicker::idHardnessEdit)->GetValue(), "50");
    EXPECT_EQ(size->GetValue(), 5);

    auto* sizeEdit = bar->control<wxTextCtrl>(CDlgBrushPicker::idSizeEdit);
    type(sizeEdit, "150");
    EXPECT_EQ(tools.brushSize(), 100.0f);
    EXPECT_EQ(size->GetValue(), 100);
    EXPECT_EQ(sizeEdit->GetValue(), "150");  // the edit keeps what was typed

    tools.setBrushAngle(45.0f);
    type(bar->control<wxTextCtrl>(CDlgBrushPicker::idAngleEdit), "400");
    EXPECT_EQ(tools.brushAngle(), 0.0f);
    EXPECT_EQ(angle->GetValue(), 0);

    slide(bar->control<wxSlider>(CDlgBrushPicker::idHardnessSlider), 80);
    EXPECT_EQ(tools.brushHardness(), 80.0f);
    EXPECT_EQ(bar->control<wxTextCtrl>(CDlgBrushPicker::idHardnessEdit)->GetValue(), "80");

    // Another part of the program changes the brush; the bar is refreshed.
    tools.setBrushSize(33.7f, 0.0f, 100.0f);
    bar->updateControls();
    EXPECT_EQ(sizeEdit->GetValue(), "33");
    EXPECT_EQ(size->GetValue(), 33);

    toggle(bar->control<wxToggleButton>(CDlgBrushPicker::idShapeButton));
    EXPECT_EQ(toggles, 1);
    bar->releaseShapeButton();
    EXPECT_FALSE(bar->control<wxToggleButton>(CDlgBrushPicker::idShapeButton)->GetValue());
    showAndPhotograph(bar, "brushBar");
    test::expectCaptionsFit(bar, "brushBar");
}

TEST_F(PaintingBars, BrushShapePickerChoosesDecalsAndClosesOnDoubleClick) {
    testsupport::TempFolder folder;
    std::vector<uint32_t> red(40 * 40, 0xFFE01010u);
    std::vector<uint8_t> bmp;
    d3dx::writeBmp(reinterpret_cast<const uint8_t*>(red.data()), 40, 40, false, &bmp);
    for (const char* name : {"resources/tolvaneBuilder/brush.bmp", "resources/tolvaneBuilder/decals/star.bmp",
                             "resources/tolvaneBuilder/decals/wings/left.bmp",
                             "resources/tolvaneBuilder/decals/wings/right.bmp"}) {
        std::filesystem::create_directories(std::filesystem::path(folder.file(name)).parent_path());
        folder.write(name, std::string(bmp.begin(), bmp.end()));
    }
    tbToolState tools;
    simTexture* const star = reinterpret_cast<simTexture*>(0x1000);  // never dereferenced
    std::vector<wxSize> previews;
    int released = 0;
    CDlgBrushShapePicker::Hooks hooks;
    hooks.textureOf = [&](const bars::DecalRow& row) { return row.fileName == "star.bmp" ? star : nullptr; };
    hooks.showInBrushBar = [&](const wxBitmap& thumbnail) { previews.push_back(thumbnail.GetSize()); };
    hooks.releaseButton = [&] { ++released; };
    auto* picker = keep(new CDlgBrushShapePicker(nullptr, tools, {folder.file("resources"), folder.file("settings")},
                                                 std::move(hooks)));
    auto* tree = picker->control<wxTreeCtrl>(CDlgBrushShapePicker::idTree);
    ASSERT_EQ(picker->rows().size(), 5u);  // Brush, star, wings (2), left, right
    EXPECT_EQ(tree->GetItemText(picker->item(2)), "wings (2)");
    EXPECT_EQ(tree->GetChildrenCount(picker->item(2)), 2u);
    EXPECT_GE(tree->GetItemImage(picker->item(1)), 0);  // a thumbnail
    EXPECT_EQ(tree->GetImageList()->GetSize().x, 32);
    showAndPhotograph(picker, "brushShapePicker");

    tree->SelectItem(picker->item(1));
    EXPECT_EQ(tools.getBrushTexture(), star);
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previews[0], wxSize(32, 32));

    wxTreeEvent activate(wxEVT_TREE_ITEM_ACTIVATED, tree, picker->item(0));
    tree->GetEventHandler()->ProcessEvent(activate);
    EXPECT_EQ(tools.getBrushTexture(), nullptr);  // the plain brush: the hardness images again
    EXPECT_FALSE(picker->IsShown());
    EXPECT_EQ(released, 1);
}

TEST_F(PaintingBars, FloodBarPairAxisAndStrip) {
    tbToolState tools;
    tools.setMainColour(rgb(250, 0, 0));
    tools.setSecondColour(rgb(0, 0, 250));
    tbToolSettings& settings = settings_;
    tbToolSettingsBinding& binding = binding_;
    auto* bar = keep(new CDlgFloodBar(nullptr, tools, swatches_, binding));
    auto* solid = bar->control<wxToggleButton>(CDlgFloodBar::idSolid);
    auto* gradient = bar->control<wxToggleButton>(CDlgFloodBar::idGradient);
    auto* axis = bar->control<wxComboBox>(CDlgFloodBar::idAxis);
    EXPECT_TRUE(solid->GetValue());
    EXPECT_FALSE(gradient->GetValue());
    EXPECT_EQ(axis->GetStringSelection(), "Y axis");
    EXPECT_EQ(axis->GetCount(), 3u);

    toggle(solid);  // the pressed one clicked again: the other is pressed
    EXPECT_FALSE(solid->GetValue());
    EXPECT_TRUE(gradient->GetValue());
    EXPECT_EQ(settings.floodGradient, 1);
    toggle(solid);
    EXPECT_TRUE(solid->GetValue());
    EXPECT_FALSE(gradient->GetValue());
    EXPECT_EQ(settings.floodGradient, 0);

    choose(axis, "Z axis");
    EXPECT_EQ(settings.floodAxis, 2u);

    // An opened model's values show in the bar.
    settings.floodAxis = 0;
    settings.floodGradient = 1;
    binding.afterOpen();
    EXPECT_EQ(axis->GetStringSelection(), "X axis");
    EXPECT_TRUE(gradient->GetValue());
    bar->reset();
    EXPECT_EQ(axis->GetStringSelection(), "Y axis");
    EXPECT_TRUE(solid->GetValue());

    showAndPhotograph(bar, "floodBar");

    test::expectCaptionsFit(bar, "floodBar");
    const wxBitmap& strip = bar->control<ui::ImageCanvas>(CDlgFloodBar::idStrip)->picture();
    ASSERT_TRUE(strip.IsOk());
    EXPECT_EQ(strip.GetSize(), bar->control<ui::ImageCanvas>(CDlgFloodBar::idStrip)->GetClientSize());
    const wxImage image = strip.ConvertToImage();
    EXPECT_EQ(image.GetRed(0, 0), 250);
    EXPECT_EQ(image.GetBlue(0, 0), 0);
    EXPECT_LT(image.GetRed(image.GetWidth() - 1, 0), 10);
    EXPECT_GT(image.GetBlue(image.GetWidth() - 1, 0), 240);
    EXPECT_EQ(bar->control<ui::SwatchControl>(CDlgFloodBar::idSecondColour)->colour(), wxColour(0, 0, 250));
}

TEST_F(PaintingBars, MirrorBarPerformsInTheChosenDirection) {
    std::vector<int32_t> performed;
    auto* bar =
        keep(new CDlgMirrorBar(nullptr, binding_, [&](int32_t direction) { performed.push_back(direction); }));
    auto* direction = bar->control<wxComboBox>(CDlgMirrorBar::idDirection);
    ASSERT_EQ(direction->GetCount(), 2u);
    EXPECT_EQ(direction->GetString(0), "-X -> +X axis");
    EXPECT_EQ(direction->GetString(1), "+X -> -X axis");
    EXPECT_EQ(direction->GetSelection(), 0);
    EXPECT_EQ(bar->FindWindow(CDlgMirrorBar::idPerform)->GetLabel(), "Perform Mirror");
    click(bar, CDlgMirrorBar::idPerform);
    choose(direction, "+X -> -X axis");
    EXPECT_EQ(settings_.mirrorDirection, 1);  // the open model's preview follows
    click(bar, CDlgMirrorBar::idPerform);
    bar->reset();
    EXPECT_EQ(direction->GetSelection(), 0);
    click(bar, CDlgMirrorBar::idPerform);
    EXPECT_EQ(performed, (std::vector<int32_t>{0, 1, 0}));
    showAndPhotograph(bar, "mirrorBar");
    test::expectCaptionsFit(bar, "mirrorBar");
}

TEST_F(PaintingBars, ToolboxChoosesToolsAndShowsTheToolStatesButtonsAndColours) {
    tbToolState tools;
    int hidden = 0, repainted = 0;
    auto* toolbox = keep(new CDlgToolbox(nullptr, tools, swatches_, [&] { ++hidden; }));
    toolbox->addSwatchRepaint([&] { ++repainted; });
    tools.setView(toolbox);
    EXPECT_EQ(toolbox->GetTitle(), "Toolbox");

    toggle(toolbox->control<wxToggleButton>(1063));  // Flood
    EXPECT_EQ(tools.tool(), 2);
    for (const bars::ToolboxButton& button : bars::ToolboxModel::kToolButtons)
        EXPECT_EQ(toolbox->control<wxToggleButton>(button.id)->GetValue(), button.id == 1063) << button.caption;
    toggle(toolbox->control<wxToggleButton>(1063));  // clicked again: stays pressed
    EXPECT_TRUE(toolbox->control<wxToggleButton>(1063)->GetValue());
    toggle(toolbox->control<wxToggleButton>(1070));  // Mirror
    EXPECT_EQ(tools.tool(), 7);
    EXPECT_FALSE(toolbox->control<wxToggleButton>(1063)->GetValue());

    tools.setMainColour(rgb(10, 200, 30));
    EXPECT_EQ(toolbox->control<ui::SwatchControl>(bars::ToolboxModel::idMainColour)->colour(), wxColour(10, 200, 30));
    EXPECT_EQ(repainted, 1);
    click(toolbox, bars::ToolboxModel::idSwapColours);
    EXPECT_EQ(toolbox->control<ui::SwatchControl>(bars::ToolboxModel::idSecondColour)->colour(),
              wxColour(10, 200, 30));
    EXPECT_EQ(toolbox->control<ui::SwatchControl>(bars::ToolboxModel::idMainColour)->colour(), *wxBLACK);
    click(toolbox, bars::ToolboxModel::idResetColours);
    EXPECT_EQ(toolbox->control<ui::SwatchControl>(bars::ToolboxModel::idMainColour)->colour(), *wxWHITE);

    int mirrorResets = 0;
    toolbox->model().setToolReset(7, [&] { ++mirrorResets; });
    click(toolbox, bars::ToolboxModel::idResetTool);
    EXPECT_EQ(mirrorResets, 1);

    showAndPhotograph(toolbox, "toolbox");
    toolbox->Close();
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(toolbox->IsShown());
    tools.setView(nullptr);
}

TEST_F(PaintingBars, ObjectBarTicksObjectsOnTwoPages) {
    CDlgObjectBar::Objects objects;
    auto make = [](const char* name) {
        auto object = std::make_unique<tbGeometryObject>(nullptr);
        object->name = name;
        return object;
    };
    objects.push_back(make("fuselage"));
    objects[0]->children.push_back(make("canopy"));
    objects[0]->children[0]->children.push_back(make("pilot"));
    objects.push_back(make("wing"));
    objects[1]->visible = 0;
    bool paintableOnly = true;
    tbToolSettingsBinding& binding = binding_;
    CDlgObjectBar::Objects* open = &objects;
    auto* bar = keep(new CDlgObjectBar(nullptr, [&] { return open; }, &paintableOnly, binding));
    showAndPhotograph(bar, "objectBar");
    using bars::ObjectPage;
    wxTreeCtrl* enabledTree = bar->tree(ObjectPage::enabled);
    EXPECT_EQ(enabledTree->GetCount(), 4u);
    EXPECT_TRUE(enabledTree->IsShown());
    EXPECT_FALSE(bar->tree(ObjectPage::visible)->IsShown());

    // Collapse the canopy: "Disable all" leaves its hidden pilot alone.
    wxTreeItemIdValue cookie;
    const wxTreeItemId fuselage = enabledTree->GetFirstChild(enabledTree->GetRootItem(), cookie);
    const wxTreeItemId canopy = enabledTree->GetFirstChild(fuselage, cookie);
    enabledTree->Collapse(canopy);
    click(bar, CDlgObjectBar::Model::idUntickAll);
    EXPECT_FALSE(objects[0]->isEnabled());
    EXPECT_FALSE(objects[0]->children[0]->isEnabled());
    EXPECT_TRUE(objects[0]->children[0]->children[0]->isEnabled());
    EXPECT_FALSE(objects[1]->isEnabled());
    click(bar, CDlgObjectBar::Model::idTickAll);
    EXPECT_TRUE(objects[1]->isEnabled());

    // The visible page: its own captions and switch.
    toggle(bar->control<wxToggleButton>(CDlgObjectBar::Model::idEnabledPage));
    EXPECT_EQ(bar->model().page(), ObjectPage::visible);
    EXPECT_TRUE(bar->tree(ObjectPage::visible)->IsShown());
    EXPECT_EQ(bar->FindWindow(CDlgObjectBar::Model::idUntickAll)->GetLabel(), "Hide all");
    EXPECT_EQ(bar->FindWindow(CDlgObjectBar::Model::idTickAll)->GetLabel(), "Show all");
    wxTreeCtrl* visibleTree = bar->tree(ObjectPage::visible);
    const wxTreeItemId wing = visibleTree->GetNextSibling(visibleTree->GetFirstChild(visibleTree->GetRootItem(), cookie));
    EXPECT_EQ(visibleTree->GetItemText(wing), "wing");
    bar->toggleItem(ObjectPage::visible, wing);
    EXPECT_TRUE(objects[1]->isVisible());
    EXPECT_TRUE(objects[1]->isEnabled());

    auto* box = bar->control<wxCheckBox>(CDlgObjectBar::Model::idPaintableOnly);
    EXPECT_TRUE(box->GetValue());
    box->SetValue(false);
    wxCommandEvent boxClicked(wxEVT_CHECKBOX, box->GetId());
    boxClicked.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(boxClicked);
    EXPECT_FALSE(paintableOnly);

    // The model goes (a new scheme): the trees let go of the old objects.
    open = nullptr;
    binding.afterNew();
    EXPECT_EQ(enabledTree->GetCount(), 0u);
    EXPECT_EQ(bar->model().page(), ObjectPage::enabled);
}

}  // namespace
