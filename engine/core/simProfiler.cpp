#include "engine/core/simProfiler.h"

#include "engine/core/simGlobals.h"

simProfiler::simProfiler() { g_profiler = this; }

simProfiler::~simProfiler() {
    if (g_profiler == this) g_profiler = nullptr;
}

simProfiler::Section* simProfiler::find(std::string name) {
    if (name.empty()) return nullptr;
    for (const auto& section : m_sections)
        if (section->name == name) return section.get();
    return nullptr;
}

void simProfiler::addSection(std::string name) {
    if (name.empty() || find(name)) return;
    m_sections.push_back(std::make_unique<Section>(Section{name, {}}));
}

void simProfiler::start(std::string name) {
    if (Section* section = find(name)) section->timer.start();
}

void simProfiler::stop(std::string name) {
    if (Section* section = find(name)) section->timer.stop();
}
