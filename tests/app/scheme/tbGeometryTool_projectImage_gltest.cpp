// The image projection on the OpenGL device: a cube whose six faces lie in
// their own cells of a 96 x 64 paint texture (not 1024 square) takes an
// image from each of the six slots at once, each face from its own slot and
// the right way round; the threshold, double-sided switch and the bar's
// "-5" decide which faces a slot reaches; the step is undone whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/scheme/bars/CDlgImageProjectModel.h"
#include "app/scheme/bars/tbSchemeToolBars.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbImageProjection.h"
#include "app/scheme/tbToolSettings.h"
#include "engine/graphics/manipulator.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/app/scheme/schemeOnGl.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

constexpr uint32_t kWidth = 96, kHeight = 64, kCell = 32;
constexpr float kInset = 6.0f;  // texels between a face's picture and its cell's border
// A colour no blend of the image's texels makes.
constexpr uint32_t kGrey = 0xFF203040u;
// The image's quadrants: top left, top right, bottom left, bottom right.
constexpr uint32_t kQuadrants[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};

// Face f of the cube from -1 to 1 looks along slot f's axis; (s, t) in
// -1..1 are its in-plane coordinates.
struct Face {
    d3dx::Vector3 normal, s, t;
    d3dx::Vector3 at(float a, float b) const { return normal + s * a + t * b; }
    // The texel rectangle of the face's picture: cell f % 3, f / 3.
    static d3dx::Vector2 texel(int f, float a, float b) {
        const float side = float(kCell) - 2.0f * kInset;
        return {float(f % 3 * kCell) + kInset + (a + 1.0f) / 2.0f * side,
                float(f / 3 * kCell) + kInset + (b + 1.0f) / 2.0f * side};
    }
};
Face faceOf(int f) {
    const d3dx::Vector3 n = tbGeometryTool_projectImage::direction(f);
    const d3dx::Vector3 s = std::fabs(n.x) > 0.5f ? d3dx::Vector3(0, 0, 1) : d3dx::Vector3(1, 0, 0);
    d3dx::Vector3 t;
    d3dx::Vec3Cross(&t, &n, &s);
    return {n, s, t};
}

std::vector<simVertex> cube() {
    std::vector<simVertex> out;
    for (int f = 0; f < 6; ++f) {
        const Face face = faceOf(f);
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& half : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
            std::array<int, 3> order = half;
            const d3dx::Vector3 p0 = face.at(corners[order[0]][0], corners[order[0]][1]);
            const d3dx::Vector3 e1 = face.at(corners[order[1]][0], corners[order[1]][1]) - p0;
            const d3dx::Vector3 e2 = face.at(corners[order[2]][0], corners[order[2]][1]) - p0;
            d3dx::Vector3 cross;
            d3dx::Vec3Cross(&cross, &e1, &e2);
            if (d3dx::Vec3Dot(&cross, &face.normal) < 0.0f) std::swap(order[1], order[2]);
            for (int k : order) {
                simVertex v;
                v.position = face.at(corners[k][0], corners[k][1]);
                v.normal = face.normal;
                v.colour = 0xFFFFFFFF;
                const d3dx::Vector2 texel = Face::texel(f, corners[k][0], corners[k][1]);
                v.uv[0] = {texel.x / float(kWidth), texel.y / float(kHeight)};
                out.push_back(v);
            }
        }
    }
    return out;
}

d3dx::Bitmap quadrantImage() {
    d3dx::Bitmap image(8, 8);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x) image.pixels[y * 8 + x] = kQuadrants[(y >= 4) * 2 + (x >= 4)];
    return image;
}

// The quadrant the sampler reads at an image coordinate with wrap (0) or
// clamp (1) addressing; -1 near a border between quadrants, where it blends.
int quadrantAt(d3dx::Vector2 uv, uint32_t wrapMode) {
    for (float* c : {&uv.x, &uv.y}) *c = wrapMode == 1 ? std::clamp(*c, 0.0f, 1.0f) : *c - std::floor(*c);
    auto clear = [wrapMode](float c) {
        return std::fabs(c - 0.5f) > 0.15f && (wrapMode == 1 || (c > 0.15f && c < 0.85f));
    };
    if (!clear(uv.x) || !clear(uv.y)) return -1;
    return (uv.y > 0.5f) * 2 + (uv.x > 0.5f);
}

