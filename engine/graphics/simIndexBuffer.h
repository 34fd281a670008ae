// simIndexBuffer: one device index buffer, filled once, drawing the vertices
// of a simVertexBuffer by index so that a mesh's shared corners are stored
// and transformed once.
//
// The indices are stored in 16 bits when every one fits, in 32 otherwise.
// The buffer lives in the managed pool, so it survives a lost device without
// a copy of its own. Creation or upload failures are serious errors and
// leave no buffer; drawing without a buffer does nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

class simVertexBuffer;

class simIndexBuffer {
public:
    explicit simIndexBuffer(const std::vector<uint32_t>& indices);
    ~simIndexBuffer();
    simIndexBuffer(const simIndexBuffer&) = delete;
    simIndexBuffer& operator=(const simIndexBuffer&) = delete;

    // Draws `primitiveCount` primitives of `type` whose corners are the
    // indices from the first, naming vertices of `vertices`, which becomes
    // the renderer's current vertex buffer. Triangles are added to the frame
    // statistics. More primitives than the indices hold is a serious error.
    void render(simVertexBuffer& vertices, gfx::D3DPRIMITIVETYPE type, int32_t primitiveCount);

    size_t getIndexCount() const { return m_count; }
    bool isWide() const { return m_wide; }
    gfx::IndexBufferHandle getBuffer() const { return m_buffer; }

private:
    gfx::IndexBufferHandle m_buffer;
    size_t m_count = 0;
    bool m_wide = false;
};
