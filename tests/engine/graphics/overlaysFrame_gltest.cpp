// Overlays and particles through the engine's whole frame on EGL, two
// frames each: untextured drawing after a model that an effect drew with a
// texture keeps its exact colour; each of the program's particle types puts
// soft-edged pixels on the screen; a picture on an oriented square reads the
// right way round from the side it faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/graphics/simParticle.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simParticleType.h"
#include "platform/sys/clock.h"
#include "tests/engine/graphics/wholeFrameRig.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

using d3dx::Vector3;
using wholeframe::kHeight;
using wholeframe::kSky;
using wholeframe::kWidth;

namespace {

// The sum of the channel differences of two colours.
int distance(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift : {16, 8, 0}) sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return sum;
}

class OverlaysFrame : public wholeframe::WholeFrame {
protected:
    void TearDown() override {
        WholeFrame::TearDown();
        wholeframe::FrameGraphics::afterScene = nullptr;
    }
    // Two frames, 16 ms apart on the test clock.
    void clockedFrames() {
        for (int i = 0; i < 2; ++i) {
            clock.advance(16.0);
            frames(1);
        }
    }
    sys::ManualClock clock{5000.0};
};

// A magenta-painted square facing the camera and, drawn after it, a small
// untextured grey one: the model ends on a batch whose slot 0 is empty, as
// models with bare parts do.
geoFileData paintedSquare() {
    geoFileData geo;
    geo.materials = {wholeframe::material("paint", "overlayPaint.bmp", {1, 1, 1}),
                     wholeframe::material("bare", "none", {0.5f, 0.5f, 0.5f})};
    geo.box = {{-3, -3, 0}, {3, 3, 0.2f}};
    wholeframe::quad(geo.vertices, {-3, -3, 0}, {6, 0, 0}, {0, 6, 0}, {0, 0, 1});
    wholeframe::quad(geo.vertices, {2, 2, 0.1f}, {0.5f, 0, 0}, {0, 0.5f, 0}, {0, 0, 1});
    geoFileNode node;
    node.name = "square";
    node.box = geo.box;
    node.layers = {{geo.box, 0, {}, {{geo.box, 0, 6}}}, {geo.box, 1, {}, {{geo.box, 6, 12}}}};
    geo.roots = {node};
    return geo;
}

TEST_F(OverlaysFrame, UntexturedDrawingAfterAnEffectDrawnModelKeepsItsColour) {
    writeTexture("overlayPaint.bmp", imagesamples::bmp24(imagesamples::solid(4, 4, 0xFFFF00FFu)));
    show(writeModel("square.geo", paintedSquare()), "square");
    look({0, 0, 8}, {0, 0, 0});
    wholeframe::FrameGraphics::afterScene = [] {
        simRenderer* r = g_graphics->getRenderer();
        r->drawRect({140, 100}, {180, 140}, 0xFF20C040u, nullptr);
        r->drawLine2D({100, 60}, {220, 60}, 0xFF2040C0u, nullptr);
    };
    clockedFrames();
    const std::vector<uint32_t> picture = pixels();
    testsupport::writePicture(picture, kWidth, kHeight, "overlay_after_model.png");
    EXPECT_EQ(at(picture, 160, 120), 0xFF20C040u);  // over the painted model
    EXPECT_EQ(at(picture, 160, 60), 0xFF2040C0u);
}

TEST_F(OverlaysFrame, EachOfTheProgramsParticleTypesDrawsSoftEdges) {
    const char* const types[] = {"spark.prt", "smoke.prt", "dust.prt", "groundSplash.prt"};
    look({0, 1.2f, 3}, {0, 0, 0});
    for (const char* name : types) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(g_resources->findResource(g_resources->getGlobalResources(), "tolvaneBuilder/particles", name, "",
                                              true, true, simRootKind_resources));
        auto* type = dynamic_cast<simParticleType*>(simResources::getResource(name, false));
        ASSERT_NE(type, nullptr);
        EXPECT_FALSE(type->textures.empty());
        simParticle* particle = createParticle(type, Vector3(0, 0, 0), Vector3(0, 0, 0));
        ASSERT_NE(particle, nullptr);
        clockedFrames();
        const std::vector<uint32_t> picture = pixels();
        testsupport::writePicture(picture, kWidth, kHeight, std::string("particle_") + name + ".png");
        // Pixels on the screen, fading from the most changed one towards the
        // edge over several pixels (a hard disc drops at once).
        std::vector<int> change;
        for (uint32_t c : picture) change.push_back(distance(c, kSky));
        const auto peakAt = size_t(std::max_element(change.begin(), change.end()) - change.begin());
        const int peak = change[peakAt];
        EXPECT_GT(peak, 8);
        const uint32_t row = uint32_t(peakAt / kWidth);
        int fading = 0;
        for (uint32_t x = uint32_t(peakAt % kWidth); x < kWidth; ++x) {
            const int d = change[size_t(row) * kWidth + x];
            if (d * 10 < peak) break;
            if (d * 10 < peak * 8) ++fading;
        }
        EXPECT_GE(fading, 3) << "a hard edge: peak " << peak;
        particle->safeDelete();
        engine->app().purgeSafeDeleteObjects(false);
    }
}

TEST_F(OverlaysFrame, APictureOnAnOrientedSquareReadsTheRightWayRound) {
    // Quadrants: red top left, green top right, blue bottom left, white bottom right.
    d3dx::Bitmap picture(8, 8);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            picture.at(x, y) = y < 4 ? (x < 4 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 4 ? 0xFF0000FFu : 0xFFFFFFFFu);
    writeTexture("quadrants.bmp", imagesamples::bmp24(picture));
    auto* texture = dynamic_cast<simTexture*>(simResources::getResource("quadrants.bmp", false));
    ASSERT_NE(texture, nullptr);
    // Seen from its side from three directions: ahead, from the right and from above.
    struct View {
        Vector3 facing, eye, up;
    };
    const View views[] = {{{0, 0, 1}, {0, 0, 8}, {0, 1, 0}},
                          {{1, 0, 0}, {8, 0, 0}, {0, 1, 0}},
                          {{0.3f, 0.2f, 1}, {2.4f, 1.6f, 8}, {0, 1, 0}}};
    for (const View& view : views) {
        look(view.eye, {0, 0, 0}, view.up);
        wholeframe::FrameGraphics::afterScene = [texture, facing = view.facing] {
            g_graphics->getRenderer()->drawOrientedQuad3D({0, 0, 0}, facing, 2.0f, 0xFFFFFFFFu, texture);
        };
        clockedFrames();
        const std::vector<uint32_t> p = pixels();
        testsupport::writePicture(p, kWidth, kHeight, "oriented_square.png");
        const uint32_t cx = kWidth / 2, cy = kHeight / 2;
        EXPECT_EQ(at(p, cx - 20, cy - 20) & 0xFFFFFF, 0xFF0000u) << std::hex << at(p, cx - 20, cy - 20);
        EXPECT_EQ(at(p, cx + 20, cy - 20) & 0xFFFFFF, 0x00FF00u) << std::hex << at(p, cx + 20, cy - 20);
        EXPECT_EQ(at(p, cx - 20, cy + 20) & 0xFFFFFF, 0x0000FFu) << std::hex << at(p, cx - 20, cy + 20);
        EXPECT_EQ(at(p, cx + 20, cy + 20) & 0xFFFFFF, 0xFFFFFFu) << std::hex << at(p, cx + 20, cy + 20);
    }
}

}  // namespace
