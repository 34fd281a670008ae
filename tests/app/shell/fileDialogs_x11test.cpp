// The file browser, the model picker and the export-name dialogs on the
// display: each opens on a fixture folder, is driven through its control ids
// and gives its result.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "app/shell/CDlgExport.h"
#include "app/shell/CDlgFileBrowser.h"
#include "app/shell/CDlgModelPicker.h"
#include "platform/ui/messageBox.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

void keepPhotograph(wxWindow* window, const std::string& name) {
    // wx's own list control lays its rows out when the program is idle.
    test::pumpEventsUntil([] { return false; }, 1000);
    const wxImage shot = test::captureWindow(window);
    EXPECT_TRUE(test::keepScreenshot(shot, name));
    EXPECT_GE(test::distinctColours(shot), 3) << name;
}

void selectRow(wxListCtrl* list, long row) {
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void activateRow(wxListCtrl* list, long row) {
    selectRow(list, row);
    wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
    event.SetEventObject(list);
    event.m_itemIndex = row;
    list->GetEventHandler()->ProcessEvent(event);
}

void chooseListBoxEntry(wxListBox* list, int index, wxEventType type = wxEVT_LISTBOX) {
    list->SetSelection(index);
    wxCommandEvent event(type, list->GetId());
    event.SetEventObject(list);
    event.SetInt(index);
    list->GetEventHandler()->ProcessEvent(event);
}

class ProjectsFolder : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::startWx());
        const imagesamples::Bytes picture = imagesamples::bmp24(imagesamples::pattern(64, 48, false));
        folder.write("picture.bmp", std::string(picture.begin(), picture.end()));
        folder.write("scheme.tvp", "p");
        folder.write("notes.txt", "n");
        std::filesystem::create_directories(folder.file("Sub"));
        folder.write("Sub/inner.tvp", "p");
    }
    testsupport::TempFolder folder;
};

}  // namespace

