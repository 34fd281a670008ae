// One running instance per user: the program's single-instance guard.
//
// The first instance holds a per-user lock (wxSingleInstanceChecker: a lock
// file holding its process id, which a later start sees as stale once that
// process is gone, so a crash leaves nothing that blocks the next start) and
// listens on a Unix socket beside it. A later start finds the lock held,
// sends one request over the socket and is told so; the first instance
// then calls its raise handler from its event loop (whichever loop runs:
// the main window's or a message box's).
//
// Both files live in $XDG_RUNTIME_DIR (per user, emptied at logout), else in
// the home folder. Names are made from the title with every character other
// than a letter or a digit turned into '_', and the user's name.
#pragma once

#include <functional>
#include <memory>
#include <string>

class wxEventLoopSource;
class wxSingleInstanceChecker;

namespace ui {

class SingleInstance {
public:
    // Takes the guard for `title` in `folder` (empty: the folder above).
    // `onRaiseRequest` runs in the first instance each time a later start
    // asks it to come to the front.
    SingleInstance(const std::string& title, std::function<void()> onRaiseRequest, std::string folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another process held the guard when this one was made; that
    // process has been asked to come to the front.
    bool otherIsRunning() const { return otherIsRunning_; }
    // Whether the first instance got its socket (false for a later start, or
    // when the socket could not be made: the guard still holds).
    bool listening() const { return listener_ >= 0; }

private:
    class RequestHandler;
    void listen();
    void acceptRequests();

    std::unique_ptr<wxSingleInstanceChecker> checker_;
    std::function<void()> onRaiseRequest_;
    std::string socketPath_;
    bool otherIsRunning_ = false;
    int listener_ = -1;
    std::unique_ptr<RequestHandler> handler_;
    wxEventLoopSource* source_ = nullptr;
};

}  // namespace ui
