// The program's one clock: every stopwatch and every time read goes through it.
//
// The clock counts nanosecond ticks from program start on the monotonic
// system clock. Tests switch it to a manual clock that stands still until
// they set or advance it, so timing behaviour can be checked exactly without
// sleeping. `timeGetTime` reads the same clock in whole milliseconds.
//
// Reading the clock allocates nothing and queries no frequency: the tick rate
// is a constant, so stopwatches read many times per frame stay cheap.
#pragma once

#include <cstdint>

namespace sys {

// Ticks per second of `clockTicks`.
inline constexpr double kClockFrequency = 1e9;

// Ticks since program start (or the manual clock's value while it is in use).
int64_t clockTicks();

// Milliseconds since program start, wrapping at 2^32 like the Win32 call.
uint32_t timeGetTime();

// Test control. While the manual clock is in use, `clockTicks` returns its
// value and nothing else moves it. Not for the program itself.
void useManualClock(double startMs = 0.0);
void useRealClock();
bool manualClockInUse();
void setManualClock(double ms);
void advanceManualClock(double ms);

// Puts the manual clock in use for one scope (a test) and the real clock back
// at its end.
class ManualClock {
public:
    explicit ManualClock(double startMs = 0.0) { useManualClock(startMs); }
    ~ManualClock() { useRealClock(); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    void set(double ms) { setManualClock(ms); }
    void advance(double ms) { advanceManualClock(ms); }
};

}  // namespace sys
