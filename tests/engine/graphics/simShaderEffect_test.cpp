// The effect resource on the recording device: technique choice by the
// device's shader versions, failures, parameter uploads, pass states and
// device loss.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simShaderEffectCompiled.h"
#include "platform/gfx/device.h"
#include "platform/sys/clock.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/tempFolder.h"

using namespace gfx;
using testsupport::RecordingGraphics;

namespace {

const char* const kTechniques = R"(@effect 1
@common
#include "d3d.fxh"
uniform float shader_general_time;
uniform float shader_misc_aspectRatio;
@vertex vs
void main() { d3dPosition(vec4(shader_general_time)); }
@fragment ps
void main() { d3dColour(vec4(shader_misc_aspectRatio)); }
@technique tech_x_20_20
@pass vs ps
@state ALPHABLENDENABLE TRUE
@state SRCBLEND SRCALPHA
@technique tech_x_11_14
@pass vs ps
@pass vs ps
@technique tech_y_11_00
@pass vs ps
)";

struct EffectFixture : ::testing::Test {
    // Writes the effect text as `name` and makes the resource from it.
    std::unique_ptr<simShaderEffect> make(const std::string& name, const std::string& text, const std::string& base) {
        folder.write(name, text);
        return std::make_unique<simShaderEffect>(nullptr, folder.file(name), base);
    }
    testsupport::TempFolder folder;
};

struct TechniqueChoice : EffectFixture {};

TEST_F(TechniqueChoice, TakesTheHighestVersionsNotAboveTheDevice) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    ASSERT_TRUE(effect->getEffect());
    struct Case {
        const char* base;
        uint32_t vsMajor, vsMinor, psMajor, psMinor;
        const char* chosen;
    };
    const Case cases[] = {
        {"tech_x", 2, 0, 2, 0, "tech_x_20_20"},  {"tech_x", 3, 0, 3, 0, "tech_x_20_20"},
        {"tech_x", 1, 1, 1, 4, "tech_x_11_14"},  {"tech_x", 2, 0, 1, 4, "tech_x_11_14"},
        {"tech_x", 1, 1, 1, 3, ""},              {"tech_x", 1, 0, 3, 0, ""},
        {"tech_y", 1, 1, 0, 0, "tech_y_11_00"},  {"tech_y", 3, 0, 3, 0, "tech_y_11_00"},
        {"tech_z", 3, 0, 3, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simShaderEffect::chooseTechnique(*effect->getEffect(), c.base, c.vsMajor, c.vsMinor, c.psMajor,
                                                   c.psMinor),
                  c.chosen)
            << c.base << " vs " << c.vsMajor << c.vsMinor << " ps " << c.psMajor << c.psMinor;
}

void shaderModel1(Recorder& recorder) {
    recorder.adapter.caps.VertexShaderVersion = D3DVS_VERSION(1, 1);
    recorder.adapter.caps.PixelShaderVersion = D3DPS_VERSION(1, 3);
}

TEST_F(TechniqueChoice, NoFittingTechniqueIsReportedAndBeginsNoPass) {
    RecordingGraphics rig({}, shaderModel1);
    auto effect = make("x.fx", kTechniques, "tech_x");
    ASSERT_TRUE(effect->getEffect());
    EXPECT_EQ(rig.engine.errors.texts(), std::vector<std::string>{"simShaderEffect - technique not found: tech_x"});
    effect->begin();
    EXPECT_EQ(effect->getPassCount(), 0u);
    effect->beginPass(0);
    effect->endPass();
    effect->end();
    EXPECT_EQ(rig.recorder->count("SetProgram"), 0u);
}

TEST_F(EffectFixture, TheChosenTechniqueGivesItsPassCountAndJoinsTheEffectList) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    effect->begin();
    EXPECT_EQ(effect->getPassCount(), 1u);
    effect->end();
    ASSERT_EQ(simShaderEffect::getEffects().size(), 1u);
    EXPECT_EQ(simShaderEffect::getEffects().front(), effect.get());
    effect.reset();
    EXPECT_TRUE(simShaderEffect::getEffects().empty());
}

