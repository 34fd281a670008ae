// The render-state cache on the recording device: skipping, forcing, the
// device effect of each id, save and restore, and misuse.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using graphicstest::FakeCamera;
using graphicstest::FakeEffect;
using graphicstest::FakeMaterial;
using graphicstest::FakeTexture;
using graphicstest::FakeVertexBuffer;
using testsupport::RecordingGraphics;

namespace {

class StateCache : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        rig.recorder->clear();
    }
    std::size_t calls() const { return rig.recorder->calls().size(); }
    std::string lastCall() const { return rig.recorder->calls().empty() ? "" : rig.recorder->calls().back().text(); }
    size_t errorCount() { return rig.engine.errors.reports().size(); }

    RecordingGraphics rig;
};

TEST_F(StateCache, SameValueTwiceCallsTheDeviceOnceAndForceCallsAgain) {
    rig.state().setState(simRenderState_zWrite, 0);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_ZWRITEENABLE), 1u);
    rig.state().setState(simRenderState_zWrite, 0);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_ZWRITEENABLE), 1u);
    rig.state().setState(simRenderState_zWrite, 0, true);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_ZWRITEENABLE), 2u);
    EXPECT_EQ(rig.state().getState(simRenderState_zWrite), 0u);
}

// One row per id whose value goes to the device as one call.
struct DeviceEffect {
    uint32_t id;
    uint32_t value;
    const char* call;  // the recorder's text of the one call expected
};

class StateDeviceEffect : public StateCache, public ::testing::WithParamInterface<DeviceEffect> {};

TEST_P(StateDeviceEffect, AppliesTheIdAsOneDeviceCall) {
    const DeviceEffect& row = GetParam();
    rig.state().setState(row.id, row.value, true);
    ASSERT_EQ(calls(), 1u) << rig.recorder->text();
    EXPECT_EQ(lastCall(), row.call);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StateDeviceEffect,
    ::testing::Values(DeviceEffect{simRenderState_zWrite, 1, "SetRenderState(14,1)"},
                      DeviceEffect{simRenderState_zFunction, D3DCMP_ALWAYS, "SetRenderState(23,8)"},
                      DeviceEffect{simRenderState_lighting, 1, "SetRenderState(137,1)"},
                      DeviceEffect{simRenderState_backfaceCullMode, 0, "SetRenderState(22,1)"},
                      DeviceEffect{simRenderState_backfaceCullMode, 1, "SetRenderState(22,2)"},
                      DeviceEffect{simRenderState_backfaceCullMode, 2, "SetRenderState(22,3)"},
                      DeviceEffect{simRenderState_fog, 1, "SetRenderState(28,1)"},
                      DeviceEffect{simRenderState_mipmapFilter, D3DTEXF_LINEAR, "SetSamplerState(0,7,2)"},
                      DeviceEffect{simRenderState_blendFactorAlpha, 128, "SetRenderState(60,2147483648)"},
                      DeviceEffect{simRenderState_alphaBlend, 0, "SetRenderState(27,0)"},
                      DeviceEffect{simRenderState_multisample, 0, "SetRenderState(161,0)"},
                      DeviceEffect{simRenderState_shadeMode, 0, "SetRenderState(9,1)"},
                      DeviceEffect{simRenderState_shadeMode, 1, "SetRenderState(9,2)"},
                      DeviceEffect{simRenderState_clipping, 0, "SetRenderState(136,0)"},
                      DeviceEffect{simRenderState_clipPlaneEnable, 1, "SetRenderState(152,1)"},
                      DeviceEffect{simRenderState_fogColour, 0xFF102030u, "SetRenderState(34,4279246896)"},
                      DeviceEffect{simRenderState_addressU, D3DTADDRESS_CLAMP, "SetSamplerState(0,1,3)"},
                      DeviceEffect{simRenderState_addressV, D3DTADDRESS_CLAMP, "SetSamplerState(0,2,3)"},
                      DeviceEffect{simRenderState_ambient, 0xFF808080u, "SetRenderState(139,4286611584)"},
                      DeviceEffect{simRenderState_texture0, 0, "SetTexture(0,0)"},
                      DeviceEffect{simRenderState_texture7, 0, "SetTexture(7,0)"},
                      DeviceEffect{simRenderState_cubemap1, 0, "SetTexture(1,0)"},
                      DeviceEffect{simRenderState_texture2, 0, "SetTexture(2,0)"}));

