#include "app/shell/tbDesktopClipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

tbDesktopClipboard::tbDesktopClipboard() { simGuiClipboard::install(this); }

tbDesktopClipboard::~tbDesktopClipboard() {
    if (&simGuiClipboard::current() == this) simGuiClipboard::install(nullptr);
}

bool tbDesktopClipboard::getText(std::string& out) {
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return false;
    wxTextDataObject text;
    if (!wxTheClipboard->GetData(text)) return false;
    out = text.GetText().utf8_string();
    return true;
}

void tbDesktopClipboard::setText(const std::string& text) {
    wxClipboardLocker locker;
    if (!locker) return;
    // The clipboard takes the data object and deletes it when replaced.
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}
