#include "app/shell/CDlgFileBrowser.h"

#include <wx/artprov.h>
#include <wx/combobox.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

#include "platform/d3dx/d3dxImage.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Look in:", {7, 9, 40, 8}},
    {CFileBrowserDlg::idLookIn, ControlKind::dropDownCombo, "", {50, 7, 200, 12}},
    {CFileBrowserDlg::idUp, ControlKind::pushButton, "UP", {255, 6, 30, 14}},
    {CFileBrowserDlg::idFileList, ControlKind::fileList, "", {7, 24, 200, 130}},
    {-1, ControlKind::label, "File name:", {7, 162, 50, 8}},
    {CFileBrowserDlg::idFileName, ControlKind::edit, "", {60, 160, 180, 12}},
    {-1, ControlKind::label, "Files of type:", {7, 180, 50, 8}},
    {CFileBrowserDlg::idFileType, ControlKind::dropDownCombo, "", {60, 178, 180, 12}},
    {CFileBrowserDlg::idOk, ControlKind::pushButton, "Open", {250, 158, 60, 14}},
    {CFileBrowserDlg::idCancel, ControlKind::pushButton, "Cancel", {250, 176, 60, 14}},
    {-1, ControlKind::groupBox, "Preview", {212, 24, 98, 130}},
    {CFileBrowserDlg::idBitmapPreview, ControlKind::bitmap, "", {217, 36, 88, 88}},
    {CFileBrowserDlg::idIconPreview, ControlKind::bitmap, "", {217, 36, 88, 88}},
};
constexpr ui::DialogTemplate kTemplate = {"Open", {317, 217}, kControls};

constexpr int kPreviewSize = 128;
enum IconIndex { kFolderIcon, kFileIcon };

// A picture the program reads, scaled to the preview size; invalid when it
// does not load.
wxBitmap loadPreview(const std::string& path) {
    d3dx::ImageLoadDesc desc;
    desc.width = desc.height = kPreviewSize;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::A8R8G8B8;
    d3dx::Image image;
    if (!d3dx::LoadImageFromFile(path, desc, &image).ok() || image.surfaces.empty()) return wxBitmap();
    const d3dx::ImageSurface& surface = image.surface(0, 0);
    wxImage picture(static_cast<int>(surface.width), static_cast<int>(surface.height));
    for (uint32_t i = 0; i < surface.width * surface.height; ++i) {
        const uint8_t* bgra = &surface.bytes[i * 4];
        picture.GetData()[i * 3] = bgra[2];
        picture.GetData()[i * 3 + 1] = bgra[1];
        picture.GetData()[i * 3 + 2] = bgra[0];
    }
    return wxBitmap(picture);
}

}  // namespace

CFileBrowserDlg::CFileBrowserDlg(std::string* result, const std::vector<std::string>& filters,
                                 const std::string& folder, const std::string& title, const std::string& okText,
                                 bool saveMode, wxWindow* parent)
    : ui::TemplateDialog(parent, kTemplate, {idOk, idCancel}, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      model_(result, filters, folder, saveMode),
      icons_(new wxImageList(16, 16, true, 2)) {
    // One icon per kind, made once: rows share them.
    icons_->Add(wxArtProvider::GetBitmap(wxART_FOLDER, wxART_LIST, wxSize(16, 16)));
    icons_->Add(wxArtProvider::GetBitmap(wxART_NORMAL_FILE, wxART_LIST, wxSize(16, 16)));
    control<wxListCtrl>(idFileList)->SetImageList(icons_, wxIMAGE_LIST_SMALL);

    model_.open();
    wxComboBox* types = control<wxComboBox>(idFileType);
    for (const std::string& type : model_.fileTypes()) types->Append(wxString::FromUTF8(type));
    types->SetSelection(model_.selectedFileType());
    control<wxTextCtrl>(idFileName)->ChangeValue(wxString::FromUTF8(model_.editText()));
    showFolder();
    SetTitle(wxString::FromUTF8(title));
    control<wxWindow>(idOk)->SetLabel(wxString::FromUTF8(okText));
    control<wxWindow>(idUp)->SetLabel(wxString::FromUTF8("\xE2\x86\x91"));  // an arrow up
    control<wxWindow>(idBitmapPreview)->Hide();
    control<wxWindow>(idIconPreview)->Hide();
    control<wxWindow>(idFileName)->SetFocus();

    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& e) {
        model_.chooseLookIn(e.GetSelection());
        showFolder();
    }, idLookIn);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& e) {
        model_.chooseFileType(e.GetSelection());
        showFolder();
    }, idFileType);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.goUp();
        showFolder();
    }, idUp);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finishIf(model_.ok()); }, idOk);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.cancel();
        EndModal(1);
    }, idCancel);
    Bind(wxEVT_TEXT, [this](wxCommandEvent& e) { model_.typed(e.GetString().utf8_string()); }, idFileName);
    Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) {
        const bool ends = model_.doubleClick(selectedRows());
        if (ends) EndModal(1);
        else showFolder();
    }, idFileList);
    Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) {
        const std::vector<int> rows = selectedRows();
        model_.click(rows);
        control<wxTextCtrl>(idFileName)->ChangeValue(wxString::FromUTF8(model_.editText()));
        showPreview(rows.empty() ? nullptr : &model_.rows()[rows.back()]);
    }, idFileList);
    Bind(wxEVT_LIST_KEY_DOWN, [this](wxListEvent& e) {
        if (e.GetKeyCode() == WXK_DELETE) model_.deleteSelected(selectedRows());
        else if (e.GetKeyCode() == WXK_BACK) model_.goUp();
        else return;
        showFolder();
    }, idFileList);
}

CFileBrowserDlg::~CFileBrowserDlg() { delete icons_; }

std::vector<int> CFileBrowserDlg::selectedRows() const {
    std::vector<int> rows;
    const wxListCtrl* list = const_cast<CFileBrowserDlg*>(this)->control<wxListCtrl>(idFileList);
    for (long i = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i >= 0;
         i = list->GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(static_cast<int>(i));
    return rows;
}

void CFileBrowserDlg::showFolder() {
    wxListCtrl* list = control<wxListCtrl>(idFileList);
    list->DeleteAllItems();
    long index = 0;
    for (const shell::FileRow& row : model_.rows())
        list->InsertItem(index++, wxString::FromUTF8(row.name), row.folder ? kFolderIcon : kFileIcon);

    wxComboBox* lookIn = control<wxComboBox>(idLookIn);
    lookIn->Clear();
    for (const shell::LookInEntry& entry : model_.lookIn()) lookIn->Append(wxString::FromUTF8(entry.text));
    lookIn->SetSelection(model_.selectedLookIn());
}

void CFileBrowserDlg::showPreview(const shell::FileRow* row) {
    auto* picture = control<wxStaticBitmap>(idBitmapPreview);
    auto* icon = control<wxStaticBitmap>(idIconPreview);
    if (row && !row->folder && shell::FileBrowserModel::isPreviewedImage(row->path)) {
        picture->SetBitmap(loadPreview(row->path));
        icon->Hide();
        picture->Show();
        return;
    }
    icon->SetBitmap(wxArtProvider::GetBitmap(row && row->folder ? wxART_FOLDER : wxART_NORMAL_FILE, wxART_OTHER,
                                             wxSize(48, 48)));
    picture->Hide();
    icon->Show();
}

void CFileBrowserDlg::finishIf(bool ends) {
    if (ends) EndModal(1);
}
