// CPU use of the editor left idle with its window open, on an X server of its
// own (Xvfb 1280 x 1024, software OpenGL), beside a bare window: the same
// dialog and GL view clearing and presenting under the same frame pacing with
// no engine, once with its timer woken only when a frame is due (as the
// editor's is) and once with a timer that ticks every millisecond. The editor
// is measured empty and with the trainer open in the 3-D view and in the
// texture view, its window over the whole screen; and while something moves:
// the camera orbiting the trainer and a brush stroke over it.
//
// Each measurement starts once the window shows and the program's CPU use
// has settled (the start-up's work done), however long a loaded machine
// takes for that. Counters: the program's CPU use and the X server's (which
// takes every presented frame), in percent of one core; while moving, the
// CPU time per step of the drag too.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/timer.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/shell/tbApplication.h"
#include "app/shell/tbFrameDrive.h"
#include "platform/ui/glViewCanvas.h"
#include "tests/support/childProcess.h"
#include "tests/support/programHarness.h"
#include "tests/support/schemeSession.h"
#include "tests/support/virtualDisplay.h"

namespace {

using namespace testsupport;

constexpr int kMeasureMs = 5000;
// Settled: the program's CPU use over one half second is below this share of
// a core, or within a quarter of the half second before (a program that draws
// all the time settles at its own level), within the longest wait.
constexpr double kSettledCpuPct = 20.0;
constexpr double kSteadyShare = 0.25;
constexpr int kSettleWindowMs = 500;
constexpr int kSettleTimeoutMs = 60000;

// CPU seconds a process and all its threads have used (user and system).
double cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The name in parentheses may hold spaces; the fields count from its end.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0.0;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    // Fields 3 to 13, then utime (14) and stime (15).
    for (int i = 3; i <= 13; ++i) fields >> field;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool windowShown(const VirtualDisplay& display, const std::string& title) {
    ChildOptions options;
    options.environment = {{"DISPLAY", display.name()}};
    const ToolResult found = runTool({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}, options);
    return found.status == 0 && !found.output.empty();
}

bool waitForWindow(const VirtualDisplay& display, const std::string& title) {
    for (int waited = 0; waited < 60000; waited += 100) {
        if (windowShown(display, title)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// Waits until the process has settled (see the top); false when it never did.
bool waitUntilSettled(pid_t pid) {
    double previous = -1.0;
    for (int waited = 0; waited < kSettleTimeoutMs; waited += kSettleWindowMs) {
        const double before = cpuSeconds(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(kSettleWindowMs));
        const double pct = 100.0 * (cpuSeconds(pid) - before) * 1000.0 / kSettleWindowMs;
        if (pct < kSettledCpuPct || (previous >= 0.0 && std::abs(pct - previous) <= kSteadyShare * previous))
            return true;
        previous = pct;
    }
    return false;
}

// Measures the program `pid` and the X server over the measuring time.
void measureIdle(benchmark::State& state, pid_t pid, pid_t server) {
    double program = 0.0, xserver = 0.0, seconds = 0.0;
    for (auto _ : state) {
        const double program0 = cpuSeconds(pid), server0 = cpuSeconds(server);
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(kMeasureMs));
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        program += cpuSeconds(pid) - program0;
        xserver += cpuSeconds(server) - server0;
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    state.counters["program_cpu_pct"] = 100.0 * program / seconds;
    state.counters["xserver_cpu_pct"] = 100.0 * xserver / seconds;
}

// The editor on a display of its own, its window over the whole screen, with
// the view as a benchmark argument asks: 0 empty, 1 the trainer in the 3-D
// view, 2 the trainer in the texture view. Null (and the benchmark skipped)
// when the program does not get there.
enum EditorView { kEmpty = 0, kTrainer3D = 1, kTrainerTexture = 2 };

struct EditorRun {
    ProgramHarness program{"benchIdleEditor"};
    SchemeSession session{program};

    bool start(benchmark::State& state, int view) {
        session.writeSettings(", windowPos_x = 0, windowPos_y = 0, windowSize_x = 1280, windowSize_y = 1024");
        if (!session.start("started")) return skip(state, "the program showed no window");
        if (view == kEmpty) return true;
        if (!session.newKestrelScheme("trainer")) return skip(state, "the trainer did not open");
        if (view == kTrainerTexture) {
            // Space over the view switches to the texture view.
            const int x = 640, y = 500;
            if (!program.focus(session.window()) || !program.moveTo(session.window(), x, y) ||
                !program.key("space"))
                return skip(state, "the texture view did not open");
        }
        program.screenshot(session.window(), "view" + std::to_string(view));
        return true;
    }
    bool settle(benchmark::State& state) {
        return waitUntilSettled(program.pid()) || skip(state, "the program never settled");
    }
    static bool skip(benchmark::State& state, const char* why) {
        state.SkipWithError(why);
        return false;
    }
};

void BM_IdleEditor(benchmark::State& state) {
    EditorRun run;
    if (!run.start(state, int(state.range(0))) || !run.settle(state)) return;
    measureIdle(state, run.program.pid(), run.program.display().serverPid());
}
BENCHMARK(BM_IdleEditor)->ArgName("view")->Arg(kEmpty)->Arg(kTrainer3D)->Arg(kTrainerTexture)->UseManualTime()
    ->Unit(benchmark::kSecond)->Iterations(1);

// The trainer in the 3-D view while the mouse moves it: 0 the camera orbits
// (a right-button drag), 1 a brush stroke over the model. Each drag step is
// one mouse move the program draws a frame for; the CPU time per step is the
// frame's cost.
void BM_MovingEditor(benchmark::State& state) {
    EditorRun run;
    if (!run.start(state, kTrainer3D) || !run.settle(state)) return;
    const bool orbit = state.range(0) == 0;
    constexpr int kSteps = 100;
    const pid_t pid = run.program.pid();
    double program = 0.0, seconds = 0.0;
    for (auto _ : state) {
        const double program0 = cpuSeconds(pid);
        const auto start = std::chrono::steady_clock::now();
        // Across the model's middle, where the 3-D view shows the trainer.
        const bool dragged = run.program.drag(run.session.window(), 440, 480, 840, 520, orbit ? 3 : 1, kSteps);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!dragged) {
            state.SkipWithError("the drag failed");
            return;
        }
        program += cpuSeconds(pid) - program0;
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    state.counters["program_cpu_pct"] = 100.0 * program / seconds;
    state.counters["cpu_ms_per_step"] = 1000.0 * program / (kSteps * double(state.iterations()));
}
BENCHMARK(BM_MovingEditor)->ArgName("brush")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// ---- The bare window: a dialog whose GL view clears and presents.

class ClearFrame : public tbFrameDrive::Frame {
public:
    explicit ClearFrame(ui::GlViewCanvas& view) : view_(view) {}
    void update() override {}
    void purge() override {}
    void redraw() override {
        const wxSize size = view_.backBufferSize();
        glViewport(0, 0, size.x, size.y);
        glClearColor(0.20f, 0.30f, 0.45f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        view_.SwapBuffers();
    }
    void afterFrame() override {}

private:
    ui::GlViewCanvas& view_;
};

class BareWindow : public wxDialog {
public:
    explicit BareWindow(bool everyMillisecond)
        : wxDialog(nullptr, wxID_ANY, "Bare Window", wxDefaultPosition, wxSize(1024, 768)),
          everyMillisecond_(everyMillisecond),
          view_(new ui::GlViewCanvas(this)),
          frame_(*view_),
          drive_(frame_, CtolvaneBuilderApp::kFrameThresholdMs),
          timer_(this) {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(view_, 1, wxEXPAND);
        SetSizer(sizer);
        Bind(wxEVT_TIMER, &BareWindow::onTimer, this);
        if (everyMillisecond_)
            timer_.Start(1);
        else
            timer_.StartOnce(1);
    }

private:
    void onTimer(wxTimerEvent&) {
        if (!started_ && view_->makeCurrent()) {
            started_ = true;
            if (view_->swapWaitsForRefresh()) drive_.setThresholdMs(tbFrameDrive::kPacedThresholdMs);
            drive_.start();
        } else if (started_ && drive_.due() && view_->makeCurrent()) {
            drive_.tick();
        }
        if (!everyMillisecond_) timer_.StartOnce(started_ ? drive_.nextTickMs() : 1);
    }

    bool everyMillisecond_;
    ui::GlViewCanvas* view_;
    ClearFrame frame_;
    tbFrameDrive drive_;
    wxTimer timer_;
    bool started_ = false;
};

class BareWindowApp : public wxApp {
public:
    explicit BareWindowApp(bool everyMillisecond) : everyMillisecond_(everyMillisecond) {}
    bool OnInit() override {
        BareWindow window(everyMillisecond_);
        window.ShowModal();
        return false;
    }

private:
    bool everyMillisecond_;
};

// The bare window in a process of its own, as the editor runs in one.
pid_t startBareWindow(const std::string& display, bool everyMillisecond) {
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    wxApp::SetInstance(new BareWindowApp(everyMillisecond));
    char name[] = "bareWindow";
    char* argv[] = {name, nullptr};
    int argc = 1;
    wxEntry(argc, argv);
    _exit(0);
}

void BM_IdleBareWindow(benchmark::State& state) {
    VirtualDisplay display;
    if (!display.ready()) {
        state.SkipWithError("cannot start Xvfb");
        return;
    }
    const pid_t window = startBareWindow(display.name(), state.range(0) != 0);
    if (window < 0 || !waitForWindow(display, "Bare Window")) {
        state.SkipWithError("the bare window did not show");
        if (window > 0) kill(window, SIGKILL);
        return;
    }
    if (!waitUntilSettled(window)) {
        state.SkipWithError("the bare window never settled");
    } else {
        measureIdle(state, window, display.serverPid());
    }
    kill(window, SIGKILL);
    waitpid(window, nullptr, 0);
}
// 0: the timer wakes when a frame is due; 1: it ticks every millisecond.
BENCHMARK(BM_IdleBareWindow)->ArgName("tickEveryMs")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
