// The shape bar, the Shape Manager, the image projection bar, the text bar
// and the text editor on the display: each opened, driven through its
// control ids as a user would, checked against its presenter, the model's
// tool settings or the operations it called, photographed and closed.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/CDlgImageProject.h"
#include "app/scheme/bars/CDlgShapeBar.h"
#include "app/scheme/bars/CDlgStoreShape.h"
#include "app/scheme/bars/CDlgTextEditor.h"
#include "app/scheme/bars/DlgTextBar.h"
#include "app/scheme/tbGeometry.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbToolState.h"
#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"
#include "tests/app/scheme/bars/barInput.h"
#include "tests/support/colourRecords.h"

namespace {

using testsupport::rgb;

class SchemeToolBars : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::startWx()) GTEST_SKIP() << "no display";
        tools.setMainColour(rgb(230, 40, 20));
        tools.setSecondColour(rgb(20, 60, 220));
    }
    void TearDown() override {
        for (wxWindow* bar : bars) bar->Destroy();
        test::pumpEventsUntil([] { return false; }, 50);
    }
    template <class T>
    T* keep(T* bar) {
        bars.push_back(bar);
        return bar;
    }
    tbBarTarget target() {
        return {[this]() -> tbGeometry* { return &model; }, [this](tbGeometry&) { ++undoSteps; }};
    }

    tbToolState tools;
    tbGeometry model{nullptr};
    int undoSteps = 0;
    tbToolSettingsBinding binding{[this]() -> tbToolSettings* { return &model.toolSettings; }};
    std::array<simColour, shell::kSwatchCount> swatches{};
    std::vector<wxWindow*> bars;
};

TEST_F(SchemeToolBars, ShapeBarSetsTheFillAxisSidesAndCurvesAndFillsTheOutline) {
    int fills = 0, clears = 0, managerToggles = 0;
    bool filledGradient = false;
    uint32_t filledAxis = 99;
    bars::ShapeBarModel::Operations ops;
    ops.applyShape = [&](tbGeometry&, bool, const simColour&, const simColour&, bool gradient, uint32_t axis) {
        ++fills;
        filledGradient = gradient;
        filledAxis = axis;
    };
    ops.clearShape = [&](tbGeometry&) { ++clears; };
    ops.toggleShapeManager = [&] { ++managerToggles; };
    auto* bar = keep(new CDlgShapeBar(nullptr, tools, swatches, binding, target(), ops));

    // As it opens: solid fill checked, the Y axis, one sided.
    auto* solid = bar->control<wxToggleButton>(CDlgShapeBar::idSolid);
    auto* gradient = bar->control<wxToggleButton>(CDlgShapeBar::idGradient);
    auto* axis = bar->control<wxComboBox>(CDlgShapeBar::idAxis);
    auto* sided = bar->control<wxButton>(CDlgShapeBar::idSided);
    ASSERT_TRUE(solid && gradient && axis && sided);
    EXPECT_TRUE(solid->GetValue());
    EXPECT_FALSE(gradient->GetValue());
    EXPECT_EQ(axis->GetStringSelection(), "Y axis");
    EXPECT_EQ(axis->GetCount(), 3u);
    EXPECT_EQ(sided->GetLabel(), "one sided");
    for (const auto& [id, caption] : {std::pair{CDlgShapeBar::idClearShape, "Clear Shape"},
                                      {CDlgShapeBar::idStoreShape, "Store Shape"},
                                      {CDlgShapeBar::idCreateCurve, "Create Curve"},
                                      {CDlgShapeBar::idClearCurve, "Clear Curve"},
                                      {CDlgShapeBar::idProjectShape, "Project Shape"}}) {
        ASSERT_NE(bar->FindWindow(id), nullptr) << caption;
        EXPECT_EQ(bar->FindWindow(id)->GetLabel(), caption);
    }

    // Clicking the checked solid button switches to the gradient.
    test::toggle(solid);
    EXPECT_FALSE(solid->GetValue());
    EXPECT_TRUE(gradient->GetValue());
    test::choose(axis, "Z axis");
    bar->clickButton(CDlgShapeBar::idSided);
    EXPECT_EQ(sided->GetLabel(), "double sided");
    EXPECT_EQ(model.toolSettings.shapeGradient, 1);
    EXPECT_EQ(model.toolSettings.shapeAxis, 2u);
    EXPECT_EQ(model.toolSettings.shapeDoubleSided, 1);

    auto* create = bar->control<wxToggleButton>(CDlgShapeBar::idCreateCurve);
    auto* straighten = bar->control<wxToggleButton>(CDlgShapeBar::idClearCurve);
    test::toggle(create);
    test::toggle(straighten);
    EXPECT_FALSE(create->GetValue()) << "at most one curve button is checked";
    EXPECT_TRUE(straighten->GetValue());

    bar->clickButton(CDlgShapeBar::idProjectShape);
    bar->clickButton(CDlgShapeBar::idClearShape);
    bar->clickButton(CDlgShapeBar::idStoreShape);
    EXPECT_EQ(fills, 1);
    EXPECT_TRUE(filledGradient);
    EXPECT_EQ(filledAxis, 2u);
    EXPECT_EQ(undoSteps, 1);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(managerToggles, 1);

    const wxImage shot = test::showAndPhotograph(bar, "shapeBar");

    test::expectCaptionsFit(bar, "shapeBar");
    // The strip runs from the main colour at its left towards the second.
    auto* strip = bar->control<ui::ImageCanvas>(CDlgShapeBar::idStrip);
    const wxImage stripPicture = strip->picture().ConvertToImage();
    ASSERT_TRUE(stripPicture.IsOk());
    EXPECT_NEAR(stripPicture.GetRed(0, 2), 230, 8);
    EXPECT_NEAR(stripPicture.GetBlue(stripPicture.GetWidth() - 1, 2), 220, 12);
    EXPECT_EQ(bar->control<ui::SwatchControl>(CDlgShapeBar::idSecondColour)->colour(), wxColour(20, 60, 220));

    // The toolbox's reset shows solid on Y, one sided, again.
    bar->model().reset();
    EXPECT_TRUE(solid->GetValue());
    EXPECT_EQ(axis->GetStringSelection(), "Y axis");
    EXPECT_EQ(sided->GetLabel(), "one sided");
    bar->Close();
    EXPECT_FALSE(bar->IsShown());
}

