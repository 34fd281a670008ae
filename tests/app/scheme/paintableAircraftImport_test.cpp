// The sample aircraft users paint, imported as a new scheme imports them:
// every painted part is closed, so every paint triangle finds a neighbour
// across each of its three edges, the seams of the paint texture included
// (no crack stops a brush stroke), no triangle is degenerate, and every
// corner of every part is a real place (no NaN from the lofting).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/wholeFile.h"

namespace {

struct Sample {
    const char* folder;
    const char* name;
};

const Sample kSamples[] = {
    {"fixedWing/trainers/kestrel", "kestrel"},
    {"gliders/sailplanes/heron", "heron"},
    {"helicopters/trainers/hornet", "hornet"},
};

using testsupport::fileBytes;

void paintRanges(const tbGeometryObject& object, std::vector<std::pair<uint32_t, uint32_t>>& out) {
    for (const auto& part : object.meshParts)
        if (part->material && part->material->paintFlag) out.push_back({part->firstVertex, part->endVertex});
    for (const auto& child : object.children) paintRanges(*child, out);
}

class PaintableAircraftImport : public ::testing::TestWithParam<Sample> {};

TEST_P(PaintableAircraftImport, EveryPaintTriangleHasANeighbourAcrossEachEdge) {
    const Sample& s = GetParam();
    testsupport::RecordingGraphics rig;
    ASSERT_TRUE(rig.complete()) << rig.engine.log();
    std::vector<std::string> boxes;
    const tbErrorBoxSink previous = tbSetErrorBoxSink(
        [&](const std::string& title, const std::string& text) { boxes.push_back(title + " / " + text); });
    testsupport::ModelResources res(rig.engine);
    g_resources->setCollection("currentProject");
    const std::string folder = std::string("objects/aircraft/") + s.folder + "/";
    const std::string source = std::string(TOLVANE_SOURCE_DIR) + "/resources/" + folder;
    for (const std::string& file : {std::string(s.name) + ".geo", std::string(s.name) + ".png",
                                   std::string("canopyGlass.png")})
        res.write(folder + file, fileBytes(source + file));

    auto model = std::make_unique<tbGeometry>(nullptr);
    ASSERT_TRUE(model->import(res.root() + "/" + folder + s.name + ".geo")) << rig.engine.log();
    EXPECT_TRUE(boxes.empty());
    ASSERT_NE(model->getTextureMap(), nullptr);

    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    for (const auto& root : model->roots) paintRanges(*root, ranges);
    size_t paint = 0, seamEdges = 0, open = 0, degenerate = 0;
    for (const auto& [first, end] : ranges) {
        for (uint32_t v = first; v + 2 < end; v += 3) {
            const tbTriangle& t = *model->triangles[v / 3];
            ++paint;
            open += t.edgeNeighbours.size() != 3;
            degenerate += t.degenerate;
            for (uint8_t flag : t.edgeFlags) seamEdges += flag;
        }
    }
    EXPECT_GT(paint, 3000u);
    EXPECT_EQ(open, 0u) << "paint triangles without a neighbour across every edge";
    EXPECT_EQ(degenerate, 0u);
    // The seams are there (leading edges, top and bottom lines, tips) and
    // were crossed above.
    EXPECT_GT(seamEdges, 100u);
    size_t notFinite = 0;
    for (const auto& t : model->triangles)
        for (const d3dx::Vector3& p : t->positions)
            notFinite += !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z);
    EXPECT_EQ(notFinite, 0u) << "corners of the model with a coordinate that is not a number";
    model.reset();
    tbSetErrorBoxSink(previous);
}

INSTANTIATE_TEST_SUITE_P(Samples, PaintableAircraftImport, ::testing::ValuesIn(kSamples),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
