#include "platform/ui/messageBox.h"

#include <wx/msgdlg.h>

#include "platform/ui/toolWindow.h"

namespace ui {
namespace {

ScriptedAnswers* g_script = nullptr;

}  // namespace

MessageAnswer askUser(const MessageBoxRequest& request, wxWindow* parent) {
    if (g_script) return g_script->answer(request);
    long style = wxOK | wxICON_ERROR;
    switch (request.kind) {
        case MessageBoxKind::confirm: style = wxYES_NO | wxNO_DEFAULT | wxICON_WARNING; break;
        case MessageBoxKind::question: style = wxYES_NO | wxCANCEL | wxICON_WARNING; break;
        case MessageBoxKind::notice: style = wxOK; break;
        case MessageBoxKind::error: break;
    }
    wxMessageDialog box(parent, wxString::FromUTF8(request.text), wxString::FromUTF8(request.title), style);
    const int result = box.ShowModal();
    raiseShownToolWindows();
    switch (result) {
        case wxID_YES: return MessageAnswer::yes;
        case wxID_NO: return MessageAnswer::no;
        case wxID_CANCEL: return request.kind == MessageBoxKind::question ? MessageAnswer::cancel : MessageAnswer::no;
        default: return MessageAnswer::ok;
    }
}

ScriptedAnswers::ScriptedAnswers(std::deque<MessageAnswer> answers)
    : answers_(std::move(answers)), previous_(g_script) {
    g_script = this;
}

ScriptedAnswers::~ScriptedAnswers() { g_script = previous_; }

MessageAnswer ScriptedAnswers::answer(const MessageBoxRequest& request) {
    asked_.push_back(request);
    if (request.kind == MessageBoxKind::error || request.kind == MessageBoxKind::notice) return MessageAnswer::ok;
    if (answers_.empty()) return MessageAnswer::no;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace ui
