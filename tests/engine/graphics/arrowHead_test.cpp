// The arrow head: two screen lines back from the projected tip, collected in
// a batch or drawn at once.
#include <gtest/gtest.h>

#include <vector>

#include "engine/core/simColour.h"
#include "tests/support/recordingGraphics.h"

using testsupport::RecordingGraphics;

namespace {

TEST(ArrowHead, TwoLinesBackFromTheProjectedTip) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    // Identity transforms: x -1..1 spans the 800 pixels, y 1..-1 the 600.
    for (uint32_t which = 0; which < 3; ++which) rig.renderer().setTransform(which, nullptr);
    simColour colour;
    colour.set(255, 10, 20, 30);
    std::vector<simScreenLine> batch;
    rig.renderer().drawArrowHead({0.0f, 0.0f, 0.5f}, {0.5f, 0.0f, 0.5f}, 10.0f, colour, &batch);
    ASSERT_EQ(batch.size(), 2u);
    EXPECT_EQ(batch[0].p0, d3dx::Vector2(600, 300));
    EXPECT_EQ(batch[0].p1, d3dx::Vector2(590, 310));
    EXPECT_EQ(batch[1].p1, d3dx::Vector2(590, 290));
    EXPECT_EQ(batch[0].colour0, 0xFF0A141Eu);

    // Seen end-on, the arrow has no direction on the screen: nothing.
    batch.clear();
    rig.renderer().drawArrowHead({0.2f, 0.2f, 0.2f}, {0.2f, 0.2f, 0.6f}, 10.0f, colour, &batch);
    EXPECT_TRUE(batch.empty());

    // Without a batch the lines are drawn at once.
    rig.renderer().beginScene(false, false, false);
    rig.recorder->clear();
    rig.renderer().drawArrowHead({0.0f, 0.0f, 0.5f}, {0.5f, 0.0f, 0.5f}, 10.0f, colour);
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 2u) << rig.recorder->text();
    rig.renderer().endScene(false, nullptr);
}

}  // namespace