TEST_F(EffectFixture, AnEffectThatCannotBeMadeIsReportedAndDoesNothing) {
    RecordingGraphics rig;
    struct Case {
        const char* text;
        const char* report;
    };
    const Case cases[] = {
        {"not an effect", "simShaderEffect - creation failed: bad.fx = D3DXERR_INVALIDDATA\n"
                          "line 1: the file does not start with \"@effect 1\""},
        {nullptr, "simShaderEffect - creation failed: missing.fx = D3DERR_NOTFOUND\ncannot read "},
    };
    for (const Case& c : cases) {
        const size_t reports = rig.engine.errors.texts().size();
        auto effect = c.text ? make("bad.fx", c.text, "tech_x")
                             : std::make_unique<simShaderEffect>(nullptr, folder.file("missing.fx"), "tech_x");
        EXPECT_FALSE(effect->getEffect());
        ASSERT_EQ(rig.engine.errors.texts().size(), reports + 1);
        const std::string report = rig.engine.errors.texts().back();
        EXPECT_EQ(report.substr(0, std::string(c.report).size()), c.report);
        effect->begin();
        effect->beginPass(0);
        effect->endPass();
        effect->end();
        EXPECT_EQ(effect->getPassCount(), 0u);
        EXPECT_TRUE(simShaderEffect::getEffects().empty());
    }
    EXPECT_EQ(rig.recorder->count("SetProgram"), 0u);
}

TEST_F(EffectFixture, AShaderTheDeviceRefusesFailsTheWholeEffect) {
    RecordingGraphics rig;
    rig.recorder->failNext(Recorder::Failure::CreateProgram, D3DERR_INVALIDCALL);
    auto effect = make("x.fx", kTechniques, "tech_x");
    EXPECT_FALSE(effect->getEffect());
    ASSERT_EQ(rig.engine.errors.texts().size(), 1u);
    EXPECT_EQ(rig.engine.errors.texts()[0].rfind("simShaderEffect - creation failed: x.fx = D3DERR_INVALIDCALL\n", 0),
              0u);
}

TEST_F(EffectFixture, ValuesPersistAndOnlyChangesAreUploadedAgain) {
    sys::ManualClock clock(1000.0);
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    effect->begin();
    effect->beginPass(0);
    const size_t first = rig.recorder->count("SetProgramUniform");
    EXPECT_GT(first, 0u);
    effect->endPass();
    effect->end();
    // The same state again: nothing to upload.
    effect->begin();
    effect->beginPass(0);
    EXPECT_EQ(rig.recorder->count("SetProgramUniform"), first);
    effect->endPass();
    effect->end();
    // The time moved: its one uniform goes up.
    clock.advance(16.0);
    effect->begin();
    effect->beginPass(0);
    EXPECT_EQ(rig.recorder->count("SetProgramUniform"), first + 1);
    effect->endPass();
    effect->end();
}

TEST_F(EffectFixture, PassStatesAreSetByThePassAndPutBackAtTheEnd) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    rig.device().SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    rig.device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    effect->begin();
    effect->beginPass(0);
    uint32_t blend = 0, source = 0;
    rig.device().GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    rig.device().GetRenderState(D3DRS_SRCBLEND, &source);
    EXPECT_EQ(blend, 1u);
    EXPECT_EQ(source, uint32_t{D3DBLEND_SRCALPHA});
    effect->endPass();
    effect->end();
    rig.device().GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    rig.device().GetRenderState(D3DRS_SRCBLEND, &source);
    EXPECT_EQ(blend, 0u);
    EXPECT_EQ(source, uint32_t{D3DBLEND_ONE});
    EXPECT_FALSE(rig.device().state().program);
}

