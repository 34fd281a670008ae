// simProfiler: named stopwatches for the sections of the frame.
//
// The engine application makes one at construction (g_profiler) and declares
// its sections in initialise; the redraw times "Graphics". A section's
// stopwatch is never reset, so it accumulates over the whole run. Names are
// compared exactly, case included.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/core/utilsTimer.h"

class simProfiler {
public:
    struct Section {
        std::string name;
        utils::Timer timer;  // created stopped, nothing accumulated
    };

    // Sets g_profiler; the destructor clears it.
    simProfiler();
    ~simProfiler();
    simProfiler(const simProfiler&) = delete;
    simProfiler& operator=(const simProfiler&) = delete;

    // The section of that name; null for an empty or unknown name.
    Section* find(std::string name);
    // Appends a section; nothing for an empty name or one already there.
    void addSection(std::string name);
    // Start or stop the section's stopwatch; an unknown name does nothing.
    void start(std::string name);
    void stop(std::string name);

    const std::vector<std::unique_ptr<Section>>& getSections() const { return m_sections; }

private:
    std::vector<std::unique_ptr<Section>> m_sections;
};
