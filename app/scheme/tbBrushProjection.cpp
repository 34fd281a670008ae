#include "app/scheme/tbBrushProjection.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbTriangle.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMath.h"

namespace {
constexpr float kPi = 3.1415f;        // the program's own constant, kept for the same angles
constexpr float kDepthFade = 200000.0f;  // alpha lost per unit of projected depth

using Corner = tbBrushProjection::Corner;

// The part of a convex polygon nearer than `at` (depth <= at) or deeper
// (depth > at, so a polygon lying at `at` goes to one side only).
void clipAtDepth(const std::vector<Corner>& in, float at, bool nearer, std::vector<Corner>& out) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        const Corner& a = in[i];
        const Corner& b = in[(i + 1) % in.size()];
        const bool aIn = nearer ? a.depth <= at : a.depth > at;
        const bool bIn = nearer ? b.depth <= at : b.depth > at;
        if (aIn) out.push_back(a);
        if (aIn == bIn) continue;
        const float f = (at - a.depth) / (b.depth - a.depth);
        Corner cut;
        cut.weights = a.weights + (b.weights - a.weights) * f;
        cut.depth = at;
        cut.edges = a.edges & b.edges;
        out.push_back(cut);
    }
}

void appendFan(const std::vector<Corner>& polygon, std::vector<tbBrushProjection::Piece>& pieces) {
    for (size_t i = 1; i + 1 < polygon.size(); ++i) pieces.push_back({polygon[0], polygon[i], polygon[i + 1]});
}
}  // namespace

void tbBrushProjection::clear() {
    patch.clear();
    for (auto& list : corners) list.clear();
    rectMin = {100000.0f, 100000.0f};
    rectMax = {-100000.0f, -100000.0f};
}

uint32_t tbBrushProjection::fadedAlpha(float referenceDepth, float depth, int32_t mainAlpha) {
    if (!(referenceDepth < depth)) return uint32_t(std::clamp(mainAlpha, 0, 255));
    const float faded = (255.0f - std::fabs(referenceDepth - depth) * kDepthFade) * float(mainAlpha) / 255.0f;
    return uint32_t(std::clamp(int32_t(std::clamp(faded, -1.0f, 256.0f)), 0, 255));
}

uint32_t tbBrushProjection::colourAt(float depth, const simColour& main) const {
    return (fadedAlpha(projectedCentre.z, depth, main.alpha) << 24) | (main.toARGB() & 0x00FFFFFFu);
}

tbBrushProjection::Piece tbBrushProjection::cornersOf(const tbTriangle& triangle) {
    Piece corners;
    for (uint32_t i = 0; i < 3; ++i) {
        d3dx::Vector3 weights{0.0f, 0.0f, 0.0f};
        (&weights.x)[i] = 1.0f;
        // Corner i closes edge i - 1 and opens edge i.
        corners[i] = {weights, triangle.brushCorners[i].z, uint8_t(1u << i | 1u << (i + 2) % 3)};
    }
    return corners;
}

void tbBrushProjection::cutAtFade(const Piece& triangle, std::vector<Piece>& pieces) const {
    const float start = projectedCentre.z, end = start + 255.0f / kDepthFade;
    const std::vector<Corner> whole(triangle.begin(), triangle.end());
    std::vector<Corner> nearer, deeper, fading;
    clipAtDepth(whole, start, true, nearer);
    appendFan(nearer, pieces);
    clipAtDepth(whole, start, false, deeper);
    clipAtDepth(deeper, end, true, fading);
    appendFan(fading, pieces);
}

bool tbBrushProjection::shade(const tbTriangle& triangle, float angleDegrees, d3dx::Vector2 uvs[3]) const {
    if (!(radius > 0.0f)) return false;
    const float a = angleDegrees / 180.0f * kPi;
    const float c = std::cos(a), s = std::sin(a);
    d3dx::Vector2 lo{1e30f, 1e30f}, hi{-1e30f, -1e30f};
    for (int i = 0; i < 3; ++i) {
        d3dx::Vector3 p;
        d3dx::Vec3TransformCoord(&p, &triangle.positions[i], &projector);
        const float x = (p.x - projectedCentre.x) / radius, y = (p.y - projectedCentre.y) / radius;
        uvs[i] = {x * c - y * s + 0.5f, x * s + y * c + 0.5f};
        lo = {std::min(lo.x, uvs[i].x), std::min(lo.y, uvs[i].y)};
        hi = {std::max(hi.x, uvs[i].x), std::max(hi.y, uvs[i].y)};
    }
    return !(hi.x < 0.0f || hi.y < 0.0f || lo.x > 1.0f || lo.y > 1.0f);
}
