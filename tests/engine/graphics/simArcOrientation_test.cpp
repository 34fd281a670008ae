#include "engine/graphics/simArcOrientation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3dx/d3dxMath.h"

namespace {

using d3dx::Matrix;
using d3dx::Vector3;

// The largest |component| along `axis` of a unit circle turned by `turn`.
float spreadAlong(const Matrix& turn, const Vector3& axis) {
    float most = 0;
    for (int i = 0; i < 16; ++i) {
        const float a = static_cast<float>(i) / 16.0f * 6.283f;
        Vector3 p(std::sin(a), std::cos(a), 0);
        d3dx::Vec3TransformCoord(&p, &p, &turn);
        most = std::max(most, std::fabs(d3dx::Vec3Dot(&p, &axis)));
    }
    return most;
}

}  // namespace

// A circle facing an axis lies flat across it, whichever axis it is, even the
// viewer's own up direction (the y ring of a level camera).
TEST(ArcOrientation, ACircleLiesAcrossTheDirectionItFaces) {
    const Vector3 up(0, 1, 0), forward(0, 0, 1);
    const Vector3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (const Vector3& facing : axes) {
        const Matrix turn = arcOrientation(&facing, nullptr, up, forward);
        EXPECT_NEAR(spreadAlong(turn, facing), 0.0f, 1e-5f) << facing.x << facing.y << facing.z;
        for (const Vector3& other : axes) {
            if (other == facing) continue;
            EXPECT_NEAR(spreadAlong(turn, other), 1.0f, 1e-3f);
        }
    }
}

TEST(ArcOrientation, AMatrixMovesTheTurnedCircle) {
    const Vector3 up(0, 1, 0), forward(0, 0, 1), facing(0, 1, 0);
    Matrix move;
    d3dx::MatrixTranslation(&move, 5, 0, 0);
    const Matrix turn = arcOrientation(&facing, &move, up, forward);
    Vector3 centre(0, 0, 0);
    d3dx::Vec3TransformCoord(&centre, &centre, &turn);
    EXPECT_NEAR(centre.x, 5.0f, 1e-5f);
    const Matrix none = arcOrientation(nullptr, nullptr, up, forward);
    EXPECT_EQ(none, Matrix::identity());
}
