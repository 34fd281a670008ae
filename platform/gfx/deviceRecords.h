// What the device front keeps per resource (internal to platform/gfx).
#pragma once

#include <vector>

#include "platform/gfx/device.h"

namespace gfx {

struct Device::TextureRecord {
    TextureDesc desc;
    bool lost = false;
    std::vector<std::uint8_t> locked;  // 1 while locked; index face * levels + level
    std::vector<SurfaceHandle> views;
};

struct Device::SurfaceRecord {
    SurfaceKind kind = SurfaceKind::BackBuffer;
    SurfaceHandle self;  // standalone surfaces: the backend's slot is self.index()
    D3DSURFACE_DESC desc;
    TextureHandle texture;  // TextureLevel only
    std::uint32_t face = 0, level = 0;
    bool lost = false;
    std::uint8_t locked = 0;  // standalone surfaces; levels use their texture's flags
};

struct Device::BufferRecord {
    std::uint32_t length = 0, usage = 0, fvf = 0;
    D3DPOOL pool = D3DPOOL_DEFAULT;
    bool lost = false;
    bool locked = false;
    std::uint32_t indexSize = 0;  // bytes per index (2 or 4) for an index buffer, 0 for a vertex buffer
};

struct Device::ProgramRecord {
    bool valid = true;
};

struct Device::Pools {
    HandlePool<TextureTag, TextureRecord> textures;
    HandlePool<SurfaceTag, SurfaceRecord> surfaces;
    HandlePool<VertexBufferTag, BufferRecord> buffers;
    HandlePool<ProgramTag, ProgramRecord> programs;
};

}  // namespace gfx
