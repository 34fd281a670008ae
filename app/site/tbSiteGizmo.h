// tbSiteGizmo: how the flying site shows and hides its manipulators.
//
// In the site a manipulator that is not enabled is neither drawn nor picked.
// The engine's manipulator draws whenever it is visible and only stops
// taking events while disabled, so every site manipulator goes through this
// one rule, which moves both flags together.
#pragma once

#include "engine/graphics/manipulator.h"

inline void tbEnableGizmo(manipulator* gizmo, bool enabled) {
    if (!gizmo) return;
    gizmo->enabled = enabled ? 1 : 0;
    gizmo->visible = enabled ? 1 : 0;
}