TEST_F(SchemeToolBars, ShapeManagerStoresRestoresAndDeletesThroughItsList) {
    tbStoredShapeList shapes;
    std::vector<tbShapePoint> outline = {{0, {1, 2}, {}, {}}, {0, {9, 2}, {}, {}}, {0, {5, 8}, {}, {}}};
    std::vector<std::string> restored;
    tools.setTool(kToolShape);
    auto* manager = keep(new CDlgStoreShape(nullptr, tools, binding,
                                            {[&] { return &shapes; }, [&] { return &outline; },
                                             [&](const tbStoredShape& shape) { restored.push_back(shape.name); }}));
    EXPECT_EQ(manager->GetTitle(), "Shape Manager");
    auto* list = manager->control<wxListBox>(CDlgStoreShape::idList);
    auto* name = manager->control<wxTextCtrl>(CDlgStoreShape::idName);
    ASSERT_TRUE(list && name);
    EXPECT_EQ(name->GetValue(), "New Shape");
    EXPECT_EQ(manager->FindWindow(CDlgStoreShape::idStore)->GetLabel(), "Store shape");
    EXPECT_EQ(manager->FindWindow(CDlgStoreShape::idRestore)->GetLabel(), "Restore shape");
    EXPECT_EQ(manager->FindWindow(CDlgStoreShape::idDelete)->GetLabel(), "Delete shape");

    manager->clickButton(CDlgStoreShape::idStore);
    manager->clickButton(CDlgStoreShape::idStore);
    name->SetValue("Cheat line");
    manager->clickButton(CDlgStoreShape::idStore);
    ASSERT_EQ(list->GetCount(), 3u);
    EXPECT_EQ(list->GetString(0), "New Shape");
    EXPECT_EQ(list->GetString(1), "New Shape copy");
    EXPECT_EQ(list->GetString(2), "Cheat line");

    test::chooseLine(list, 1);
    EXPECT_EQ(name->GetValue(), "New Shape copy");
    test::chooseLine(list, 2, true);  // a double click restores
    manager->clickButton(CDlgStoreShape::idRestore);
    EXPECT_EQ(restored, (std::vector<std::string>{"Cheat line", "Cheat line"}));
    manager->clickButton(CDlgStoreShape::idDelete);
    EXPECT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(shapes.size(), 2u);
    // An opened project's shapes show at once.
    shapes.push_back(std::make_unique<tbStoredShape>(tbStoredShape{"Opened", {}}));
    binding.afterOpen();
    ASSERT_EQ(list->GetCount(), 3u);
    EXPECT_EQ(list->GetString(2), "Opened");

    // Another tool: nothing acts.
    tools.setTool(0);
    test::chooseLine(list, 0);
    manager->clickButton(CDlgStoreShape::idDelete);
    manager->clickButton(CDlgStoreShape::idStore);
    EXPECT_EQ(shapes.size(), 3u);

    test::showAndPhotograph(manager, "shapeManager");
    manager->Close();  // the close box hides it
    EXPECT_FALSE(manager->IsShown());
}

