// Internal to the immediate drawing calls: filling a shared vertex buffer in
// chunks and drawing each chunk at once.
//
// Every chunk locks from vertex 0 with discard, so it never waits for the
// previous draw and copies nothing old; a chunk holds as many whole items as
// the buffer has room for. No call allocates.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/core/simVertex.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/d3dTypes.h"

namespace simDraw {

// The z and rhw of every screen vertex.
constexpr float kScreenZ = 0.1f;
constexpr float kScreenRhw = 10.0f;

// Snapping of screen positions.
inline float snapHalf(float v) { return static_cast<float>(static_cast<int32_t>(v)) - 0.5f; }
inline float snapWhole(float v) { return static_cast<float>(static_cast<int32_t>(v)); }

inline simScreenVertex screenVertex(float x, float y, uint32_t colour, const d3dx::Vector2& uv) {
    simScreenVertex v;
    v.x = x;
    v.y = y;
    v.z = kScreenZ;
    v.rhw = kScreenRhw;
    v.colour = colour;
    v.u = uv.x;
    v.v = uv.y;
    return v;
}
inline simScreenVertex screenVertexHalf(const d3dx::Vector2& p, uint32_t colour, const d3dx::Vector2& uv) {
    return screenVertex(snapHalf(p.x), snapHalf(p.y), colour, uv);
}

// A world vertex: texture set 3 (and set 2 unless given) at (1, 1).
inline simVertex worldVertex(const d3dx::Vector3& p, uint32_t colour, const d3dx::Vector2& uv,
                             const d3dx::Vector2& uv2 = {1, 1}) {
    return simVertex(p, colour, uv.x, uv.y, uv2.x, uv2.y, 1.0f, 1.0f);
}
// The same with the normal that a record supplies.
inline simVertex worldVertex(const d3dx::Vector3& p, const d3dx::Vector3& normal, uint32_t colour,
                             const d3dx::Vector2& uv) {
    simVertex v = worldVertex(p, colour, uv);
    v.normal = normal;
    return v;
}

inline int32_t primitivesOf(gfx::D3DPRIMITIVETYPE type, int32_t vertices) {
    return type == gfx::D3DPT_LINELIST ? vertices / 2 : vertices / 3;
}

// Draws `items` items of `perItem` vertices each as a list of `type`.
// emit(index, Vertex* out) writes item `index` into out and returns false
// when the item is left out (it then writes nothing). Stops when the buffer
// cannot be locked: the buffer has reported why, and the next chunk would
// fail the same way.
template <class Vertex, class Emit>
void drawChunks(simVertexBuffer* buffer, size_t items, int32_t perItem, gfx::D3DPRIMITIVETYPE type, Emit&& emit) {
    if (!buffer || items == 0 || perItem <= 0) return;
    const size_t perChunk = static_cast<size_t>(std::max(buffer->getVertexCount(), 0) / perItem);
    if (perChunk == 0) return;
    for (size_t done = 0; done < items;) {
        const size_t count = std::min(items - done, perChunk);
        auto* out = static_cast<Vertex*>(
            buffer->lock(simVertexBuffer::lockDiscard, 0, static_cast<int32_t>(count * size_t(perItem))));
        if (!out) return;
        size_t written = 0;
        for (size_t i = 0; i < count; ++i)
            if (emit(done + i, out + written * size_t(perItem))) ++written;
        buffer->unlock();
        if (written > 0) buffer->render(type, true, primitivesOf(type, static_cast<int32_t>(written) * perItem), 0);
        done += count;
    }
}

// One primitive group of exactly `vertices` vertices.
template <class Vertex, class Fill>
void drawOnce(simVertexBuffer* buffer, int32_t vertices, gfx::D3DPRIMITIVETYPE type, Fill&& fill) {
    drawChunks<Vertex>(buffer, 1, vertices, type, [&fill](size_t, Vertex* out) {
        fill(out);
        return true;
    });
}

// The texture every call puts in slot 0 first.
inline void setTexture(simRendererState* state, const simRendererStateTexture* texture) {
    if (state) state->setState(simRenderState_texture0, texture);
}

}  // namespace simDraw
