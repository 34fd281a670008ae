// The program's one open/save dialog (`CFileBrowserDlg`): a folder shown as
// a list of folders and files with icons, a "Look in" list of places and of
// the folders above the current one, Up, a file-name edit, a "Files of
// type" list and a preview of pictures. Every open, save, import, export and
// image choice of the program goes through it.
//
// The result string is the caller's: the default name in, the chosen path
// out, empty after Cancel. The dialog always ends with 1. Its decisions live
// in FileBrowserModel.
#pragma once

#include <string>
#include <vector>

#include "app/shell/CDlgFileBrowserModel.h"
#include "platform/ui/templateDialog.h"

class wxImageList;

class CFileBrowserDlg : public ui::TemplateDialog {
public:
    enum : int {
        idLookIn = 1002,
        idUp = 1012,
        idFileList = 1007,
        idFileName = 1008,
        idFileType = 1009,
        idOk = 1010,
        idCancel = 1011,
        idBitmapPreview = 1092,
        idIconPreview = 1093,
    };

    CFileBrowserDlg(std::string* result, const std::vector<std::string>& filters, const std::string& folder,
                    const std::string& title, const std::string& okText, bool saveMode, wxWindow* parent);
    ~CFileBrowserDlg() override;

    const shell::FileBrowserModel& model() const { return model_; }
    // The selected rows of the list, in order.
    std::vector<int> selectedRows() const;

private:
    void showFolder();
    void showPreview(const shell::FileRow* row);
    void finishIf(bool ends);

    shell::FileBrowserModel model_;
    wxImageList* icons_;
};
