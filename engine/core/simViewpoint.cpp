#include "engine/core/simViewpoint.h"

namespace {
simViewSource* g_viewSource = nullptr;
}  // namespace

simViewSource* getViewSource() { return g_viewSource; }

void setViewSource(simViewSource* source) { g_viewSource = source; }
