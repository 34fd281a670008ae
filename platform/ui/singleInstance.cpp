#include "platform/ui/singleInstance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include <wx/evtloop.h>
#include <wx/evtloopsrc.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

namespace ui {

namespace {

constexpr char kRaiseRequest[] = "raise\n";

std::string defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return runtime;
    return wxGetHomeDir().ToStdString();
}

// The title as a file-name part: letters and digits kept, the rest '_'.
std::string fileNamePart(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return out;
}

// A Unix socket address for `path`; false when the path does not fit.
bool socketAddress(const std::string& path, sockaddr_un* address) {
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Sends the raise request to the instance listening on `path`. A missing or
// silent first instance (it is still starting, or it cannot listen) is not
// an error: the second start ends all the same.
void sendRaiseRequest(const std::string& path) {
    sockaddr_un address;
    if (!socketAddress(path, &address)) return;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        (void)!write(fd, kRaiseRequest, sizeof kRaiseRequest - 1);
    close(fd);
}

}  // namespace

// Called from the event loop when a later start connects.
class SingleInstance::RequestHandler : public wxEventLoopSourceHandler {
public:
    explicit RequestHandler(SingleInstance& owner) : owner_(owner) {}
    void OnReadWaiting() override { owner_.acceptRequests(); }
    void OnWriteWaiting() override {}
    void OnExceptionWaiting() override {}

private:
    SingleInstance& owner_;
};

SingleInstance::SingleInstance(const std::string& title, std::function<void()> onRaiseRequest, std::string folder)
    : checker_(std::make_unique<wxSingleInstanceChecker>()), onRaiseRequest_(std::move(onRaiseRequest)) {
    if (folder.empty()) folder = defaultFolder();
    const std::string name = fileNamePart(title) + "-" + wxGetUserId().ToStdString();
    socketPath_ = folder + "/." + name + ".socket";
    // A checker that cannot be made lets the program start: refusing every
    // start would be worse than allowing two.
    if (!checker_->Create(name + ".lock", folder)) return;
    otherIsRunning_ = checker_->IsAnotherRunning();
    if (otherIsRunning_) {
        sendRaiseRequest(socketPath_);
        return;
    }
    listen();
}

SingleInstance::~SingleInstance() {
    delete source_;
    if (listener_ >= 0) {
        close(listener_);
        unlink(socketPath_.c_str());
    }
}

void SingleInstance::listen() {
    sockaddr_un address;
    if (!socketAddress(socketPath_, &address)) return;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    // This process holds the lock, so a socket file left there is stale.
    unlink(socketPath_.c_str());
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
        close(fd);
        return;
    }
    listener_ = fd;
    handler_ = std::make_unique<RequestHandler>(*this);
    source_ = wxEventLoopBase::AddSourceForFD(listener_, handler_.get(), wxEVENT_SOURCE_INPUT);
}

void SingleInstance::acceptRequests() {
    // Every waiting start is one request; what it sent does not matter.
    for (int client; (client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        close(client);
        if (onRaiseRequest_) onRaiseRequest_();
    }
}

}  // namespace ui
