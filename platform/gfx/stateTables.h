// Descriptions of the Direct3D states the device accepts, indexed by their
// Direct3D value: the kind of value each takes (for checking) and its default.
#pragma once

#include <cstdint>

#include "platform/gfx/d3dTypes.h"

namespace gfx {

// The values a state accepts.
enum class StateKind : std::uint8_t {
    Unsupported,  // not a state the device offers
    Any,          // any 32-bit value (colours, masks, references, float bits)
    Bool,
    Cmp,          // D3DCMPFUNC
    Blend,        // D3DBLEND
    StencilOp,    // D3DSTENCILOP
    Cull,         // D3DCULL
    Shade,        // D3DSHADEMODE
    FogMode,      // D3DFOG_NONE or D3DFOG_LINEAR
    MaterialSource,
    TextureOp,    // D3DTEXTUREOP
    TextureArg,   // D3DTA_*
    Address,      // D3DTEXTUREADDRESS
    Filter,       // D3DTEXTUREFILTERTYPE
    Stage,        // a texture-coordinate set 0..2
};

struct StateInfo {
    const char* name;
    StateKind kind;
    std::uint32_t defaultValue;
};

const StateInfo& renderStateInfo(std::uint32_t state);   // Unsupported past the table
const StateInfo& stageStateInfo(std::uint32_t type);
const StateInfo& samplerStateInfo(std::uint32_t type);
// Stage states whose default depends on the stage (COLOROP, ALPHAOP, TEXCOORDINDEX).
std::uint32_t stageStateDefault(std::uint32_t stage, std::uint32_t type);

// True when value is acceptable for a state of that kind.
bool stateValueValid(StateKind kind, std::uint32_t value);

}  // namespace gfx
