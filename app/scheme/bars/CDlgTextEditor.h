// The text editor: the text the text tool writes, its font face and the
// Bold and Italic switches. A pop-up without a title, opened from the text
// bar's first button; every keystroke reaches the text tool at once. Its
// decisions live in bars::TextEditorModel (stored with the text bar's).
#pragma once

#include "app/scheme/bars/CDlgTextEditorModel.h"
#include "platform/ui/toolWindow.h"

class CDlgTextEditor : public ui::ToolWindow {
public:
    enum : int { idText = 1017, idFont = 1074, idBold = 1096, idItalic = 1097 };
    // The most characters the edit takes; the model holds the text to the
    // bytes the project file keeps, which may be fewer characters.
    static constexpr int kMaxTextLength = 255;

    // The list offers every font face of the display.
    CDlgTextEditor(wxWindow* mainWindow, tbToolSettingsBinding& binding, tbBarTarget target,
                   bars::TextEditorModel::Operations operations);

    bars::TextEditorModel& model() { return model_; }

private:
    // Every control from the model.
    void showValues();

    bars::TextEditorModel model_;
};