TEST_F(StateCache, CacheOnlyIdsTouchNoDevice) {
    FakeEffect effect;
    rig.state().setState(simRenderState_shaderEffect, &effect);
    rig.state().setState(simRenderState_clearColour, 0xFF00FF00u);
    rig.state().setState(simRenderState_spare34, 5);
    rig.state().setState(simRenderState_spare36, 6);
    rig.state().setState(simRenderState_all, 7);
    EXPECT_EQ(calls(), 0u) << rig.recorder->text();
    EXPECT_EQ(rig.state().getStateObject(simRenderState_shaderEffect), &effect);
    EXPECT_EQ(rig.state().getState(simRenderState_clearColour), 0xFF00FF00u);
}

TEST_F(StateCache, IdZeroIsIgnoredEntirely) {
    rig.state().setState(simRenderState_none, 5, true);
    EXPECT_EQ(calls(), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_none), 0u);
}

TEST_F(StateCache, IdTwentyIsCachedAndReported) {
    rig.state().setState(simRenderState_unused20, 7);
    EXPECT_EQ(rig.state().getState(simRenderState_unused20), 7u);
    ASSERT_EQ(errorCount(), 1u);
    EXPECT_EQ(rig.engine.errors.texts()[0], "simRendererState::setState - state Id not found [20]");
    EXPECT_EQ(calls(), 0u);
}

TEST_F(StateCache, InvalidCullModeIsReportedAndLeavesTheDevice) {
    uint32_t before = 0;
    rig.device().GetRenderState(D3DRS_CULLMODE, &before);
    rig.recorder->clear();
    rig.state().setState(simRenderState_backfaceCullMode, 3);
    EXPECT_EQ(rig.recorder->count("SetRenderState"), 0u);
    uint32_t after = 0;
    rig.device().GetRenderState(D3DRS_CULLMODE, &after);
    EXPECT_EQ(after, before);
    ASSERT_EQ(errorCount(), 1u);
    EXPECT_EQ(rig.engine.errors.texts()[0], "simRendererState::setState - simRenderState_backfaceCullMode - invalid mode");
}

TEST_F(StateCache, IdsPastTheCacheAreRejectedByName) {
    for (uint32_t id : {38u, 1000u, 0xFFFFFFFFu}) {
        rig.state().setState(id, 1, true);
        rig.state().saveState(id);
        rig.state().restoreState(id);
    }
    EXPECT_EQ(calls(), 0u);
    ASSERT_EQ(errorCount(), 9u);
    EXPECT_EQ(rig.engine.errors.texts()[0], "simRendererState::setState - state Id out of range [38]");
    EXPECT_EQ(rig.state().getState(38), 0u);
}

TEST_F(StateCache, BlendModesSetBothFactorsAndOthersNothing) {
    const std::pair<uint32_t, std::string> rows[] = {
        {0, "SetRenderState(19,5) SetRenderState(20,6)"},
        {1, "SetRenderState(19,2) SetRenderState(20,4)"},
        {2, "SetRenderState(19,1) SetRenderState(20,2)"},
        {3, ""},
    };
    for (const auto& [mode, expected] : rows) {
        rig.recorder->clear();
        rig.state().setState(simRenderState_blendMode, mode, true);
        std::string text;
        for (const auto& call : rig.recorder->calls()) text += (text.empty() ? "" : " ") + call.text();
        EXPECT_EQ(text, expected) << "mode " << mode;
    }
}

TEST_F(StateCache, StencilModesSetTheirStatesInOrder) {
    const std::pair<uint32_t, size_t> rows[] = {{0, 3}, {1, 9}, {2, 9}, {3, 5}, {4, 5}, {5, 5}, {6, 13}, {7, 0}};
    for (const auto& [mode, count] : rows) {
        rig.recorder->clear();
        rig.state().setState(simRenderState_stencilMode, mode, true);
        EXPECT_EQ(calls(), count) << "mode " << mode;
    }
    rig.recorder->clear();
    rig.state().setState(simRenderState_stencilMode, 2, true);
    ASSERT_EQ(calls(), 9u);
    EXPECT_EQ(rig.recorder->calls()[0].text(), "SetRenderState(185,0)");
    EXPECT_EQ(rig.recorder->calls()[8].text(), "SetRenderState(55,3)");
    uint32_t value = 0;
    rig.device().GetRenderState(D3DRS_STENCILPASS, &value);
    EXPECT_EQ(value, uint32_t{D3DSTENCILOP_REPLACE});
}

