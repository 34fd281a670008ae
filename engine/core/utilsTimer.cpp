#include "engine/core/utilsTimer.h"

namespace utils {

void Timer::start() {
    running = true;
    startCount = now();
}

void Timer::stop() {
    if (!running) return;
    accumulated += (now() - startCount) * speedFactor;
    running = false;
}

void Timer::reset() {
    running = false;
    startCount = 0.0;
    accumulated = 0.0;
    countdown = 0.0;
}

void Timer::setElapsed(double ms) {
    if (running) {
        accumulated = 0.0;
        countdown = 0.0;
        startCount = now();
    }
    accumulated = sys::kClockFrequency * ms / 1000.0;
}

}  // namespace utils
