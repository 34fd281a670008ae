// tbMirrorMatch: which texels the mirror tool copies into each triangle of
// the side it writes, found across the model's x = 0 plane.
//
// Direction 0 ("-X -> +X axis") writes the triangles whose centre x is 0 or
// less from those whose centre x is 0 or more; direction 1 the reverse (a
// triangle on the plane is on both sides). A corner of a written triangle T,
// mirrored (x negated), matches a source triangle S when S faces the way T's
// mirrored face normal does (squared difference of the normals at most 0.05),
// T's mirrored centre lies within 0.1 model units of S's plane, and the
// mirrored corner is within 0.1 of one of S's corners (taking that corner's
// UV) or inside S (taking the UV of the point on S). Sources are tried in the
// work list's order and the last match of a corner wins. T is copied only
// when all three corners matched and not every matched UV is within 0.005
// (squared) of T's own.
//
// Each source's plane is taken once, and only the written triangles near it
// are tried: the written triangles, mirrored, sit in a uniform grid, and a
// source asks only the cells its box overlaps. Matching a model is then
// about linear in its triangles, where trying every pair is quadratic.
#pragma once

#include <functional>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

class tbTriangle;

struct tbMirrorCopy {
    tbTriangle* target = nullptr;
    d3dx::Vector2 sourceUvs[3];  // per corner of the target, where its texels come from
};

// The copies for the triangles of `work` (their shape computed), in the work
// list's order. `progress`, when given, hears the share of the sources done,
// 0 to 1.
std::vector<tbMirrorCopy> tbMatchMirror(const std::vector<tbTriangle*>& work, int direction,
                                        const std::function<void(float)>& progress = {});
