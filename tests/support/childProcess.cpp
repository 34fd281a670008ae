#include "tests/support/childProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> childEnvironment(const ChildOptions& options) {
    std::vector<std::string> result;
    auto replaced = [&](const std::string& entry) {
        const std::string name = entry.substr(0, entry.find('='));
        if (std::find(options.unset.begin(), options.unset.end(), name) != options.unset.end()) return true;
        return std::any_of(options.environment.begin(), options.environment.end(),
                           [&](const auto& variable) { return variable.first == name; });
    };
    for (char** entry = environ; *entry; ++entry) {
        if (!replaced(*entry)) result.emplace_back(*entry);
    }
    for (const auto& [name, value] : options.environment) result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

}  // namespace

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::start(const std::vector<std::string>& argv, const ChildOptions& options) {
    if (argv.empty() || (pid_ > 0 && !status_)) return false;
    // Everything the child needs is made before the fork: between fork and
    // exec only async-signal-safe calls are allowed.
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = childEnvironment(options);
    std::vector<char*> argumentPointers = pointersTo(arguments);
    std::vector<char*> environmentPointers = pointersTo(environment);
    int output = -1;
    if (!options.outputFile.empty()) {
        output = open(options.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (output < 0) return false;
    }
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        if (output >= 0) close(output);
        return false;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test died before the line above took effect.
        if (getppid() != parent) _exit(127);
        // Out of the way of the numbers the descriptors below are given.
        const int failure = fcntl(ready[1], F_DUPFD_CLOEXEC, 100);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
        }
        for (const auto& [from, to] : options.descriptors) dup2(from, to);
        execvpe(argumentPointers[0], argumentPointers.data(), environmentPointers.data());
        // Tells the parent through the pipe that exec failed.
        const int error = errno;
        (void)!write(failure, &error, sizeof error);
        _exit(127);
    }
    close(ready[1]);
    if (output >= 0) close(output);
    if (pid < 0) {
        close(ready[0]);
        return false;
    }
    // The pipe closes on a successful exec and carries errno on a failed one.
    int error = 0;
    const ssize_t got = read(ready[0], &error, sizeof error);
    close(ready[0]);
    pid_ = pid;
    status_.reset();
    if (got > 0) {
        wait(5000);
        return false;
    }
    return true;
}

bool ChildProcess::running() { return pid_ > 0 && !wait(0); }

std::optional<int> ChildProcess::wait(int timeoutMs) {
    if (status_ || pid_ <= 0) return status_;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int waitStatus = 0;
        const pid_t ended = waitpid(pid_, &waitStatus, WNOHANG);
        if (ended == pid_ || (ended < 0 && errno != EINTR)) {
            status_ = ended == pid_ ? statusOf(waitStatus) : -1;
            return status_;
        }
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ChildProcess::stop(int graceMs) {
    if (pid_ <= 0 || status_) return;
    kill(pid_, SIGTERM);
    if (wait(graceMs)) return;
    kill(pid_, SIGKILL);
    wait(5000);
}

ToolResult runTool(const std::vector<std::string>& argv, const ChildOptions& options, int timeoutMs) {
    ToolResult result;
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) return result;
    ChildOptions withPipe = options;
    withPipe.descriptors.emplace_back(output[1], STDOUT_FILENO);
    ChildProcess tool;
    const bool started = tool.start(argv, withPipe);
    close(output[1]);
    if (!started) {
        close(output[0]);
        return result;
    }
    // Read as the tool writes, so a large output cannot block it.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd readable{output[0], POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t got = read(output[0], buffer, sizeof buffer);
        if (got <= 0) break;
        result.output.append(buffer, static_cast<size_t>(got));
    }
    close(output[0]);
    const std::optional<int> status = tool.wait(std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                                      deadline - Clock::now())
                                                                      .count()));
    result.status = status.value_or(-1);
    return result;
}

}  // namespace testsupport