TEST_F(ProjectsFolder, FileBrowserOpensNavigatesPreviewsAndReturnsTheClickedFile) {
    std::string result;
    CFileBrowserDlg dialog(&result, {"*.tvp", "*.bmp"}, folder.path(), "Open model scheme", "Open", false, nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Open model scheme");
    EXPECT_EQ(dialog.control<wxWindow>(CFileBrowserDlg::idOk)->GetLabel(), "Open");
    const int answer = test::runModal(dialog, [&] {
        auto* list = dialog.control<wxListCtrl>(CFileBrowserDlg::idFileList);
        auto* types = dialog.control<wxComboBox>(CFileBrowserDlg::idFileType);
        auto chooseType = [&](int index) {
            types->SetSelection(index);
            wxCommandEvent change(wxEVT_COMBOBOX, CFileBrowserDlg::idFileType);
            change.SetInt(index);
            types->GetEventHandler()->ProcessEvent(change);
        };
        // The types sorted, the first selected: "*.bmp".
        ASSERT_EQ(types->GetCount(), 3u);
        EXPECT_EQ(types->GetStringSelection(), "*.bmp");
        ASSERT_EQ(list->GetItemCount(), 2);
        EXPECT_EQ(list->GetItemText(0), "Sub");
        EXPECT_EQ(list->GetItemText(1), "picture.bmp");
        activateRow(list, 0);
        EXPECT_EQ(dialog.model().currentFolder(), folder.file("Sub"));
        EXPECT_EQ(list->GetItemCount(), 0) << "inner.tvp is not a bitmap";
        dialog.clickButton(CFileBrowserDlg::idUp);
        EXPECT_EQ(dialog.model().currentFolder(), folder.path());
        chooseType(1);
        ASSERT_EQ(list->GetItemCount(), 2);
        EXPECT_EQ(list->GetItemText(1), "scheme.tvp");
        chooseType(0);
        selectRow(list, 1);
        EXPECT_EQ(dialog.control<wxTextCtrl>(CFileBrowserDlg::idFileName)->GetValue(), "picture.bmp");
        auto* preview = dialog.control<wxStaticBitmap>(CFileBrowserDlg::idBitmapPreview);
        EXPECT_TRUE(preview->IsShown());
        EXPECT_EQ(preview->GetBitmap().GetWidth(), 128);
        keepPhotograph(&dialog, "fileBrowser");
        dialog.clickButton(CFileBrowserDlg::idOk);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(result, folder.file("picture.bmp"));
}

TEST_F(ProjectsFolder, FileBrowserSavesATypedNameWithTheTypesExtensionAndCancelEmpties) {
    std::string result = "scheme.tvp";
    CFileBrowserDlg save(&result, {"*.tvp"}, folder.path(), "Save Project", "Save", true, nullptr);
    test::runModal(save, [&] {
        auto* edit = save.control<wxTextCtrl>(CFileBrowserDlg::idFileName);
        EXPECT_EQ(edit->GetValue(), "scheme.tvp");
        edit->SetValue("fresh");
        save.clickButton(CFileBrowserDlg::idOk);
    });
    EXPECT_EQ(result, folder.file("fresh.tvp"));

    CFileBrowserDlg open(&result, {"*.tvp"}, folder.path(), "Open", "Open", false, nullptr);
    test::runModal(open, [&] {
        selectRow(open.control<wxListCtrl>(CFileBrowserDlg::idFileList), 1);
        open.clickButton(CFileBrowserDlg::idCancel);
    });
    EXPECT_EQ(result, "");
}

TEST(ModelPickerWindow, OnlyAModelCanBeChosen) {
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder root;
    std::filesystem::create_directories(root.file("objects/aircraft/gliders/school/kestrel"));
    root.write("objects/aircraft/gliders/school/kestrel/kestrel.tvm", "");
    std::string result = "unchanged";
    CDlgSelectModel dialog(&result, root.path(), nullptr);
    // The picker, title bar and all, fits a screen of 768 lines.
    EXPECT_LT(dialog.GetClientSize().y + 40, 768);
    test::runModal(dialog, [&] {
        auto* tree = dialog.control<wxTreeCtrl>(CDlgSelectModel::idTree);
        EXPECT_EQ(tree->GetChildrenCount(tree->GetRootItem(), false), 5u);
        wxTreeItemIdValue cookie;
        wxTreeItemId category = tree->GetFirstChild(tree->GetRootItem(), cookie);  // helicopters, empty
        tree->SelectItem(category);
        dialog.clickButton(CDlgSelectModel::idSelect);
        EXPECT_TRUE(dialog.IsModal()) << "an empty category is not a model";
        category = tree->GetNextChild(tree->GetRootItem(), cookie);  // fixedWing
        category = tree->GetNextChild(tree->GetRootItem(), cookie);  // gliders
        tree->ExpandAll();
        wxTreeItemIdValue inner;
        const wxTreeItemId group = tree->GetFirstChild(category, inner);
        const wxTreeItemId model = tree->GetFirstChild(group, inner);
        ASSERT_TRUE(model.IsOk());
        EXPECT_EQ(tree->GetItemText(model), "kestrel");
        tree->SelectItem(model);
        keepPhotograph(&dialog, "modelPicker");
        dialog.clickButton(CDlgSelectModel::idSelect);
    });
    EXPECT_EQ(result, "gliders/school/kestrel");

    CDlgSelectModel cancelled(&result, root.path(), nullptr);
    test::runModal(cancelled, [&] { cancelled.clickButton(CDlgSelectModel::idCancel); });
    EXPECT_EQ(result, "gliders/school/kestrel");
}

TEST(ExportWindows, SchemeDialogRefusesABadNameDeletesAndExportsAPickedName) {
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Schemes"));
    for (const char* name : {"Alpha#Red.bmp", "Alpha#Blue.bmp", "Beta#Green.bmp"}) settings.write(std::string("Schemes/") + name, "b");
    std::string name = "Re";
    CDlgExportScheme dialog(&name, settings.path() + "/", "Alpha", nullptr);
    ui::ScriptedAnswers answers({ui::MessageAnswer::yes});
    test::runModal(dialog, [&] {
        auto* list = dialog.control<wxListBox>(CDlgExportScheme::idList);
        auto* edit = dialog.control<wxTextCtrl>(CDlgExportScheme::idName);
        ASSERT_EQ(list->GetCount(), 2u);
        EXPECT_EQ(list->GetSelection(), 1) << "the first entry beginning with the name";
        edit->SetValue("bad/name");
        dialog.clickButton(CDlgExportScheme::idExport);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(answers.asked().at(0).title, "Error exporting scheme");
        chooseListBoxEntry(list, 1);
        EXPECT_EQ(edit->GetValue(), "Red");
        dialog.clickButton(CDlgExportScheme::idDelete);
        EXPECT_FALSE(std::filesystem::exists(settings.file("Schemes/Alpha#Red.bmp")));
        ASSERT_EQ(list->GetCount(), 1u);
        EXPECT_EQ(edit->GetValue(), "Blue") << "the first remaining scheme";
        keepPhotograph(&dialog, "exportScheme");
        chooseListBoxEntry(list, 0, wxEVT_LISTBOX_DCLICK);
    });
    EXPECT_EQ(name, "Blue");
}

TEST(ExportWindows, FlyingSiteDialogExportsAllThreeTextsAndCancelEmptiesOnlyTheFileName) {
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Flying sites/Meadow"));
    std::string fileName = "Mea", siteName = "My meadow", description = "Grass";
    CDlgExportFlyingSite dialog(&fileName, &siteName, &description, settings.path() + "/", nullptr);
    test::runModal(dialog, [&] {
        EXPECT_EQ(dialog.control<wxListBox>(CDlgExportFlyingSite::idList)->GetSelection(), 0);
        EXPECT_EQ(dialog.control<wxTextCtrl>(CDlgExportFlyingSite::idName)->GetValue(), "My meadow");
        dialog.control<wxTextCtrl>(CDlgExportFlyingSite::idFileName)->SetValue("Hill");
        dialog.control<wxTextCtrl>(CDlgExportFlyingSite::idDescription)->SetValue("Windy\nhill");
        keepPhotograph(&dialog, "exportFlyingSite");
        dialog.clickButton(CDlgExportFlyingSite::idExport);
    });
    EXPECT_EQ(fileName, "Hill");
    EXPECT_EQ(siteName, "My meadow");
    EXPECT_EQ(description, "Windy\nhill");

    CDlgExportFlyingSite cancelled(&fileName, &siteName, &description, settings.path() + "/", nullptr);
    test::runModal(cancelled, [&] { cancelled.clickButton(CDlgExportFlyingSite::idCancel); });
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(siteName, "My meadow");
    EXPECT_EQ(description, "Windy\nhill");
}
