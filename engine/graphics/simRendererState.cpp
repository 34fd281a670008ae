#include "engine/graphics/simRendererState.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "engine/core/utilsErrors.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererCaps.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

// Device stage of each texture id, -1 for the others. Ids 1..6 are stages 0
// and 3..7; 21 is the cube map on stage 1, 22 the shadow map on stage 2.
constexpr int kTextureStage[simRendererState::kStateCount] = {
    -1, 0, 3, 4, 5, 6, 7, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
    -1, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
static_assert(std::size(kTextureStage) == simRendererState::kStateCount);

// Ids whose value is simply handed to one device render state.
struct DirectState {
    uint32_t id;
    D3DRENDERSTATETYPE state;
};
constexpr DirectState kDirectStates[] = {
    {simRenderState_zWrite, D3DRS_ZWRITEENABLE},       {simRenderState_zFunction, D3DRS_ZFUNC},
    {simRenderState_lighting, D3DRS_LIGHTING},         {simRenderState_fog, D3DRS_FOGENABLE},
    {simRenderState_alphaBlend, D3DRS_ALPHABLENDENABLE}, {simRenderState_multisample, D3DRS_MULTISAMPLEANTIALIAS},
    {simRenderState_clipping, D3DRS_CLIPPING},         {simRenderState_clipPlaneEnable, D3DRS_CLIPPLANEENABLE},
    {simRenderState_fogColour, D3DRS_FOGCOLOR},        {simRenderState_ambient, D3DRS_AMBIENT},
};

struct StatePair {
    D3DRENDERSTATETYPE state;
    uint32_t value;
};

// Stencil modes (id 15), each a list of render states set in order.
const std::initializer_list<StatePair> kStencilModes[] = {
    // 0: off
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILENABLE, 0}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS}},
    // 1: every drawn pixel zeroes the stencil where the depth test passes
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
     {D3DRS_STENCILREF, 1}, {D3DRS_STENCILMASK, 0xFFFFFFFFu}, {D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu},
     {D3DRS_STENCILZFAIL, D3DSTENCILOP_ZERO}, {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
     {D3DRS_STENCILPASS, D3DSTENCILOP_ZERO}},
    // 2: every drawn pixel writes 1
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
     {D3DRS_STENCILREF, 1}, {D3DRS_STENCILMASK, 0xFFFFFFFFu}, {D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu},
     {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP}, {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
     {D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE}},
    // 3: draw where the stencil is 1 or more
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL}, {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
     {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILREF, 1}},
    // 4: decrement
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS}, {D3DRS_STENCILPASS, D3DSTENCILOP_DECR},
     {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILREF, 0xFFFFFFFFu}},
    // 5: increment
    {{D3DRS_TWOSIDEDSTENCILMODE, 0}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS}, {D3DRS_STENCILPASS, D3DSTENCILOP_INCR},
     {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILREF, 0xFFFFFFFFu}},
    // 6: two-sided shadow volume count
    {{D3DRS_TWOSIDEDSTENCILMODE, 1}, {D3DRS_STENCILENABLE, 1}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
     {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP}, {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP}, {D3DRS_STENCILREF, 1},
     {D3DRS_STENCILMASK, 0xFFFFFFFFu}, {D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu},
     {D3DRS_STENCILPASS, D3DSTENCILOP_INCR}, {D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS},
     {D3DRS_CCW_STENCILZFAIL, D3DSTENCILOP_KEEP}, {D3DRS_CCW_STENCILFAIL, D3DSTENCILOP_KEEP},
     {D3DRS_CCW_STENCILPASS, D3DSTENCILOP_DECR}},
};

// Blend modes (id 14): source and destination factors.
constexpr StatePair kBlendModes[][2] = {
    {{D3DRS_SRCBLEND, D3DBLEND_SRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}},
    {{D3DRS_SRCBLEND, D3DBLEND_ONE}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCCOLOR}},
    {{D3DRS_SRCBLEND, D3DBLEND_ZERO}, {D3DRS_DESTBLEND, D3DBLEND_ONE}},
};

constexpr uint32_t kCullModes[] = {D3DCULL_NONE, D3DCULL_CW, D3DCULL_CCW};
constexpr uint32_t kShadeModes[] = {D3DSHADE_FLAT, D3DSHADE_GOURAUD};