TEST_F(StateCache, StageOneCombinationsSetArgumentsOnlyWhenTheyDiffer) {
    rig.state().setState(simRenderState_stage1Blend, 1, true);
    uint32_t op = 0, arg = 0;
    rig.device().GetTextureStageState(1, D3DTSS_COLOROP, &op);
    rig.device().GetTextureStageState(1, D3DTSS_ALPHAARG1, &arg);
    EXPECT_EQ(op, uint32_t{D3DTOP_BLENDFACTORALPHA});
    EXPECT_EQ(arg, uint32_t{D3DTA_TEXTURE});
    // The defaults already hold TEXTURE in both first arguments.
    EXPECT_EQ(rig.recorder->count("SetTextureStageState"), 2u) << rig.recorder->text();

    rig.recorder->clear();
    rig.state().setState(simRenderState_stage1Blend, 2);
    EXPECT_EQ(rig.recorder->count("SetTextureStageState"), 4u);
    rig.device().GetTextureStageState(1, D3DTSS_ALPHAARG1, &arg);
    EXPECT_EQ(arg, uint32_t{D3DTA_TFACTOR});

    rig.recorder->clear();
    rig.state().setState(simRenderState_stage1Blend, 0);
    EXPECT_EQ(rig.recorder->count("SetTextureStageState"), 2u);
    rig.device().GetTextureStageState(1, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, uint32_t{D3DTOP_DISABLE});
}

TEST_F(StateCache, RestoreAllAfterSaveAllIssuesNothingForUnchangedStates) {
    rig.state().saveState(simRenderState_all);
    rig.state().restoreState(simRenderState_all);
    EXPECT_EQ(calls(), 0u) << rig.recorder->text();

    rig.state().saveState(simRenderState_all);
    rig.state().setState(simRenderState_zWrite, 0);
    rig.state().setState(simRenderState_fog, 1);
    rig.recorder->clear();
    rig.state().restoreState(simRenderState_all);
    EXPECT_EQ(rig.recorder->text(), "SetRenderState(14,1)\nSetRenderState(28,0)\n");
}

TEST_F(StateCache, SaveAndRestoreOneId) {
    rig.state().saveState(simRenderState_fog);
    rig.state().setState(simRenderState_fog, 1);
    rig.state().setState(simRenderState_zWrite, 0);
    rig.state().restoreState(simRenderState_fog);
    EXPECT_EQ(rig.state().getState(simRenderState_fog), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_zWrite), 0u);
}

TEST_F(StateCache, TexturesBindTheirInterfacesAndCountChanges) {
    FakeTexture flat(TextureHandle{0x11}, TextureHandle{});
    FakeTexture cube(TextureHandle{}, TextureHandle{0x22});
    const uint32_t before = rig.renderer().getStats().counters[simRenderStats::textureChanges];
    rig.state().setState(simRenderState_texture0, &flat);
    rig.state().setState(simRenderState_texture3, &cube);   // a cube falls back to the cube interface
    rig.state().setState(simRenderState_cubemap1, &flat);   // the cube stage takes only cubes
    rig.state().setState(simRenderState_texture2, &cube);   // the shadow stage takes only 2-D textures
    rig.state().setState(simRenderState_texture0, &flat);   // unchanged: skipped
    EXPECT_EQ(rig.recorder->text(), "SetTexture(0,17)\nSetTexture(3,34)\nSetTexture(1,0)\nSetTexture(2,0)\n");
    EXPECT_EQ(rig.renderer().getStats().counters[simRenderStats::textureChanges], before + 4);
    rig.state().setState(simRenderState_texture0, nullptr);
    rig.state().setState(simRenderState_texture3, 0);
    rig.state().setState(simRenderState_cubemap1, nullptr);
    rig.state().setState(simRenderState_texture2, 0);
    EXPECT_EQ(rig.state().getState(simRenderState_texture0), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_cubemap1), 0u);
}

