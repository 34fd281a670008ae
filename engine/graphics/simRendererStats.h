// simRenderStats: the renderer's frame rate and per-frame work counters.
//
// `present` counts every frame; once a window of more than a second has
// passed, the frames of that window become the frame rate, and the last
// twenty per-second counts give the average. The four per-frame counters are
// plain integers that the drawing code adds to and `beginScene` zeroes; their
// names are kept beside them for whoever displays them.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "engine/core/utilsTimer.h"

class simRenderStats {
public:
    // Indices of the per-frame counters and of their names.
    enum Counter : uint32_t { trianglesDrawn, textureChanges, particlesDrawn, vertexBufferChanges, counterCount };

    // Longest history of per-second counts kept for the average.
    static constexpr size_t kHistoryLength = 20;
    // A frame-rate window closes only once it is longer than this (ms).
    static constexpr double kWindowMs = 1000.0;

    simRenderStats();
    virtual ~simRenderStats();

    // One presented frame: closes the window when more than a second has
    // passed, updating the frame rate, the history and the average.
    void countFrame();

    // Zeroes the four per-frame counters (the start of a scene).
    void resetCounters();

    // The per-frame counter names, in counter order.
    static const std::string& counterName(Counter c);

    float unused0 = 0.0f;
    float sceneRenderMs = 0.0f;  // the scene render's time of the last frame
    float unused2 = 0.0f;
    uint32_t framesPerSecond = 0;   // frames of the last closed window
    uint32_t framesInWindow = 0;    // frames counted in the open window
    uint32_t averageFramesPerSecond = 0;
    utils::Timer stopwatch;         // times the open window
    std::deque<uint32_t> history;   // per-second counts, oldest first, at most 20
    uint32_t counters[counterCount] = {};
};