class ProjectionOnGl : public test::SchemeOnGl {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(test::SchemeOnGl::SetUp());
        ASSERT_NO_FATAL_FAILURE(open("box", cube(), imagesamples::solid(kWidth, kHeight, kGrey)));
        imagePath = res->write("projected/quadrants.bmp", imagesamples::bmp24(quadrantImage()));
    }
    tbGeometryTool_projectImage& tool() { return model->projectImageTool(); }
    // Slot `slot` with the image, placed so that the image spans a face.
    void load(int slot, const std::string& threshold, bool doubleSided) {
        model->loadProjectionImage(slot, imagePath);
        ASSERT_NE(tool().image(slot), nullptr);
        tool().gizmo(slot).setScale({1, 1, 1});
        tbProjectionSlotSettings& settings = model->toolSettings.projectionSlots[slot];
        settings.threshold = tbReadThreshold(threshold);
        settings.doubleSided = doubleSided;
        settings.show = 1;
    }
    // Pixels of face f's picture, one texel inside its border (a), or of
    // its cell at least three texels outside it (b).
    template <class Visit>
    void forEachTexel(int f, const Visit& visit) {
        const d3dx::Vector2 lo = Face::texel(f, -1, -1), hi = Face::texel(f, 1, 1);
        for (uint32_t y = f / 3 * kCell; y < (f / 3 + 1) * kCell; ++y)
            for (uint32_t x = f % 3 * kCell; x < (f % 3 + 1) * kCell; ++x) {
                const float cx = float(x) + 0.5f, cy = float(y) + 0.5f;
                const bool inside = cx > lo.x + 1 && cx < hi.x - 1 && cy > lo.y + 1 && cy < hi.y - 1;
                const bool outside = cx < lo.x - 3 || cx > hi.x + 3 || cy < lo.y - 3 || cy > hi.y + 3;
                if (inside || outside)
                    visit(x, y, inside, d3dx::Vector2{(cx - lo.x) / (hi.x - lo.x) * 2 - 1, (cy - lo.y) / (hi.y - lo.y) * 2 - 1});
            }
    }

    std::string imagePath;
};

// All six slots at once: each face shows the image as its own slot's
// projector sees it (the quadrant under each texel found on the CPU from
// the face's point), and nothing lands outside the faces' pictures.
TEST_F(ProjectionOnGl, EachSlotPaintsItsOwnFaceTheRightWayRound) {
    for (int slot = 0; slot < tbGeometryTool_projectImage::kSlots; ++slot) ASSERT_NO_FATAL_FAILURE(load(slot, "50", false));
    model->projectImages();
    const std::vector<uint32_t> picture = paint();
    testsupport::writePicture(picture, kWidth, kHeight, "box_projected.png");
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(f);
        const Face face = faceOf(f);
        const tbProjection projection = tool().projectionOf(f, model->toolSettings.projectionSlots[f]);
        size_t checked = 0;
        forEachTexel(f, [&](uint32_t x, uint32_t y, bool inside, const d3dx::Vector2& st) {
            const uint32_t got = picture[y * kWidth + x];
            if (!inside) {
                ASSERT_EQ(got, kGrey) << x << ", " << y;
                return;
            }
            const int quadrant = quadrantAt(tbImageProjection::imageCoordinate(face.at(st.x, st.y), projection), 0);
            if (quadrant < 0) return;
            ASSERT_EQ(got, kQuadrants[quadrant]) << x << ", " << y;
            ++checked;
        });
        EXPECT_GT(checked, 50u);
    }

    // One undo step gives the grey picture back.
    model->getUndo().push();
    model->getUndo().undo();
    EXPECT_EQ(paint(), std::vector<uint32_t>(size_t(kWidth) * kHeight, kGrey));
}

// An image smaller than the face: wrap repeats it over the rest of the
// face, clamp stretches its edge texels out to the face's border.
TEST_F(ProjectionOnGl, WrapRepeatsTheImageAndClampStretchesItsEdges) {
    constexpr int kSlot = 4;  // +Z
    const Face face = faceOf(kSlot);
    for (const uint32_t wrapMode : {0u, 1u}) {
        SCOPED_TRACE(wrapMode);
        ASSERT_NO_FATAL_FAILURE(load(kSlot, "50", false));
        tool().gizmo(kSlot).setScale({0.4f, 0.4f, 0.4f});
        model->toolSettings.projectionSlots[kSlot].wrapMode = wrapMode;
        model->projectImages();
        const std::vector<uint32_t> picture = paint();
        const tbProjection projection = tool().projectionOf(kSlot, model->toolSettings.projectionSlots[kSlot]);
        size_t checked = 0, outsideTheImage = 0;
        forEachTexel(kSlot, [&](uint32_t x, uint32_t y, bool inside, const d3dx::Vector2& st) {
            if (!inside) return;
            const d3dx::Vector2 uv = tbImageProjection::imageCoordinate(face.at(st.x, st.y), projection);
            const int quadrant = quadrantAt(uv, wrapMode);
            if (quadrant < 0) return;
            ASSERT_EQ(picture[y * kWidth + x], kQuadrants[quadrant]) << x << ", " << y;
            ++checked;
            outsideTheImage += uv.x < 0.0f || uv.x > 1.0f || uv.y < 0.0f || uv.y > 1.0f;
        });
        EXPECT_GT(outsideTheImage, 40u);
        EXPECT_GT(checked, 40u);
        model->getUndo().push();
        model->getUndo().undo();
    }
}