TEST_F(StateCache, ObjectValuesKeepTheirWholeAddress) {
    // Heap addresses lie above 4 GiB on 64-bit Linux: a 32-bit slot would cut them.
    auto texture = std::make_unique<FakeTexture>(TextureHandle{0x11}, TextureHandle{});
    rig.state().setState(simRenderState_texture0, texture.get());
    EXPECT_EQ(rig.state().getState(simRenderState_texture0), toStateValue(texture.get()));
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), texture.get());
    rig.state().saveState(simRenderState_all);
    rig.state().setState(simRenderState_texture0, 0);
    rig.state().restoreState(simRenderState_all);
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), texture.get());
    if (sizeof(void*) > 4) {
        const simStateValue truncated = toStateValue(texture.get()) & 0xFFFFFFFFu;
        rig.recorder->clear();
        // A value cut to 32 bits names no live object: refused, not read.
        if (truncated != toStateValue(texture.get())) {
            rig.state().setState(simRenderState_texture0, truncated);
            EXPECT_EQ(calls(), 0u);
            EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), texture.get());
            EXPECT_EQ(errorCount(), 1u);
        }
    }
    rig.state().setState(simRenderState_texture0, 0);
}

TEST_F(StateCache, ADestroyedObjectLeavesNoCurrentOrSavedEntry) {
    auto texture = std::make_unique<FakeTexture>(TextureHandle{0x11}, TextureHandle{});
    auto effect = std::make_unique<FakeEffect>();
    auto camera = std::make_unique<FakeCamera>(d3dx::Viewport{0, 0, 10, 10, 0, 1});
    rig.state().setState(simRenderState_texture0, texture.get());
    rig.state().setState(simRenderState_texture5, texture.get());
    rig.state().setState(simRenderState_shaderEffect, effect.get());
    rig.state().setState(simRenderState_cameraViewport, camera.get());
    rig.state().saveState(simRenderState_all);
    texture.reset();
    effect.reset();
    camera.reset();
    for (uint32_t id : {simRenderState_texture0, simRenderState_texture5, simRenderState_shaderEffect,
                        simRenderState_cameraViewport}) {
        EXPECT_EQ(rig.state().getState(id), 0u) << id;
    }
    // Neither a restore nor a reset's re-apply finds anything to bind.
    rig.recorder->clear();
    rig.state().restoreState(simRenderState_all);
    rig.state().reapplyAll();
    for (const auto& call : rig.recorder->calls()) {
        if (call.name == "SetTexture") {
            EXPECT_EQ(call.args[1], 0u) << call.text();
        }
    }
    EXPECT_EQ(errorCount(), 0u);
}

TEST_F(StateCache, ObjectsOfTheWrongKindAreRefused) {
    FakeEffect effect;
    rig.state().setState(simRenderState_texture0, &effect);
    EXPECT_EQ(rig.recorder->text(), "SetTexture(0,0)\n");
    ASSERT_EQ(errorCount(), 1u);
    EXPECT_EQ(rig.engine.errors.texts()[0], "simRendererState::setState - state Id 1 needs a texture");
    rig.state().setState(simRenderState_texture0, 0);
}

TEST_F(StateCache, MaterialAndVertexBufferApplyThemselves) {
    FakeMaterial material;
    material.material.Power = 7.0f;
    FakeVertexBuffer buffer;
    rig.state().setState(simRenderState_material, &material);
    EXPECT_EQ(rig.recorder->count("SetMaterial"), 1u);
    D3DMATERIAL9 onDevice;
    rig.device().GetMaterial(&onDevice);
    EXPECT_EQ(onDevice.Power, 7.0f);

    const uint32_t before = rig.renderer().getStats().counters[simRenderStats::vertexBufferChanges];
    rig.state().setState(simRenderState_vertexBuffer, &buffer);
    rig.state().setState(simRenderState_vertexBuffer, &buffer);
    EXPECT_EQ(buffer.binds, 1);
    EXPECT_EQ(buffer.lastStream, 0u);
    EXPECT_TRUE(buffer.lastSetFormat);
    EXPECT_EQ(buffer.lastFirstVertex, 0u);
    EXPECT_EQ(rig.renderer().getStats().counters[simRenderStats::vertexBufferChanges], before + 1);
    rig.state().setState(simRenderState_material, 0);
    rig.state().setState(simRenderState_vertexBuffer, 0);
}