// The order in which the constructor forces every state (id, value).
constexpr uint32_t kInitialStates[][2] = {
    {28, 0}, {7, 0},  {12, 0}, {34, 0}, {1, 0},  {2, 0},  {3, 0},  {4, 0},  {5, 0},  {6, 0},
    {21, 0}, {22, 0}, {8, 0},  {11, 0}, {35, 0}, {16, 0}, {13, 0}, {27, 1}, {25, 0}, {23, 1},
    {14, 0}, {9, 1},  {10, D3DCMP_LESSEQUAL},   {32, D3DTADDRESS_WRAP},   {33, D3DTADDRESS_WRAP},
    {15, 0}, {29, 0}, {30, 0}, {17, 1}, {19, 0}, {18, 0}, {26, 1}};

// Ids the device defaults leave at 0: the textures and the effect.
constexpr uint32_t kUnboundByDefaults[] = {1, 2, 3, 4, 5, 6, 21, 22, 8};

bool isObjectId(uint32_t id) {
    return kTextureStage[id] >= 0 || id == simRenderState_vertexBuffer || id == simRenderState_shaderEffect ||
           id == simRenderState_material || id == simRenderState_cameraViewport;
}

void reportMisuse(const std::string& text) { utils::seriousError("simRendererState::setState - " + text); }

}  // namespace

simRendererState::simRendererState(simRenderer* renderer) : m_renderer(renderer) {
    for (d3dx::Matrix& m : m_matrices) m = d3dx::Matrix::identity();
    for (const auto& [id, value] : kInitialStates) setState(id, value, true);
    applyDeviceDefaults();
}

simRendererState::~simRendererState() {
    if (m_renderer) m_renderer->onStateDestroyed(this);
}

const simRendererStateObject* simRendererState::getStateObject(uint32_t id) const {
    if (id >= kStateCount || !isObjectId(id)) return nullptr;
    return simRendererStateObject::find(m_current[id]);
}

void simRendererState::setChecked(uint32_t id, simStateValue value, bool force) {
    if (id >= kStateCount) {
        char text[96];
        std::snprintf(text, sizeof text, "state Id out of range [%u]", id);
        reportMisuse(text);
        return;
    }
    // Id 30 as a number: only 0 (no plane) has a meaning.
    if (value != 0) {
        reportMisuse("simRenderState_clipPlane - give the plane, not a number");
        return;
    }
    setState(id, static_cast<const float*>(nullptr), force);
}

void simRendererState::setState(uint32_t id, const float* plane, bool force) {
    if (id != simRenderState_clipPlane) {
        reportMisuse("a plane is only a value of simRenderState_clipPlane");
        return;
    }
    const simStateValue value = plane ? 1 : 0;
    d3dx::Plane copy;
    if (plane) std::memcpy(&copy.a, plane, sizeof copy);
    if (!force && m_current[id] == value && (value == 0 || copy == m_currentPlane)) return;
    m_currentPlane = copy;
    change(id, value);
}

void simRendererState::change(uint32_t id, simStateValue value) {
    // Object ids take only values naming a live object; anything else would
    // be read as an object, so it is refused and the cache stays as it was.
    if (value != 0 && isObjectId(id) && !simRendererStateObject::find(value)) {
        char text[96];
        std::snprintf(text, sizeof text, "state Id %u given a value that names no live object", id);
        reportMisuse(text);
        return;
    }
    m_current[id] = value;
    apply(id);
}

template <typename Kind>
const Kind* simRendererState::objectOfKind(uint32_t id, simStateValue value, const char* kind) const {
    const simRendererStateObject* object = simRendererStateObject::find(value);
    if (!object) return nullptr;
    const Kind* typed = dynamic_cast<const Kind*>(object);
    if (!typed) {
        char text[128];
        std::snprintf(text, sizeof text, "state Id %u needs a %s", id, kind);
        reportMisuse(text);
    }
    return typed;
}

