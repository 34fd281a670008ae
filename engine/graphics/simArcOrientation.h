// How a circle drawn in the x-y plane is stood up in the world.
//
// The renderer's 3-D arcs and the manipulator's rotation rings are both
// circles of the x-y plane turned to face a direction and then moved by a
// matrix; they share this one rule so that a ring is picked exactly where it
// is drawn.
#pragma once

#include "platform/d3dx/d3dxMathTypes.h"

// The viewer's forward and up directions: the third and second columns of a
// view matrix.
inline d3dx::Vector3 viewForward(const d3dx::Matrix& view) { return {view._13, view._23, view._33}; }
inline d3dx::Vector3 viewUp(const d3dx::Matrix& view) { return {view._12, view._22, view._32}; }

// The turn for a circle facing along `facing` (its axis turned onto that
// direction, the viewer's up kept up), followed by `matrix`; either may be
// null. A circle facing along the viewer's up (the y ring seen by a level
// camera) has no orientation with that up; the viewer's forward stands in,
// so the circle lies edge-on as seen instead of collapsing onto the x-y plane.
d3dx::Matrix arcOrientation(const d3dx::Vector3* facing, const d3dx::Matrix* matrix, const d3dx::Vector3& up,
                            const d3dx::Vector3& forward);
