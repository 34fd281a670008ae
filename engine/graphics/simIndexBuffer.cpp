#include "engine/graphics/simIndexBuffer.h"

#include <algorithm>
#include <cstring>

#include "engine/core/simGlobals.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }
Device* device() { return renderer() ? renderer()->getDevice() : nullptr; }

int64_t indicesPer(D3DPRIMITIVETYPE type, int64_t primitives) {
    switch (type) {
    case D3DPT_POINTLIST: return primitives;
    case D3DPT_LINELIST: return 2 * primitives;
    case D3DPT_TRIANGLELIST: return 3 * primitives;
    case D3DPT_TRIANGLESTRIP: return primitives + 2;
    }
    return -1;
}

}  // namespace

simIndexBuffer::simIndexBuffer(const std::vector<uint32_t>& indices) {
    if (indices.empty() || !device()) return;
    m_wide = *std::max_element(indices.begin(), indices.end()) > UINT16_MAX;
    const size_t size = m_wide ? 4 : 2;
    if (indices.size() * size > UINT32_MAX) {
        utils::seriousError("simIndexBuffer - too many indices");
        return;
    }
    const uint32_t bytes = uint32_t(indices.size() * size);
    HRESULT result = device()->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, m_wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
                                                 D3DPOOL_MANAGED, &m_buffer);
    if (FAILED(result)) {
        utils::seriousError(simRendererFailureText("simIndexBuffer - index buffer creation failed: ", result));
        return;
    }
    void* out = nullptr;
    result = device()->Lock(m_buffer, 0, 0, &out, 0);
    if (FAILED(result)) {
        device()->Release(m_buffer);
        m_buffer = IndexBufferHandle{};
        utils::seriousError(simRendererFailureText("simIndexBuffer - index buffer lock failed: ", result));
        return;
    }
    if (m_wide) {
        std::memcpy(out, indices.data(), bytes);
    } else {
        auto* narrow = static_cast<uint16_t*>(out);
        for (uint32_t index : indices) *narrow++ = uint16_t(index);
    }
    device()->Unlock(m_buffer);
    m_count = indices.size();
}

simIndexBuffer::~simIndexBuffer() {
    if (m_buffer && device()) device()->Release(m_buffer);
}

void simIndexBuffer::render(simVertexBuffer& vertices, D3DPRIMITIVETYPE type, int32_t primitiveCount) {
    if (!m_buffer || !renderer() || !device()) return;
    const int64_t used = indicesPer(type, primitiveCount);
    if (primitiveCount < 1 || used < 0 || used > int64_t(m_count)) {
        utils::seriousError("simIndexBuffer::render - invalid parameters");
        return;
    }
    if (renderer()->getState()) renderer()->getState()->setState(simRenderState_vertexBuffer, &vertices);
    device()->SetIndices(m_buffer);
    device()->DrawIndexedPrimitive(type, 0, 0, uint32_t(vertices.getVertexCount()), 0, uint32_t(primitiveCount));
    if (type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP)
        renderer()->getStats().counters[simRenderStats::trianglesDrawn] += uint32_t(primitiveCount);
}
