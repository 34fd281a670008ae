// The desktop clipboard as the engine's edit boxes see it: while the
// program's tbDesktopClipboard exists, text an edit box copies is on wx's
// clipboard for other programs, and text put there pastes into the edit box.
#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <string>

#include "app/shell/tbDesktopClipboard.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

std::string desktopText() {
    wxClipboardLocker locker;
    wxTextDataObject text;
    if (!locker || !wxTheClipboard->GetData(text)) return "(none)";
    return text.GetText().utf8_string();
}

void putOnDesktop(const std::string& text) {
    wxClipboardLocker locker;
    ASSERT_FALSE(!locker);
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}

}  // namespace

TEST(DesktopClipboard, EditBoxesCopyToAndPasteFromTheDesktop) {
    ASSERT_TRUE(test::startWx());
    simGuiClipboard& processOwn = simGuiClipboard::current();
    {
        tbDesktopClipboard desktop;
        ASSERT_EQ(&simGuiClipboard::current(), &desktop);
        simGuiClipboard::current().setText("gr\xC3\xBC\xC3\x9F" "e");
        EXPECT_EQ(desktopText(), "gr\xC3\xBC\xC3\x9F" "e");

        putOnDesktop("from another program");
        std::string pasted;
        EXPECT_TRUE(simGuiClipboard::current().getText(pasted));
        EXPECT_EQ(pasted, "from another program");
    }
    EXPECT_EQ(&simGuiClipboard::current(), &processOwn) << "the process's own clipboard is back";
}