TEST_F(EffectFixture, DeviceLossCallsTheLostAndResetOperationsOnceEach) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    effect->onDeviceReset();
    effect->onDeviceReset();
    EXPECT_EQ(effect->getEffect()->lostCount(), 1u);
    effect->onDeviceRestore();
    EXPECT_EQ(effect->getEffect()->resetCount(), 1u);
    effect->onDeviceReset();
    EXPECT_EQ(effect->getEffect()->lostCount(), 2u);
    // Through the renderer's protocol: the effect is on its list.
    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();
    rig.graphics().renderFrameDefault();
    EXPECT_TRUE(rig.state().isValid()) << rig.engine.log();
    EXPECT_GE(effect->getEffect()->resetCount(), 2u);
    effect->begin();
    EXPECT_EQ(effect->getPassCount(), 1u);
    effect->end();
}

}  // namespace

namespace {

TEST_F(EffectFixture, AnEffectLetGoAfterTheGraphicsSystemReleasesNothing) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    effect->begin();
    rig.destroyGraphics();
    effect.reset();
    EXPECT_TRUE(simShaderEffect::getEffects().empty());
}

}  // namespace

namespace {

TEST_F(EffectFixture, ATextureReleasedSinceItWasSetIsNotBoundAgain) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    TextureHandle texture;
    ASSERT_EQ(rig.device().CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    effect->getEffect()->setTexture("shader_texture_shadowmap", texture);
    effect->getEffect()->setTexture("not_a_contract_sampler", texture);
    // The compiled effect alone: beginning the engine's effect would bind the
    // cache's (empty) shadow-map slot over the parameter.
    simShaderEffectCompiled& compiled = *effect->getEffect();
    uint32_t passes = 0;
    compiled.begin(&passes, 0);
    compiled.beginPass(0);
    TextureHandle bound;
    rig.device().GetTexture(2, &bound);
    EXPECT_EQ(bound, texture);
    compiled.endPass();
    compiled.end();
    rig.device().Release(texture);
    rig.recorder->clear();
    compiled.begin(&passes, 0);
    compiled.beginPass(0);
    compiled.endPass();
    compiled.end();
    EXPECT_EQ(rig.recorder->count("SetTexture"), 0u);
    EXPECT_EQ(rig.engine.log().find("stale"), std::string::npos);
}

}  // namespace

namespace {

// The effect's samplers follow the cache's slots, an empty slot included: a
// batch without a texture drawn after a textured one reads no texture, and
// after the effect the device's stages hold what the cache says they hold.
TEST_F(EffectFixture, SamplersFollowTheCacheSlotsEmptyOnesIncluded) {
    RecordingGraphics rig;
    auto effect = make("x.fx", kTechniques, "tech_x");
    TextureHandle paint, shadow;
    ASSERT_EQ(rig.device().CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &paint), D3D_OK);
    ASSERT_EQ(rig.device().CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &shadow), D3D_OK);
    graphicstest::FakeTexture paintTexture(paint, {}), shadowTexture(shadow, {});
    const auto draw = [&] {
        effect->begin();
        effect->beginPass(0);
        effect->endPass();
        effect->end();
    };
    const auto stage = [&](uint32_t index) {
        TextureHandle bound;
        rig.device().GetTexture(index, &bound);
        return bound;
    };

    rig.state().setState(simRenderState_texture0, &paintTexture);
    rig.state().setState(simRenderState_texture2, &shadowTexture);
    draw();
    EXPECT_EQ(stage(0), paint);
    EXPECT_EQ(stage(2), shadow);

    rig.state().setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
    draw();
    EXPECT_EQ(stage(0), TextureHandle{});  // not the paint of the batch before
    EXPECT_EQ(stage(2), shadow);

    // The cache's "none" and the device agree: setting the paint again binds it.
    rig.recorder->clear();
    rig.state().setState(simRenderState_texture0, &paintTexture);
    EXPECT_EQ(rig.recorder->count("SetTexture"), 1u);
    EXPECT_EQ(stage(0), paint);
}

}  // namespace
