#include "platform/gfx/deviceState.h"

#include <bit>

#include "platform/gfx/stateTables.h"

namespace gfx {

void DeviceState::setDefaults(std::uint32_t backBufferWidth, std::uint32_t backBufferHeight) {
    *this = DeviceState{};
    for (std::uint32_t s = 0; s < kRenderStateCount; ++s) renderStates[s] = renderStateInfo(s).defaultValue;
    for (std::uint32_t stage = 0; stage < kStageCount; ++stage) {
        for (std::uint32_t t = 0; t < kTextureStageStateCount; ++t) stageStates[stage][t] = stageStateDefault(stage, t);
        for (std::uint32_t t = 0; t < kSamplerStateCount; ++t) samplerStates[stage][t] = samplerStateInfo(t).defaultValue;
    }
    viewport = D3DVIEWPORT9{0, 0, backBufferWidth, backBufferHeight, 0.0f, 1.0f};
    scissorRect = RECT{0, 0, static_cast<std::int32_t>(backBufferWidth), static_cast<std::int32_t>(backBufferHeight)};
}

std::uint32_t fvfStride(std::uint32_t fvf) {
    switch (fvf) {
        case kFvfVertex: return 52;
        case kFvfScreenVertex: return 28;
        default: return 0;
    }
}

float stateFloat(std::uint32_t bits) { return std::bit_cast<float>(bits); }
std::uint32_t floatState(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace gfx
