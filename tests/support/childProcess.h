// Programs a test starts: an X server, the program under test, the tools
// that drive it. A child process dies with the test process (a crashed or
// killed test leaves nothing running) and is ended with its object.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct ChildOptions {
    // Environment variables set (or replaced) for the child; the rest of the
    // test's environment is passed on, less the names in `unset`.
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> unset;
    // A file that gets the child's standard output and error; empty: the test's own.
    std::string outputFile;
    // Descriptors of the test handed to the child under another number
    // ({pipe end, 1} gives the child's standard output to a pipe).
    std::vector<std::pair<int, int>> descriptors;
};

class ChildProcess {
public:
    ChildProcess() = default;
    // Ends the child when it still runs (see stop).
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `argv[0]` (a path, or a name looked up in PATH) with the
    // arguments. False when it cannot be started, or while the last child
    // started has not been seen to end (wait): one child at a time.
    bool start(const std::vector<std::string>& argv, const ChildOptions& options = {});

    pid_t pid() const { return pid_; }
    bool running();
    // The child's exit status once it ends within the time (128 + the signal
    // for a child a signal ended); nothing when it still runs.
    std::optional<int> wait(int timeoutMs);
    // SIGTERM, then SIGKILL when the child has not ended after `graceMs`.
    void stop(int graceMs = 5000);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Runs a tool to its end and gives its exit status and standard output
// (status -1 when it could not be started or did not end within the time).
struct ToolResult {
    int status = -1;
    std::string output;
};
ToolResult runTool(const std::vector<std::string>& argv, const ChildOptions& options = {}, int timeoutMs = 30000);

}  // namespace testsupport