TEST_F(SchemeToolBars, ImageProjectionBarShowsEachSlotsOwnSettingsAndLoadsImages) {
    std::vector<std::pair<uint32_t, std::string>> loads;
    int projections = 0;
    std::string chosen = "/srv/pictures/roundel.png";
    bars::ImageProjectModel::Operations ops;
    ops.loadImage = [&](tbGeometry&, uint32_t slot, const std::string& path) { loads.emplace_back(slot, path); };
    ops.projectImages = [&](tbGeometry&) { ++projections; };
    ops.chooseFile = [&](const tbFileRequest&) { return chosen; };
    auto* bar = keep(new CDlgImageProject(nullptr, binding, target(), ops, "/opt/tolvane/resources"));

    auto* slot = bar->control<wxComboBox>(CDlgImageProject::idSlot);
    auto* name = bar->control<wxTextCtrl>(CDlgImageProject::idImageName);
    auto* wrap = bar->control<wxComboBox>(CDlgImageProject::idWrap);
    auto* threshold = bar->control<wxTextCtrl>(CDlgImageProject::idThreshold);
    auto* sided = bar->control<wxButton>(CDlgImageProject::idSided);
    auto* show = bar->control<wxToggleButton>(CDlgImageProject::idShow);
    ASSERT_TRUE(slot && name && wrap && threshold && sided && show);
    EXPECT_EQ(slot->GetStringSelection(), "+X axis");
    EXPECT_EQ(slot->GetCount(), 6u);
    EXPECT_EQ(name->GetValue(), "[No Image]");
    EXPECT_FALSE(name->IsEditable());
    EXPECT_EQ(wrap->GetStringSelection(), "Wrap");
    EXPECT_EQ(threshold->GetValue(), "50");
    EXPECT_EQ(sided->GetLabel(), "one sided");
    EXPECT_TRUE(show->GetValue());
    EXPECT_EQ(bar->FindWindow(CDlgImageProject::idPerform)->GetLabel(), "Perform Projection");

    test::choose(slot, "-Z axis");
    bar->clickButton(CDlgImageProject::idBrowse);
    test::choose(wrap, "Clamp");
    threshold->SetValue("30");
    bar->clickButton(CDlgImageProject::idSided);
    test::toggle(show);
    EXPECT_EQ(name->GetValue(), "roundel.png");
    EXPECT_EQ(loads, (std::vector<std::pair<uint32_t, std::string>>{{5, chosen}}));
    const tbProjectionSlotSettings& written = model.toolSettings.projectionSlots[5];
    EXPECT_EQ(written.threshold, 30u);
    EXPECT_EQ(written.wrapMode, 1u);
    EXPECT_EQ(written.doubleSided, 1u);
    EXPECT_EQ(written.show, 0);

    test::choose(slot, "+X axis");
    EXPECT_EQ(name->GetValue(), "[No Image]");
    EXPECT_EQ(wrap->GetStringSelection(), "Wrap");
    EXPECT_EQ(threshold->GetValue(), "50");
    EXPECT_EQ(sided->GetLabel(), "one sided");
    EXPECT_TRUE(show->GetValue());
    test::choose(slot, "-Z axis");
    EXPECT_EQ(name->GetValue(), "roundel.png");
    EXPECT_EQ(wrap->GetStringSelection(), "Clamp");
    EXPECT_EQ(threshold->GetValue(), "30");
    EXPECT_EQ(sided->GetLabel(), "double sided");
    EXPECT_FALSE(show->GetValue());

    bar->clickButton(CDlgImageProject::idPerform);
    EXPECT_EQ(projections, 1);
    EXPECT_EQ(undoSteps, 1);

    test::showAndPhotograph(bar, "imageProjectionBar");

    test::expectCaptionsFit(bar, "imageProjectionBar");
    // An opened file's values show at once.
    tbToolSettings file = model.toolSettings;
    file.projectionSlot = 2;
    file.projectionSlots[2] = {120, 0, 1, "tail.bmp", "/srv/tail.bmp", 1};
    model.toolSettings = file;
    binding.afterOpen();
    EXPECT_EQ(slot->GetStringSelection(), "+Y axis");
    EXPECT_EQ(name->GetValue(), "tail.bmp");
    EXPECT_EQ(threshold->GetValue(), "120");
    EXPECT_EQ(wrap->GetStringSelection(), "Clamp");
    bar->Close();
    EXPECT_FALSE(bar->IsShown());
}