// A saved scheme keeps each slot's image and placement: after opening and
// the bar's showing the file's slots, the slot is where it was (not back at
// its start, as loading its image again would leave it) and projects the
// same picture again.
TEST_F(ProjectionOnGl, ASlotsImageAndPlacementComeBackAfterSaveAndOpen) {
    constexpr int kSlot = 2;  // +Y
    ASSERT_NO_FATAL_FAILURE(load(kSlot, "50", false));
    tool().gizmo(kSlot).setPosition({0.25f, 3.0f, -0.5f});
    tool().gizmo(kSlot).setScale({0.5f, 7.0f, 0.75f});
    tool().gizmo(kSlot).setRotation({0.0f, 0.3f, 0.0f});
    model->toolSettings.projectionSlots[kSlot].imagePath = imagePath;
    model->toolSettings.projectionSlots[kSlot].imageName = "quadrants.bmp";
    model->projectImages();
    const std::vector<uint32_t> painted = paint();
    ASSERT_NE(painted, std::vector<uint32_t>(size_t(kWidth) * kHeight, kGrey));
    const std::string file = res->temp.file("placed.tvp");
    ASSERT_TRUE(project->save(file));

    // Opened as the program opens it: the model reads the file, then the
    // projection bar, bound to it with the program's operations, shows the
    // file's slots.
    project = std::make_unique<tbProject_model>();
    ASSERT_TRUE(project->open(file)) << rig->engine.log();
    model = project->getModel();
    tbToolSettingsBinding binding{[this] { return &model->toolSettings; }};
    bars::ImageProjectModel bar{binding, {[this] { return model; }, {}}, tbImageBarOperations(nullptr), "/"};
    binding.add(&bar);
    binding.afterOpen();
    EXPECT_EQ(bar.slot(kSlot).imageName, "quadrants.bmp");
    EXPECT_NE(tool().image(kSlot), nullptr);
    EXPECT_EQ(tool().image(0), nullptr);
    EXPECT_EQ(tool().positions[kSlot], d3dx::Vector3(0.25f, 3.0f, -0.5f));
    EXPECT_EQ(tool().gizmo(kSlot).getPosition(), d3dx::Vector3(0.25f, 3.0f, -0.5f));
    EXPECT_EQ(tool().sizes[kSlot], d3dx::Vector3(0.5f, 7.0f, 0.75f));
    EXPECT_EQ(tool().rotations[kSlot], d3dx::Vector3(0.0f, 0.3f, 0.0f));
    model->projectImages();
    EXPECT_EQ(paint(), painted);
}

// The +X slot alone: the faces its threshold and sides reach. The bar's
// "-5" is no angle at all (only the faces looking straight along the axis),
// not a huge one that would reach every face.
TEST_F(ProjectionOnGl, TheThresholdAndSidesDecideWhichFacesASlotReaches) {
    const struct {
        const char* threshold;
        bool doubleSided;
        std::array<bool, 6> painted;  // +X, -X, +Y, -Y, +Z, -Z
    } cases[] = {
        {"-5", false, {true, false, false, false, false, false}},
        {"-5", true, {true, true, false, false, false, false}},
        {"50", false, {true, false, false, false, false, false}},
        {"50", true, {true, true, false, false, false, false}},
        {"90", true, {true, true, false, false, false, false}},
        {"100", true, {true, true, true, true, true, true}},
        {"100", false, {true, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.threshold) + (c.doubleSided ? " double-sided" : " one-sided"));
        ASSERT_NO_FATAL_FAILURE(load(0, c.threshold, c.doubleSided));
        model->projectImages();
        const std::vector<uint32_t> picture = paint();
        for (int f = 0; f < 6; ++f) {
            size_t coloured = 0, texels = 0;
            forEachTexel(f, [&](uint32_t x, uint32_t y, bool inside, const d3dx::Vector2&) {
                if (!inside) return;
                ++texels;
                coloured += picture[y * kWidth + x] != kGrey;
            });
            EXPECT_EQ(coloured, c.painted[f] ? texels : 0u) << "face " << f;
        }
        model->getUndo().push();
        model->getUndo().undo();
    }
}

}  // namespace