void simRendererState::apply(uint32_t id) {
    Device* device = m_renderer ? m_renderer->getDevice() : nullptr;
    const simStateValue value = m_current[id];
    const uint32_t number = static_cast<uint32_t>(value);

    for (const DirectState& direct : kDirectStates) {
        if (direct.id == id) {
            if (device) device->SetRenderState(direct.state, number);
            return;
        }
    }
    if (kTextureStage[id] >= 0) {
        applyTexture(id, value, id != simRenderState_cubemap1, id != simRenderState_texture2);
        return;
    }
    switch (id) {
    case simRenderState_vertexBuffer:
        if (auto* buffer = objectOfKind<simRendererStateVertexBuffer>(id, value, "vertex buffer")) {
            const_cast<simRendererStateVertexBuffer*>(buffer)->setAsStream(0, true, 0);
            if (m_renderer) ++m_renderer->getStats().counters[simRenderStats::vertexBufferChanges];
        }
        return;
    case simRenderState_material:
        if (auto* material = objectOfKind<simRendererStateMaterial>(id, value, "material"))
            if (device) device->SetMaterial(&material->getStateMaterial());
        return;
    case simRenderState_backfaceCullMode:
        if (value < std::size(kCullModes)) {
            if (device) device->SetRenderState(D3DRS_CULLMODE, kCullModes[value]);
        } else {
            reportMisuse("simRenderState_backfaceCullMode - invalid mode");
        }
        return;
    case simRenderState_blendMode:
        if (value < std::size(kBlendModes) && device)
            for (const StatePair& pair : kBlendModes[value]) device->SetRenderState(pair.state, pair.value);
        return;
    case simRenderState_stencilMode:
        applyStencilMode(value);
        return;
    case simRenderState_mipmapFilter:
        if (device) {
            const bool mipmaps = m_renderer->getCaps() && m_renderer->getCaps()->mipmapTexturing;
            device->SetSamplerState(0, D3DSAMP_MIPFILTER, mipmaps ? number : uint32_t{D3DTEXF_NONE});
        }
        return;
    case simRenderState_stage1Blend:
        applyStage1Blend(value);
        return;
    case simRenderState_blendFactorAlpha:
        if (device) device->SetRenderState(D3DRS_TEXTUREFACTOR, number << 24);
        return;
    case simRenderState_unused20: {
        char text[96];
        std::snprintf(text, sizeof text, "simRendererState::setState - state Id not found [%d]", int(id));
        utils::seriousError(text);
        return;
    }
    case simRenderState_cameraViewport:
        if (m_renderer) {
            const auto* camera =
                value ? objectOfKind<simRendererStateCamera>(id, value, "camera") : nullptr;
            if (value == 0 || camera) m_renderer->setCameraViewport(camera);
        }
        return;
    case simRenderState_shadeMode:
        if (value < std::size(kShadeModes) && device) device->SetRenderState(D3DRS_SHADEMODE, kShadeModes[value]);
        return;
    case simRenderState_clipPlane:
        if (value && device) device->SetClipPlane(0, &m_currentPlane.a);
        return;
    case simRenderState_addressU:
        if (device) device->SetSamplerState(0, D3DSAMP_ADDRESSU, number);
        return;
    case simRenderState_addressV:
        if (device) device->SetSamplerState(0, D3DSAMP_ADDRESSV, number);
        return;
    default:
        // The effect (8), the clear colour (28) and the spare ids are cached only.
        return;
    }
}

void simRendererState::applyTexture(uint32_t id, simStateValue value, bool allow2D, bool allowCube) {
    Device* device = m_renderer ? m_renderer->getDevice() : nullptr;
    const uint32_t stage = static_cast<uint32_t>(kTextureStage[id]);
    TextureHandle handle;
    if (const auto* texture = objectOfKind<simRendererStateTexture>(id, value, "texture")) {
        if (allow2D) handle = texture->getStateTexture2D();
        if (!handle && allowCube) handle = texture->getStateCubeTexture();
    }
    if (device) device->SetTexture(stage, handle);
    if (m_renderer) ++m_renderer->getStats().counters[simRenderStats::textureChanges];
}

void simRendererState::applyStencilMode(simStateValue mode) {
    Device* device = m_renderer ? m_renderer->getDevice() : nullptr;
    if (!device || mode >= std::size(kStencilModes)) return;
    for (const StatePair& pair : kStencilModes[mode]) device->SetRenderState(pair.state, pair.value);
}