TEST_F(SchemeToolBars, TextBarAndEditorSetTheTextToolAndTheirSettings) {
    std::vector<std::string> texts;
    std::vector<std::string> fonts;
    std::vector<bool> projections;
    int editorToggles = 0;
    auto* editor = keep(new CDlgTextEditor(
        nullptr, binding, target(),
        {[&](tbGeometry&, const std::string& text) { texts.push_back(text); },
         [&](tbGeometry&, const std::string& face, bool bold, bool italic) {
             fonts.push_back(face + (bold ? " bold" : "") + (italic ? " italic" : ""));
         }}));
    auto* bar = keep(new DlgTextBar(nullptr, tools, swatches, editor->model(), binding, target(),
                                    {[&](tbGeometry&, bool textureView) { projections.push_back(textureView); },
                                     [](tbGeometry&) {}, [&] { ++editorToggles; }}));

    auto* text = editor->control<wxTextCtrl>(CDlgTextEditor::idText);
    auto* faces = editor->control<wxComboBox>(CDlgTextEditor::idFont);
    auto* bold = editor->control<wxToggleButton>(CDlgTextEditor::idBold);
    ASSERT_TRUE(text && faces && bold);
    EXPECT_EQ(text->GetValue(), "TEXT");
    EXPECT_EQ(faces->GetStringSelection(), "Arial");
    EXPECT_GE(faces->GetCount(), 1u);
    // Every keystroke reaches the text tool.
    text->SetValue("G");
    text->SetValue("G-");
    text->SetValue("G-BX");
    EXPECT_EQ(texts, (std::vector<std::string>{"G", "G-", "G-BX"}));
    test::toggle(bold);
    EXPECT_EQ(fonts.back(), "Arial bold");
    EXPECT_EQ(model.toolSettings.text, "G-BX");
    EXPECT_EQ(model.toolSettings.bold, 1);
    test::showAndPhotograph(editor, "textEditor");

    auto* axis = bar->control<wxComboBox>(DlgTextBar::idAxis);
    auto* direction = bar->control<wxComboBox>(DlgTextBar::idDirection);
    auto* solid = bar->control<wxToggleButton>(DlgTextBar::idSolid);
    auto* gradient = bar->control<wxToggleButton>(DlgTextBar::idGradient);
    auto* sided = bar->control<wxButton>(DlgTextBar::idSided);
    ASSERT_TRUE(axis && direction && solid && gradient && sided);
    EXPECT_EQ(axis->GetStringSelection(), "+X axis");
    EXPECT_EQ(direction->GetStringSelection(), "Vertical");
    EXPECT_TRUE(solid->GetValue());
    EXPECT_EQ(sided->GetLabel(), "one sided");
    EXPECT_EQ(bar->FindWindow(DlgTextBar::idProject)->GetLabel(), "Project text");

    test::choose(axis, "-Y axis");
    test::choose(direction, "Horizontal");
    test::toggle(gradient);
    bar->clickButton(DlgTextBar::idSided);
    EXPECT_EQ(sided->GetLabel(), "double sided");
    EXPECT_FALSE(solid->GetValue());
    EXPECT_EQ(model.toolSettings.textListSelection, 3u);
    EXPECT_EQ(model.toolSettings.textGradientDirection, 0u);
    EXPECT_EQ(model.toolSettings.textColourMode, 1);
    EXPECT_EQ(model.toolSettings.textSided, 1u);
    test::toggle(bar->control<wxToggleButton>(DlgTextBar::idEditor));
    EXPECT_EQ(editorToggles, 1);
    tools.setViewMode(1);
    bar->clickButton(DlgTextBar::idProject);
    EXPECT_EQ(projections, std::vector<bool>{true});
    EXPECT_EQ(undoSteps, 1);
    // The editor's button shows the text tool's picture of the text.
    std::vector<uint32_t> picture(128 * 32, 0xff000000u);
    for (int x = 10; x < 118; ++x) picture[16 * 128 + x] = 0xffffffffu;
    bar->showThumbnail(picture, 128, 32);
    EXPECT_TRUE(bar->control<wxToggleButton>(DlgTextBar::idEditor)->GetBitmap().IsOk());
    test::showAndPhotograph(bar, "textBar");
    test::expectCaptionsFit(bar, "textBar");

    // The toolbox's reset: one sided, "+X axis", "Vertical", solid; the
    // editor back to "TEXT" in Arial.
    bar->model().reset();
    EXPECT_EQ(sided->GetLabel(), "one sided");
    EXPECT_EQ(axis->GetStringSelection(), "+X axis");
    EXPECT_EQ(direction->GetStringSelection(), "Vertical");
    EXPECT_TRUE(solid->GetValue());
    EXPECT_EQ(text->GetValue(), "TEXT");
    EXPECT_FALSE(bold->GetValue());
    bar->Close();
    editor->Close();
    EXPECT_FALSE(bar->IsShown());
    EXPECT_FALSE(editor->IsShown());
}

}  // namespace
