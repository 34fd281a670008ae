#include "engine/graphics/simWindowHost.h"

namespace {
simWindowHost* g_windowHost = nullptr;
}

void simWindowHost::install(simWindowHost* host) { g_windowHost = host; }

simWindowHost* simWindowHost::installed() { return g_windowHost; }
