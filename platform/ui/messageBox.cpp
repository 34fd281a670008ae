#include "platform/ui/messageBox.h"

#include <wx/msgdlg.h>

namespace ui {
namespace {

ScriptedAnswers* g_script = nullptr;

}  // namespace

MessageAnswer askUser(const MessageBoxRequest& request, wxWindow* parent) {
    if (g_script) return g_script->answer(request);
    const bool confirm = request.kind == MessageBoxKind::confirm;
    const long style = confirm ? (wxYES_NO | wxNO_DEFAULT | wxICON_WARNING) : (wxOK | wxICON_ERROR);
    wxMessageDialog box(parent, wxString::FromUTF8(request.text), wxString::FromUTF8(request.title), style);
    const int result = box.ShowModal();
    if (!confirm) return MessageAnswer::ok;
    return result == wxID_YES ? MessageAnswer::yes : MessageAnswer::no;
}

ScriptedAnswers::ScriptedAnswers(std::deque<MessageAnswer> answers)
    : answers_(std::move(answers)), previous_(g_script) {
    g_script = this;
}

ScriptedAnswers::~ScriptedAnswers() { g_script = previous_; }

MessageAnswer ScriptedAnswers::answer(const MessageBoxRequest& request) {
    asked_.push_back(request);
    if (request.kind == MessageBoxKind::error) return MessageAnswer::ok;
    if (answers_.empty()) return MessageAnswer::no;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace ui
