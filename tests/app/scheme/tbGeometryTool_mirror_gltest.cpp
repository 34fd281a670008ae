// The mirror tool on the OpenGL device: a symmetric model made through the
// .geo writer, its picture a pattern of distinct texels. Each direction
// copies every matched triangle's texels onto the mirrored texels and leaves
// the rest of the picture alone; the bar's button shows its progress box and
// ends with one undo step that gives the picture back exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_mirror.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbMirrorMatch.h"
#include "app/shell/tbProgress.h"
#include "tests/app/scheme/mirrorModels.h"
#include "tests/app/scheme/schemeOnGl.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

constexpr uint32_t kSize = 64;

// A progress box that remembers what it was shown.
struct ProgressLog {
    std::vector<std::string> titles, texts;
    std::vector<int> positions;
    int open = 0;
};
class LoggedBox : public tbProgressBox {
public:
    explicit LoggedBox(ProgressLog& log) : m_log(log) { ++m_log.open; }
    ~LoggedBox() override { --m_log.open; }
    void setPosition(int percent) override { m_log.positions.push_back(percent); }

private:
    ProgressLog& m_log;
};

// Where a texel point lies in a triangle of texel points: its three
// barycentric weights.
void weightsOf(const d3dx::Vector2 t[3], const d3dx::Vector2& p, float w[3]) {
    const float det = (t[1].y - t[2].y) * (t[0].x - t[2].x) + (t[2].x - t[1].x) * (t[0].y - t[2].y);
    w[0] = ((t[1].y - t[2].y) * (p.x - t[2].x) + (t[2].x - t[1].x) * (p.y - t[2].y)) / det;
    w[1] = ((t[2].y - t[0].y) * (p.x - t[2].x) + (t[0].x - t[2].x) * (p.y - t[2].y)) / det;
    w[2] = 1.0f - w[0] - w[1];
}

class MirrorOnGl : public test::SchemeOnGl {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(test::SchemeOnGl::SetUp());
        ASSERT_NO_FATAL_FAILURE(open("tube", test::symmetricBody(16, 8), imagesamples::pattern(kSize, kSize, false)));
        original = paint();
    }
    tbProgress progressBox() {
        return tbProgress([this](const std::string& title, const std::string& text) {
            log.titles.push_back(title);
            log.texts.push_back(text);
            return std::make_unique<LoggedBox>(log);
        });
    }

    std::vector<uint32_t> original;
    ProgressLog log;
};

// For each direction, every pixel whose centre lies inside a copied
// triangle takes the texel its mirror image reads (on this model the
// mirrored column, 63 - x), every pixel clear of the copied triangles keeps
// its own; the button's undo step gives the whole picture back.
TEST_F(MirrorOnGl, EachDirectionCopiesTheMirroredTexelsAndUndoesInOneStep) {
    std::vector<tbTriangle*> work;
    for (const auto& root : model->roots) root->collectTriangles(true, work);
    ASSERT_EQ(work.size(), model->triangles.size());
    for (const int32_t direction : {tbGeometryTool_mirror::kMinusToPlus, tbGeometryTool_mirror::kPlusToMinus}) {
        SCOPED_TRACE(direction);
        const std::vector<tbMirrorCopy> copies = tbMatchMirror(work, direction);
        ASSERT_GT(copies.size(), work.size() / 3);
        tbProgress progress = progressBox();
        tbGeometryTool_mirror::apply(model, direction, progress);
        const std::vector<uint32_t> mirrored = paint();
        testsupport::writePicture(mirrored, kSize, kSize, "tube_mirrored" + std::to_string(direction) + ".png");

        size_t copied = 0, kept = 0, onWrittenSide = 0;
        for (uint32_t y = 0; y < kSize; ++y) {
            for (uint32_t x = 0; x < kSize; ++x) {
                const d3dx::Vector2 centre{float(x) + 0.5f, float(y) + 0.5f};
                bool inside = false, nearEdge = false;
                d3dx::Vector2 source;
                for (const tbMirrorCopy& copy : copies) {
                    d3dx::Vector2 texels[3];
                    for (int k = 0; k < 3; ++k) texels[k] = copy.target->uvs[k] * float(kSize);
                    float w[3];
                    weightsOf(texels, centre, w);
                    const float least = std::min({w[0], w[1], w[2]});
                    if (least > 1e-3f) {
                        inside = true;
                        source = (copy.sourceUvs[0] * w[0] + copy.sourceUvs[1] * w[1] + copy.sourceUvs[2] * w[2]) *
                                 float(kSize);
                    } else if (least > -1e-3f) {
                        nearEdge = true;
                    }
                }
                const uint32_t got = mirrored[y * kSize + x];
                if (inside) {
                    const uint32_t sx = uint32_t(source.x), sy = uint32_t(source.y);
                    // The model's halves are mapped onto mirrored halves of the picture.
                    ASSERT_EQ(sx, kSize - 1 - x) << x << ", " << y;
                    ASSERT_EQ(sy, y);
                    ASSERT_EQ(got, original[sy * kSize + sx]) << x << ", " << y;
                    ++copied;
                    const bool leftHalf = x < kSize / 2;
                    onWrittenSide += direction == tbGeometryTool_mirror::kMinusToPlus ? leftHalf : !leftHalf;
                } else if (!nearEdge) {
                    ASSERT_EQ(got, original[y * kSize + x]) << x << ", " << y;
                    ++kept;
                }
            }
        }
        // The whole written half but the column of triangles on the seam,
        // which maps onto (nearly) its own texels and is left alone.
        EXPECT_GT(copied, kSize * kSize * 3 / 8);
        EXPECT_EQ(onWrittenSide, copied);
        EXPECT_GE(kept, kSize * kSize / 2);

        EXPECT_EQ(log.titles, std::vector<std::string>{"Mirroring texture"});
        EXPECT_EQ(log.texts[0], tbGeometryTool_mirror::kProgressText);
        EXPECT_EQ(log.open, 0);
        // The matching runs up to 95, the drawing ends at 100.
        ASSERT_GE(log.positions.size(), 2u);
        EXPECT_TRUE(std::is_sorted(log.positions.begin(), log.positions.end()));
        EXPECT_GE(log.positions[log.positions.size() - 2], 94);
        EXPECT_LE(log.positions[log.positions.size() - 2], 95);
        EXPECT_EQ(log.positions.back(), 100);
        log = ProgressLog{};

        ASSERT_EQ(model->getUndo().count(), 1u);
        model->getUndo().undo();
        EXPECT_EQ(paint(), original);
    }
}

// Without a model the button does nothing: no box, no step.
TEST_F(MirrorOnGl, TheButtonWithoutAModelDoesNothing) {
    tbProgress progress = progressBox();
    tbGeometryTool_mirror::apply(nullptr, 0, progress);
    EXPECT_TRUE(log.titles.empty());
    EXPECT_EQ(model->getUndo().count(), 0u);
}

}  // namespace
