#include "platform/gfx/stateTables.h"

#include <array>
#include <bit>

namespace gfx {

namespace {

constexpr std::uint32_t kOne = std::bit_cast<std::uint32_t>(1.0f);

struct Entry {
    std::uint32_t value;
    StateInfo info;
};

// Render states: Direct3D's defaults, except the alpha test (on, 2, GREATER).
constexpr Entry kRenderStates[] = {
    {D3DRS_ZENABLE, {"D3DRS_ZENABLE", StateKind::Bool, 1}},
    {D3DRS_SHADEMODE, {"D3DRS_SHADEMODE", StateKind::Shade, D3DSHADE_GOURAUD}},
    {D3DRS_ZWRITEENABLE, {"D3DRS_ZWRITEENABLE", StateKind::Bool, 1}},
    {D3DRS_ALPHATESTENABLE, {"D3DRS_ALPHATESTENABLE", StateKind::Bool, 1}},
    {D3DRS_SRCBLEND, {"D3DRS_SRCBLEND", StateKind::Blend, D3DBLEND_ONE}},
    {D3DRS_DESTBLEND, {"D3DRS_DESTBLEND", StateKind::Blend, D3DBLEND_ZERO}},
    {D3DRS_CULLMODE, {"D3DRS_CULLMODE", StateKind::Cull, D3DCULL_CCW}},
    {D3DRS_ZFUNC, {"D3DRS_ZFUNC", StateKind::Cmp, D3DCMP_LESSEQUAL}},
    {D3DRS_ALPHAREF, {"D3DRS_ALPHAREF", StateKind::Any, 2}},
    {D3DRS_ALPHAFUNC, {"D3DRS_ALPHAFUNC", StateKind::Cmp, D3DCMP_GREATER}},
    {D3DRS_DITHERENABLE, {"D3DRS_DITHERENABLE", StateKind::Bool, 0}},
    {D3DRS_ALPHABLENDENABLE, {"D3DRS_ALPHABLENDENABLE", StateKind::Bool, 0}},
    {D3DRS_FOGENABLE, {"D3DRS_FOGENABLE", StateKind::Bool, 0}},
    {D3DRS_SPECULARENABLE, {"D3DRS_SPECULARENABLE", StateKind::Bool, 0}},
    {D3DRS_FOGCOLOR, {"D3DRS_FOGCOLOR", StateKind::Any, 0}},
    {D3DRS_FOGTABLEMODE, {"D3DRS_FOGTABLEMODE", StateKind::FogMode, D3DFOG_NONE}},
    {D3DRS_FOGSTART, {"D3DRS_FOGSTART", StateKind::Any, 0}},
    {D3DRS_FOGEND, {"D3DRS_FOGEND", StateKind::Any, kOne}},
    {D3DRS_FOGDENSITY, {"D3DRS_FOGDENSITY", StateKind::Any, kOne}},
    {D3DRS_STENCILENABLE, {"D3DRS_STENCILENABLE", StateKind::Bool, 0}},
    {D3DRS_STENCILFAIL, {"D3DRS_STENCILFAIL", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_STENCILZFAIL, {"D3DRS_STENCILZFAIL", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_STENCILPASS, {"D3DRS_STENCILPASS", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_STENCILFUNC, {"D3DRS_STENCILFUNC", StateKind::Cmp, D3DCMP_ALWAYS}},
    {D3DRS_STENCILREF, {"D3DRS_STENCILREF", StateKind::Any, 0}},
    {D3DRS_STENCILMASK, {"D3DRS_STENCILMASK", StateKind::Any, 0xFFFFFFFFu}},
    {D3DRS_STENCILWRITEMASK, {"D3DRS_STENCILWRITEMASK", StateKind::Any, 0xFFFFFFFFu}},
    {D3DRS_TEXTUREFACTOR, {"D3DRS_TEXTUREFACTOR", StateKind::Any, 0xFFFFFFFFu}},
    {D3DRS_CLIPPING, {"D3DRS_CLIPPING", StateKind::Bool, 1}},
    {D3DRS_LIGHTING, {"D3DRS_LIGHTING", StateKind::Bool, 1}},
    {D3DRS_AMBIENT, {"D3DRS_AMBIENT", StateKind::Any, 0}},
    {D3DRS_FOGVERTEXMODE, {"D3DRS_FOGVERTEXMODE", StateKind::FogMode, D3DFOG_NONE}},
    {D3DRS_COLORVERTEX, {"D3DRS_COLORVERTEX", StateKind::Bool, 1}},
    {D3DRS_LOCALVIEWER, {"D3DRS_LOCALVIEWER", StateKind::Bool, 1}},
    {D3DRS_AMBIENTMATERIALSOURCE, {"D3DRS_AMBIENTMATERIALSOURCE", StateKind::MaterialSource, D3DMCS_MATERIAL}},
    {D3DRS_CLIPPLANEENABLE, {"D3DRS_CLIPPLANEENABLE", StateKind::Any, 0}},
    {D3DRS_POINTSIZE_MIN, {"D3DRS_POINTSIZE_MIN", StateKind::Any, kOne}},
    {D3DRS_POINTSPRITEENABLE, {"D3DRS_POINTSPRITEENABLE", StateKind::Bool, 0}},
    {D3DRS_POINTSCALEENABLE, {"D3DRS_POINTSCALEENABLE", StateKind::Bool, 0}},
    {D3DRS_POINTSCALE_A, {"D3DRS_POINTSCALE_A", StateKind::Any, kOne}},
    {D3DRS_POINTSCALE_B, {"D3DRS_POINTSCALE_B", StateKind::Any, 0}},
    {D3DRS_POINTSCALE_C, {"D3DRS_POINTSCALE_C", StateKind::Any, 0}},
    {D3DRS_MULTISAMPLEANTIALIAS, {"D3DRS_MULTISAMPLEANTIALIAS", StateKind::Bool, 1}},
    {D3DRS_SCISSORTESTENABLE, {"D3DRS_SCISSORTESTENABLE", StateKind::Bool, 0}},
    {D3DRS_COLORWRITEENABLE, {"D3DRS_COLORWRITEENABLE", StateKind::Any, 0xF}},
    {D3DRS_TWOSIDEDSTENCILMODE, {"D3DRS_TWOSIDEDSTENCILMODE", StateKind::Bool, 0}},
    {D3DRS_CCW_STENCILFAIL, {"D3DRS_CCW_STENCILFAIL", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_CCW_STENCILZFAIL, {"D3DRS_CCW_STENCILZFAIL", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_CCW_STENCILPASS, {"D3DRS_CCW_STENCILPASS", StateKind::StencilOp, D3DSTENCILOP_KEEP}},
    {D3DRS_CCW_STENCILFUNC, {"D3DRS_CCW_STENCILFUNC", StateKind::Cmp, D3DCMP_ALWAYS}},
};

constexpr Entry kStageStates[] = {
    {D3DTSS_COLOROP, {"D3DTSS_COLOROP", StateKind::TextureOp, D3DTOP_DISABLE}},
    {D3DTSS_COLORARG1, {"D3DTSS_COLORARG1", StateKind::TextureArg, D3DTA_TEXTURE}},
    {D3DTSS_COLORARG2, {"D3DTSS_COLORARG2", StateKind::TextureArg, D3DTA_CURRENT}},
    {D3DTSS_ALPHAOP, {"D3DTSS_ALPHAOP", StateKind::TextureOp, D3DTOP_DISABLE}},
    {D3DTSS_ALPHAARG1, {"D3DTSS_ALPHAARG1", StateKind::TextureArg, D3DTA_TEXTURE}},
    {D3DTSS_ALPHAARG2, {"D3DTSS_ALPHAARG2", StateKind::TextureArg, D3DTA_CURRENT}},
    {D3DTSS_TEXCOORDINDEX, {"D3DTSS_TEXCOORDINDEX", StateKind::Stage, 0}},
};

constexpr Entry kSamplerStates[] = {
    {D3DSAMP_ADDRESSU, {"D3DSAMP_ADDRESSU", StateKind::Address, D3DTADDRESS_WRAP}},
    {D3DSAMP_ADDRESSV, {"D3DSAMP_ADDRESSV", StateKind::Address, D3DTADDRESS_WRAP}},
    {D3DSAMP_MAGFILTER, {"D3DSAMP_MAGFILTER", StateKind::Filter, D3DTEXF_POINT}},
    {D3DSAMP_MINFILTER, {"D3DSAMP_MINFILTER", StateKind::Filter, D3DTEXF_POINT}},
    {D3DSAMP_MIPFILTER, {"D3DSAMP_MIPFILTER", StateKind::Filter, D3DTEXF_NONE}},
    {D3DSAMP_MIPMAPLODBIAS, {"D3DSAMP_MIPMAPLODBIAS", StateKind::Any, 0}},
};

template <std::size_t N, std::size_t M>
constexpr std::array<StateInfo, N> indexByValue(const Entry (&entries)[M]) {
    std::array<StateInfo, N> table{};
    for (StateInfo& s : table) s = {"unsupported", StateKind::Unsupported, 0};
    for (const Entry& e : entries) table[e.value] = e.info;
    return table;
}

constexpr auto kRenderStateTable = indexByValue<kRenderStateCount>(kRenderStates);
constexpr auto kStageStateTable = indexByValue<kTextureStageStateCount>(kStageStates);
constexpr auto kSamplerStateTable = indexByValue<kSamplerStateCount>(kSamplerStates);
static_assert(kRenderStateTable.size() == kRenderStateCount);
static_assert(kStageStateTable.size() == kTextureStageStateCount);
static_assert(kSamplerStateTable.size() == kSamplerStateCount);

constexpr StateInfo kUnsupported{"unsupported", StateKind::Unsupported, 0};

template <std::size_t N>
const StateInfo& lookUp(const std::array<StateInfo, N>& table, std::uint32_t value) {
    return value < N ? table[value] : kUnsupported;
}

}  // namespace

const StateInfo& renderStateInfo(std::uint32_t state) { return lookUp(kRenderStateTable, state); }
const StateInfo& stageStateInfo(std::uint32_t type) { return lookUp(kStageStateTable, type); }
const StateInfo& samplerStateInfo(std::uint32_t type) { return lookUp(kSamplerStateTable, type); }

std::uint32_t stageStateDefault(std::uint32_t stage, std::uint32_t type) {
    if (stage == 0 && type == D3DTSS_COLOROP) return D3DTOP_MODULATE;
    if (stage == 0 && type == D3DTSS_ALPHAOP) return D3DTOP_SELECTARG1;
    if (type == D3DTSS_TEXCOORDINDEX) return stage;
    return stageStateInfo(type).defaultValue;
}

bool stateValueValid(StateKind kind, std::uint32_t v) {
    switch (kind) {
        case StateKind::Unsupported: return false;
        case StateKind::Any: return true;
        case StateKind::Bool: return v <= 1;
        case StateKind::Cmp: return v >= D3DCMP_NEVER && v <= D3DCMP_ALWAYS;
        case StateKind::Blend:
            return v == D3DBLEND_ZERO || v == D3DBLEND_ONE || v == D3DBLEND_INVSRCCOLOR || v == D3DBLEND_SRCALPHA ||
                   v == D3DBLEND_INVSRCALPHA;
        case StateKind::StencilOp:
            return v == D3DSTENCILOP_KEEP || v == D3DSTENCILOP_ZERO || v == D3DSTENCILOP_REPLACE ||
                   v == D3DSTENCILOP_INCR || v == D3DSTENCILOP_DECR;
        case StateKind::Cull: return v >= D3DCULL_NONE && v <= D3DCULL_CCW;
        case StateKind::Shade: return v == D3DSHADE_FLAT || v == D3DSHADE_GOURAUD;
        case StateKind::FogMode: return v == D3DFOG_NONE || v == D3DFOG_LINEAR;
        case StateKind::MaterialSource: return v == D3DMCS_MATERIAL || v == D3DMCS_COLOR1;
        case StateKind::TextureOp:
            return v == D3DTOP_DISABLE || v == D3DTOP_SELECTARG1 || v == D3DTOP_SELECTARG2 || v == D3DTOP_MODULATE ||
                   v == D3DTOP_BLENDFACTORALPHA;
        case StateKind::TextureArg: return v < kTextureArgCount;
        case StateKind::Address: return v == D3DTADDRESS_WRAP || v == D3DTADDRESS_CLAMP;
        case StateKind::Filter: return v < kTextureFilterCount;
        case StateKind::Stage: return v < 3;
    }
    return false;
}

}  // namespace gfx