void simRendererState::applyStage1Blend(simStateValue mode) {
    Device* device = m_renderer ? m_renderer->getDevice() : nullptr;
    if (!device) return;
    // Sets an argument only when the device does not hold it already.
    auto setArgument = [device](D3DTEXTURESTAGESTATETYPE type, uint32_t value) {
        uint32_t current = 0;
        device->GetTextureStageState(1, type, &current);
        if (current != value) device->SetTextureStageState(1, type, value);
    };
    switch (mode) {
    case 1:  // the texture blended in by the texture factor's alpha
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_BLENDFACTORALPHA);
        setArgument(D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
        setArgument(D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        return;
    case 2:  // the colour so far, alpha scaled by the texture factor
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
        setArgument(D3DTSS_COLORARG1, D3DTA_CURRENT);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        setArgument(D3DTSS_ALPHAARG1, D3DTA_TFACTOR);
        return;
    default:
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        return;
    }
}

void simRendererState::saveState(uint32_t id) {
    if (id == simRenderState_all) {
        std::memcpy(m_saved, m_current, sizeof m_saved);
        m_savedPlane = m_currentPlane;
        return;
    }
    if (id >= kStateCount) return setChecked(id, 0, false);
    m_saved[id] = m_current[id];
    if (id == simRenderState_clipPlane) m_savedPlane = m_currentPlane;
}

void simRendererState::restoreState(uint32_t id) {
    auto restoreOne = [this](uint32_t i) {
        if (i == simRenderState_clipPlane)
            setState(i, m_saved[i] ? &m_savedPlane.a : static_cast<const float*>(nullptr));
        else
            setValue(i, m_saved[i], false);
    };
    if (id == simRenderState_all) {
        for (uint32_t i = 0; i < kStateCount; ++i) restoreOne(i);
        return;
    }
    if (id >= kStateCount) return setChecked(id, 0, false);
    restoreOne(id);
}

void simRendererState::setFogRange(float start, float end) {
    Device* device = m_renderer ? m_renderer->getDevice() : nullptr;
    if (start != m_fogStart) {
        m_fogStart = start;
        if (device) device->SetRenderState(D3DRS_FOGSTART, floatState(start));
    }
    if (end != m_fogEnd) {
        m_fogEnd = end;
        if (device) device->SetRenderState(D3DRS_FOGEND, floatState(end));
    }
}

void simRendererState::applyDeviceDefaults() {
    if (Device* device = m_renderer ? m_renderer->getDevice() : nullptr) {
        device->SetRenderState(D3DRS_DITHERENABLE, 1);
        device->SetRenderState(D3DRS_SPECULARENABLE, 1);
        device->SetSamplerState(0, D3DSAMP_MIPMAPLODBIAS, floatState(-1.0f));
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
        device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
        device->SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1);
        device->SetRenderState(D3DRS_COLORVERTEX, 1);
        for (uint32_t sampler = 0; sampler <= 4; ++sampler) {
            device->SetSamplerState(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
            device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
        }
        device->SetRenderState(D3DRS_LOCALVIEWER, 0);
        device->SetRenderState(D3DRS_ZENABLE, 1);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, 1);
        device->SetRenderState(D3DRS_ALPHAREF, 2);
        device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
        device->SetRenderState(D3DRS_FOGDENSITY, 1);
        device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
        device->SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_NONE);
        device->SetRenderState(D3DRS_POINTSPRITEENABLE, 1);
        device->SetRenderState(D3DRS_POINTSCALEENABLE, 0);
        device->SetRenderState(D3DRS_POINTSIZE_MIN, 0);
        device->SetRenderState(D3DRS_POINTSCALE_A, 0);
        device->SetRenderState(D3DRS_POINTSCALE_B, 0);
        device->SetRenderState(D3DRS_POINTSCALE_C, 1);
        device->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, 1);
        device->SetRenderState(D3DRS_LIGHTING, 0);
    }
    for (uint32_t id : kUnboundByDefaults) setValue(id, 0, true);
}

void simRendererState::reapplyAll() {
    for (uint32_t id = 0; id < kStateCount; ++id) {
        if (id == simRenderState_unused20) continue;
        if (id == simRenderState_clipPlane) {
            setState(id, m_current[id] ? &m_currentPlane.a : static_cast<const float*>(nullptr), true);
            continue;
        }
        // An object entry was cleared when its object went, so every value
        // here names a live object or a number.
        setValue(id, m_current[id], true);
    }
    if (Device* device = m_renderer ? m_renderer->getDevice() : nullptr) {
        device->SetRenderState(D3DRS_FOGSTART, floatState(m_fogStart));
        device->SetRenderState(D3DRS_FOGEND, floatState(m_fogEnd));
    }
    applyDeviceDefaults();
}

void simRendererState::forgetObject(const simRendererStateObject* object) {
    const simStateValue value = toStateValue(object);
    if (value == 0) return;
    for (uint32_t id = 0; id < kStateCount; ++id) {
        if (!isObjectId(id)) continue;
        if (m_current[id] == value) m_current[id] = 0;
        if (m_saved[id] == value) m_saved[id] = 0;
    }
}