TEST_F(StateCache, ClipPlaneIsKeptByValue) {
    float plane[4] = {0.0f, 1.0f, 0.0f, -2.0f};
    rig.state().setState(simRenderState_clipPlane, plane);
    EXPECT_EQ(rig.recorder->count("SetClipPlane"), 1u);
    plane[3] = 99.0f;  // the caller's copy changes or goes away
    EXPECT_EQ(rig.state().getClipPlane(), d3dx::Plane(0, 1, 0, -2));
    // The same plane again is skipped; a different one is applied.
    const float same[4] = {0.0f, 1.0f, 0.0f, -2.0f};
    rig.state().setState(simRenderState_clipPlane, same);
    EXPECT_EQ(rig.recorder->count("SetClipPlane"), 1u);
    rig.state().setState(simRenderState_clipPlane, plane);
    EXPECT_EQ(rig.recorder->count("SetClipPlane"), 2u);
    EXPECT_EQ(rig.device().state().clipPlane0[3], 99.0f);
    // Save, clear, restore brings the saved plane back.
    rig.state().saveState(simRenderState_clipPlane);
    rig.state().setState(simRenderState_clipPlane, 0);
    EXPECT_EQ(rig.state().getState(simRenderState_clipPlane), 0u);
    rig.state().restoreState(simRenderState_clipPlane);
    EXPECT_EQ(rig.state().getClipPlane(), d3dx::Plane(0, 1, 0, 99));
    EXPECT_EQ(rig.recorder->count("SetClipPlane"), 3u);
    // A number other than 0 is not a plane.
    rig.state().setState(simRenderState_clipPlane, 5);
    EXPECT_EQ(errorCount(), 1u);
}

TEST_F(StateCache, FogRangeSetsOnlyWhatChanged) {
    rig.state().setFogRange(10.0f, 100.0f);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_FOGSTART), 1u);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_FOGEND), 1u);
    rig.state().setFogRange(10.0f, 200.0f);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_FOGSTART), 1u);
    EXPECT_EQ(rig.recorder->count("SetRenderState", D3DRS_FOGEND), 2u);
    uint32_t bits = 0;
    rig.device().GetRenderState(D3DRS_FOGEND, &bits);
    EXPECT_EQ(stateFloat(bits), 200.0f);
}

TEST_F(StateCache, CameraViewportIsClampedToTheTarget) {
    FakeCamera inside(d3dx::Viewport{10, 20, 100, 50, 0, 1});
    FakeCamera past(d3dx::Viewport{700, 500, 400, 400, 0, 1});
    FakeCamera outside(d3dx::Viewport{900, 0, 10, 10, 0, 1});
    rig.state().setState(simRenderState_cameraViewport, &inside);
    D3DVIEWPORT9 v;
    rig.device().GetViewport(&v);
    EXPECT_EQ(v.X, 10u);
    EXPECT_EQ(v.Width, 100u);
    EXPECT_EQ(v.Height, 50u);
    rig.state().setState(simRenderState_cameraViewport, &past);
    rig.device().GetViewport(&v);
    EXPECT_EQ(v.X, 700u);
    EXPECT_EQ(v.Y, 500u);
    EXPECT_EQ(v.Width, 100u);
    EXPECT_EQ(v.Height, 100u);
    rig.recorder->clear();
    rig.state().setState(simRenderState_cameraViewport, &outside);  // nothing of it on the target
    EXPECT_EQ(rig.recorder->count("SetViewport"), 0u);
    rig.state().setState(simRenderState_cameraViewport, 0);
    rig.device().GetViewport(&v);
    EXPECT_EQ(v.X, 0u);
    EXPECT_EQ(v.Width, 800u);
    EXPECT_EQ(v.Height, 600u);
    EXPECT_TRUE(rig.engine.app().getStatusSuccess());
}

TEST(StateCacheCaps, MipFilterIsNoneWithoutMipmapSupport) {
    RecordingGraphics rig({}, [](Recorder& r) { r.adapter.caps.TextureCaps = 0; });
    ASSERT_TRUE(rig.complete());
    rig.state().setState(simRenderState_mipmapFilter, D3DTEXF_LINEAR, true);
    uint32_t filter = 99;
    rig.device().GetSamplerState(0, D3DSAMP_MIPFILTER, &filter);
    EXPECT_EQ(filter, uint32_t{D3DTEXF_NONE});
}

}  // namespace
