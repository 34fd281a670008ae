#include "engine/graphics/simRendererStats.h"

#include <numeric>

simRenderStats::simRenderStats() { stopwatch.start(); }

simRenderStats::~simRenderStats() = default;

void simRenderStats::countFrame() {
    ++framesInWindow;
    if (stopwatch.getElapsed() <= kWindowMs) return;
    framesPerSecond = framesInWindow;
    framesInWindow = 0;
    stopwatch.reset();
    stopwatch.start();
    history.push_back(framesPerSecond);
    if (history.size() > kHistoryLength) history.pop_front();
    // Unsigned integer division, as the counter display expects whole frames.
    const uint64_t sum = std::accumulate(history.begin(), history.end(), uint64_t{0});
    averageFramesPerSecond = static_cast<uint32_t>(sum / history.size());
}

void simRenderStats::resetCounters() {
    for (uint32_t& c : counters) c = 0;
}

const std::string& simRenderStats::counterName(Counter c) {
    static const std::string names[counterCount] = {"trianglesDrawn", "textureChanges", "particlesDrawn",
                                                    "vertexBufferChanges"};
    return names[c < counterCount ? static_cast<uint32_t>(c) : 0u];
}
