#include "engine/graphics/simVertexBuffer.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "engine/core/simGlobals.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }
Device* device() { return renderer() ? renderer()->getDevice() : nullptr; }

// Device lock flags by lock mode; the table is indexed by the mode.
constexpr uint32_t kLockFlags[] = {D3DLOCK_READONLY, D3DLOCK_DISCARD, 0, D3DLOCK_NOOVERWRITE};
static_assert(std::size(kLockFlags) == simVertexBuffer::lockNoOverwrite + 1);

}  // namespace

simVertexBuffer::simVertexBuffer(int32_t vertexCount, int32_t stride, uint32_t format, bool writeOnly, bool managed)
    : simDeviceDependantObject(managed),
      m_format(format),
      m_vertexCount(vertexCount),
      m_stride(stride),
      m_writeOnly(writeOnly ? 1 : 0) {
    m_usage = managed ? 0u : D3DUSAGE_DYNAMIC;
    const simRendererCaps* caps = renderer() ? renderer()->getCaps() : nullptr;
    if (!caps || !caps->hardwareLighting) m_usage |= D3DUSAGE_SOFTWAREPROCESSING;
    if (writeOnly) m_usage |= D3DUSAGE_WRITEONLY;
    m_pool = managed ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
    if (m_vertexCount <= 0 || m_stride <= 0) return;
    const HRESULT result = createDeviceBuffer();
    if (FAILED(result)) {
        utils::seriousError(simRendererFailureText("simVertexBuffer - vertex buffer creation falied: ", result));
        return;
    }
}

simVertexBuffer::~simVertexBuffer() {
    if (m_buffer && device()) device()->Release(m_buffer);
}

HRESULT simVertexBuffer::createDeviceBuffer() {
    // The device sizes buffers in 32 bits: a larger buffer would be made
    // short and then written past its end.
    if (!device() || byteSize() > UINT32_MAX) return D3DERR_INVALIDCALL;
    return device()->CreateVertexBuffer(static_cast<uint32_t>(byteSize()), m_usage, m_format,
                                        static_cast<D3DPOOL>(m_pool), &m_buffer);
}

void* simVertexBuffer::lock(int32_t mode, int32_t first, int32_t end) {
    if (m_locked) {
        utils::seriousError("simVertexBuffer::lock - buffer is already locked");
        return nullptr;
    }
    if (!m_buffer || m_vertexCount <= 0 || !device()) {
        utils::seriousError("simVertexBuffer::lock - invalid buffer");
        return nullptr;
    }
    if (end == -1) end = m_vertexCount;
    if (!(end > 0 && end <= m_vertexCount && first >= 0 && end > first)) {
        utils::seriousError("simVertexBuffer::lock - out of bounds");
        return nullptr;
    }
    if (mode < lockReadOnly || mode > lockNoOverwrite) {
        simRendererSetStatus(false, "simVertexBuffer::lock - invalid flags");
        return nullptr;
    }
    if (m_writeOnly && mode == lockReadOnly) mode = lockPlain;
    if (!(m_usage & D3DUSAGE_DYNAMIC) && mode != lockReadOnly) mode = lockPlain;

    const size_t offset = size_t(first) * size_t(m_stride);
    const size_t size = size_t(end - first) * size_t(m_stride);
    void* bytes = nullptr;
    const HRESULT result = device()->Lock(m_buffer, static_cast<uint32_t>(offset), static_cast<uint32_t>(size),
                                          &bytes, kLockFlags[mode]);
    if (FAILED(result) || !bytes) {
        simRendererSetStatus(false, simRendererFailureText("simVertexBuffer::lock - d3d lock failure: ", result));
        return nullptr;
    }
    m_locked = 1;
    return bytes;
}

void simVertexBuffer::unlock() {
    if (!m_locked) {
        utils::seriousError("simVertexBuffer::unlock - buffer is not locked");
        return;
    }
    m_locked = 0;
    if (m_buffer && m_vertexCount > 0 && device()) device()->Unlock(m_buffer);
}

