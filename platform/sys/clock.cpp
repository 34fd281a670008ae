#include "platform/sys/clock.h"

#include <ctime>

namespace sys {
namespace {

bool g_manual = false;
int64_t g_manualTicks = 0;

int64_t monotonicNow() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Taken on first use, which static initialisation makes happen at start-up.
int64_t programStart() {
    static const int64_t start = monotonicNow();
    return start;
}
[[maybe_unused]] const int64_t g_startAtLoad = programStart();

int64_t msToTicks(double ms) { return static_cast<int64_t>(ms * (kClockFrequency / 1000.0)); }

}  // namespace

int64_t clockTicks() {
    if (g_manual) return g_manualTicks;
    return monotonicNow() - programStart();
}

uint32_t timeGetTime() {
    return static_cast<uint32_t>(static_cast<uint64_t>(clockTicks() / 1000000));
}

void useManualClock(double startMs) {
    g_manual = true;
    g_manualTicks = msToTicks(startMs);
}

void useRealClock() { g_manual = false; }

bool manualClockInUse() { return g_manual; }

void setManualClock(double ms) { g_manualTicks = msToTicks(ms); }

void advanceManualClock(double ms) { g_manualTicks += msToTicks(ms); }

}  // namespace sys
