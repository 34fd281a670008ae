// The sample trainer users paint, drawn by the engine in a whole frame: its
// picture against a golden image, and, seen from behind, the pilot's left
// wing (marked red in a copy of the model) on the viewer's left.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/graphics/geoFile.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/engine/graphics/wholeFrameRig.h"
#include "tests/support/goldenImage.h"

namespace {

using d3dx::Vector3;
using wholeframe::kHeight;
using wholeframe::kSky;
using wholeframe::kWidth;

const char* const kFolder = "objects/aircraft/fixedWing/trainers/kestrel";

class PaintableAircraftFrame : public wholeframe::WholeFrame {
protected:
    void lookFrom(const simBoundingBox& box, Vector3 direction) {
        d3dx::Vec3Normalize(&direction, &direction);
        look(box.centre + direction * (box.radius * 1.45f), box.centre, {0, 1, 0});
    }
};

TEST_F(PaintableAircraftFrame, TheTrainerMatchesItsGoldenImage) {
    simGeometry* trainer = loadModel(kFolder, "kestrel.geo");
    ASSERT_NE(trainer, nullptr) << engine->log();
    show(trainer, "kestrel");
    lookFrom(trainer->getBoundingBox(), {1.0f, 0.8f, 1.3f});
    frames();
    const std::vector<uint32_t> picture = pixels();
    const auto covered = std::count_if(picture.begin(), picture.end(), [](uint32_t c) { return c != kSky; });
    EXPECT_GT(covered, long(picture.size() / 20));
    EXPECT_TRUE(testsupport::matchesGolden(picture, kWidth, kHeight,
                                           "tests/engine/graphics/golden/kestrel_threeQuarterAbove.png"));
}

// The wing's first batch is the pilot's left half: drawn in an untextured
// red material, it shows left of the picture's middle seen from behind.
TEST_F(PaintableAircraftFrame, ThePilotsLeftWingIsOnTheViewersLeftFromBehind) {
    std::ifstream in(std::string(TOLVANE_SOURCE_DIR) + "/resources/" + kFolder + "/kestrel.geo", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    geoFileData geo;
    std::string error;
    ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), geo, error)) << error;
    for (geoFileMaterial& m : geo.materials) m.textures.clear();
    geo.materials.push_back(wholeframe::material("marker", "none", {1, 0, 0}));
    geo.materials.back().emissive = {1, 0, 0};
    const int32_t marker = int32_t(geo.materials.size() - 1);
    bool marked = false;
    for (geoFileNode& part : geo.roots[0].children) {
        if (part.name != "wing") continue;
        geoFileLayer left = part.layers[0];
        left.materialIndex = marker;
        left.batches.resize(1);
        part.layers[0].batches.erase(part.layers[0].batches.begin());
        part.layers.push_back(left);
        marked = true;
    }
    ASSERT_TRUE(marked);
    simGeometry* trainer = writeModel("marked.geo", geo);
    show(trainer, "marked");
    lookFrom(trainer->getBoundingBox(), {0, 0.25f, -1});
    frames();
    const std::vector<uint32_t> picture = pixels();
    long left = 0, right = 0;
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            const uint32_t c = picture[size_t(y) * kWidth + x];
            const bool red = ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) < 80 && (c & 0xFF) < 80;
            (x < kWidth / 2 ? left : right) += red;
        }
    EXPECT_TRUE(testsupport::matchesGolden(picture, kWidth, kHeight,
                                           "tests/engine/graphics/golden/kestrel_behindLeftMarked.png"));
    EXPECT_GT(left, 300);
    EXPECT_EQ(right, 0) << "the pilot's left wing shows on the viewer's right";
}

}  // namespace