void simVertexBuffer::render(D3DPRIMITIVETYPE type, bool setStream, int32_t count, int32_t first) {
    int32_t perPrimitive = 0;
    switch (type) {
    case D3DPT_TRIANGLELIST: perPrimitive = 3; break;
    case D3DPT_POINTLIST: perPrimitive = 1; break;
    case D3DPT_LINELIST: perPrimitive = 2; break;
    case D3DPT_TRIANGLESTRIP: perPrimitive = 1; break;
    default:
        utils::seriousError("simVertexBuffer::render - invalid primitive type");
        return;
    }
    if (count == -1) {
        if (type == D3DPT_TRIANGLESTRIP) {
            count = m_vertexCount - 2;
        } else {
            if (m_vertexCount % perPrimitive != 0) {
                utils::seriousError("simVertexBuffer::render - size does not fit");
                return;
            }
            count = m_vertexCount / perPrimitive;
        }
    }
    if (!m_buffer || m_vertexCount <= 0 || count < 1 || first < 0 || !renderer()) {
        utils::seriousError("simVertexBuffer::render - invalid parameters");
        return;
    }
    // Vertices the draw reads: a strip shares all but its first two.
    const int64_t used = type == D3DPT_TRIANGLESTRIP ? int64_t(count) + 2 : int64_t(count) * perPrimitive;
    if (int64_t(first) + used > m_vertexCount) {
        utils::seriousError("simVertexBuffer::render - out of bounds");
        return;
    }
    if (setStream && renderer()->getState()) renderer()->getState()->setState(simRenderState_vertexBuffer, this);
    if (device()) device()->DrawPrimitive(type, static_cast<uint32_t>(first), static_cast<uint32_t>(count));
    if (const simRendererState* state = renderer()->getState();
        state && simRendererState::stencilModeWrites(state->getState(simRenderState_stencilMode)))
        renderer()->noteStencilWrite();
    if (type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP)
        renderer()->getStats().counters[simRenderStats::trianglesDrawn] += static_cast<uint32_t>(count);
}

void simVertexBuffer::setAsStream(uint32_t stream, bool setFormat, uint32_t firstVertex) {
    // The state cache counts the change in the frame statistics.
    if (!m_buffer || m_vertexCount <= 0 || !device()) return;
    if (setFormat) device()->SetFVF(m_format);
    device()->SetStreamSource(stream, m_buffer, firstVertex * static_cast<uint32_t>(m_stride),
                              static_cast<uint32_t>(m_stride));
}

void simVertexBuffer::onDeviceReset() {
    if (m_copyHeld || !m_buffer || m_vertexCount <= 0 || !device()) return;
    if (m_locked) unlock();
    // A lost device still reads its buffers back, so the bytes are copied
    // only now, when the buffer is about to go, not on every write.
    m_mirror.reset(new (std::nothrow) uint8_t[byteSize()]);
    void* bytes = nullptr;
    if (!m_mirror || FAILED(device()->Lock(m_buffer, 0, static_cast<uint32_t>(byteSize()), &bytes,
                                           D3DLOCK_READONLY)) || !bytes) {
        m_mirror.reset();
        utils::seriousError("simVertexBuffer::onDeviceReset - error creating temporary data");
        return;
    }
    std::memcpy(m_mirror.get(), bytes, byteSize());
    device()->Unlock(m_buffer);
    device()->Release(m_buffer);
    m_buffer = {};
    m_copyHeld = true;
}

void simVertexBuffer::onDeviceRestore() {
    // An empty buffer has nothing to restore, and one that kept its device
    // buffer (a reset that did not reach it) needs nothing.
    if (m_vertexCount <= 0 || (!m_copyHeld && m_buffer)) return;
    if (!m_copyHeld || !m_mirror) {
        utils::seriousError("simVertexBuffer::onDeviceRestore - no temporary data");
        return;
    }
    const HRESULT result = createDeviceBuffer();
    if (FAILED(result)) {
        simRendererSetStatus(false,
                             simRendererFailureText("CreateVertexBuffer::onDeviceRestore - invalid call: ", result));
        return;
    }
    void* bytes = nullptr;
    if (SUCCEEDED(device()->Lock(m_buffer, 0, static_cast<uint32_t>(byteSize()), &bytes, 0)) && bytes) {
        std::memcpy(bytes, m_mirror.get(), byteSize());
        device()->Unlock(m_buffer);
    }
    m_mirror.reset();
    m_copyHeld = false;
}
