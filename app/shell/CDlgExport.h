// The two export-name dialogs: `CDlgExportScheme` ("Export paint scheme")
// and `CDlgExportFlyingSite` ("Export flying site"). Each lists the exports
// already stored, takes one of them or a typed name, refuses names a file
// cannot have, and deletes an old export. Both end with 1; the caller tells
// a cancel by an empty name (the file name for a flying site). The rules
// live in ExportNamesModel; ExportNamesDialog holds what the two share.
#pragma once

#include <string>

#include "app/shell/CDlgExportModel.h"
#include "platform/ui/templateDialog.h"

class ExportNamesDialog : public ui::TemplateDialog {
public:
    // The buttons, the same in both dialogs.
    enum : int { idDelete = 1012, idExport = 1015, idCancel = 1011 };

    const shell::ExportNamesModel& model() const { return model_; }

protected:
    // `listId` the saved exports, `nameId` the edit the name is typed in,
    // `name` the caller's string that Cancel empties.
    ExportNamesDialog(wxWindow* parent, const ui::DialogTemplate& table, shell::ExportNamesModel model, int listId,
                      int nameId, std::string* name);
    // Export with an accepted name: the caller's strings get the texts.
    virtual void storeResult(const std::string& name) = 0;

private:
    void fillList();
    void selectionToEdit();
    void onExport();
    void onDelete();

    shell::ExportNamesModel model_;
    int listId_, nameId_;
    std::string* name_;
};

class CDlgExportScheme : public ExportNamesDialog {
public:
    enum : int { idList = 1131, idName = 1017 };

    // `settingsFolder` ends with '/'; `modelName` is the current project's model.
    CDlgExportScheme(std::string* name, const std::string& settingsFolder, const std::string& modelName,
                     wxWindow* parent);

private:
    void storeResult(const std::string& name) override;
    std::string* name_;
};

class CDlgExportFlyingSite : public ExportNamesDialog {
public:
    enum : int { idList = 1158, idFileName = 1157, idName = 1161, idDescription = 1160 };

    CDlgExportFlyingSite(std::string* fileName, std::string* name, std::string* description,
                         const std::string& settingsFolder, wxWindow* parent);

private:
    void storeResult(const std::string& fileName) override;
    std::string* fileName_;
    std::string* name_;
    std::string* description_;
};
