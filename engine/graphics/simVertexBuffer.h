// simVertexBuffer: one device vertex buffer with a checked lock and draw,
// surviving a lost device.
//
// Used by the model loader, the renderer's two shared buffers of the
// immediate drawing calls and the particles. The buffer holds `vertexCount`
// vertices of `stride` bytes in one of the device's two layouts: the 52-byte
// `simVertex` (format 0x352) or the 28-byte `simScreenVertex` below (0x144).
//
// Lifetime: a dynamic buffer in the default pool (the usual case) registers
// for device loss: on the reset it reads its bytes back into system memory and
// releases the device buffer, on the restore it makes the buffer again and
// writes the copy back. A managed buffer is left to the device.
//
// Failures: misuse (double lock, out-of-range lock or draw, bad primitive
// type) is a serious error naming the call; a device failure is a failed
// application status with the result-code name. A lock that fails returns
// null and leaves the buffer unlocked, so the caller may simply skip its
// writes and draw.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererStateObject.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"
#include "platform/gfx/results.h"

// The pre-transformed vertex of the screen-space drawing calls (format 0x144).
struct simScreenVertex {
    static constexpr uint32_t kFormat = 0x144;  // XYZRHW | DIFFUSE | TEX1

    float x = 0, y = 0;    // pixels; the device covers the pixels whose centres x - 0.5, y - 0.5 enclose
    float z = 0;           // depth 0..1
    float rhw = 1;         // reciprocal w
    uint32_t colour = 0;   // packed ARGB
    float u = 0, v = 0;    // texture coordinates
};
static_assert(sizeof(simScreenVertex) == 28, "simScreenVertex is the 28-byte vertex of the 2-D buffer");

class simVertexBuffer : public simDeviceDependantObject, public simRendererStateVertexBuffer {
public:
    // Lock modes.
    enum LockMode : int { lockReadOnly = 0, lockDiscard = 1, lockPlain = 2, lockNoOverwrite = 3 };

    // Makes the device buffer (none for a count of 0). `managed` puts it in
    // the managed pool and keeps it off the device-loss list. Needs the
    // renderer; a creation failure is a serious error and leaves no buffer.
    simVertexBuffer(int32_t vertexCount, int32_t stride, uint32_t format, bool writeOnly, bool managed);
    ~simVertexBuffer() override;

    // ---- Writing and reading.
    // Locks vertices first .. end-1 (end -1: to the last vertex) and returns
    // their memory, or null when the buffer is locked already, has no device
    // buffer, the range is outside it, the mode is unknown or the device
    // refuses. A write-only buffer asked for a read-only lock, and a buffer
    // without dynamic usage asked for anything but read-only, lock plain.
    void* lock(int32_t mode, int32_t first, int32_t end);
    // Ends the lock; a buffer that is not locked is a serious error.
    void unlock();

    // ---- Drawing.
    // Draws `count` primitives (-1: as many as the buffer holds) from vertex
    // `first`; with `setStream` the buffer first becomes the renderer's
    // current vertex buffer. Triangles are added to the frame statistics.
    // Refused with a serious error: an unknown type, -1 for a list the
    // vertex count does not divide, no buffer, a count below 1, or vertices
    // past the end of the buffer.
    void render(gfx::D3DPRIMITIVETYPE type, bool setStream, int32_t count, int32_t first);
    // The state cache's bind: stream source (and with `setFormat` the FVF).
    void setAsStream(uint32_t stream, bool setFormat, uint32_t firstVertex) override;

    // ---- Device loss (registered buffers only).
    void onDeviceReset() override;
    void onDeviceRestore() override;
    std::string getTypeName() override { return "simVertexBuffer"; }

    // ---- Description.
    int32_t getVertexCount() const { return m_vertexCount; }
    int32_t getStride() const { return m_stride; }
    uint32_t getFormat() const { return m_format; }
    uint32_t getUsage() const { return m_usage; }
    uint32_t getPool() const { return m_pool; }
    bool isLocked() const { return m_locked != 0; }
    bool isWriteOnly() const { return m_writeOnly != 0; }
    // The device buffer; null before creation, after a failure and while the
    // device is being reset.
    gfx::VertexBufferHandle getBuffer() const { return m_buffer; }
    // True while the buffer waits for its restore with its bytes in memory.
    bool hasMemoryCopy() const { return m_copyHeld; }

private:
    size_t byteSize() const { return size_t(m_vertexCount) * size_t(m_stride); }
    gfx::HRESULT createDeviceBuffer();

    uint32_t m_format;
    uint32_t m_usage = 0;
    uint32_t m_pool = 0;  // 0 default, 1 managed
    gfx::VertexBufferHandle m_buffer;
    int32_t m_vertexCount;
    int32_t m_stride;
    // The buffer's bytes between a device reset and the restore, its only
    // copy then; empty otherwise.
    std::unique_ptr<uint8_t[]> m_mirror;
    bool m_copyHeld = false;
    uint8_t m_writeOnly;
    uint8_t m_locked = 0;
};
