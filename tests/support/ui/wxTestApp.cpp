#include "tests/support/ui/wxTestApp.h"

#include <chrono>
#include <clocale>
#include <thread>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/init.h>

namespace test {

bool startWx() {
    static const bool started = [] {
        static int argc = 1;
        static char name[] = "tolvane-tests";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp());
        if (!wxEntryStart(argc, argv)) return false;
        if (!wxTheApp->CallOnInit()) return false;
        std::setlocale(LC_NUMERIC, "C");
        return true;
    }();
    return started;
}

bool pumpEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoop> ownLoop;
    if (!loop) {
        ownLoop = std::make_unique<wxEventLoop>();
        wxEventLoopBase::SetActive(ownLoop.get());
        loop = ownLoop.get();
    }
    bool result = done();
    while (!result && std::chrono::steady_clock::now() < deadline) {
        while (loop->Pending()) loop->Dispatch();
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        result = done();
    }
    if (ownLoop) wxEventLoopBase::SetActive(nullptr);
    return result;
}

int runModal(wxDialog& dialog, const std::function<void()>& drive) {
    dialog.CallAfter([&dialog, drive] {
        pumpEventsUntil([&dialog] { return dialog.IsShownOnScreen(); });
        drive();
    });
    return dialog.ShowModal();
}

}  // namespace test
