#include "engine/graphics/simArcOrientation.h"

#include "platform/d3dx/d3dxMath.h"

d3dx::Matrix arcOrientation(const d3dx::Vector3* facing, const d3dx::Matrix* matrix, const d3dx::Vector3& up,
                            const d3dx::Vector3& forward) {
    d3dx::Matrix turn = d3dx::Matrix::identity();
    if (facing) {
        const d3dx::Vector3 origin(0, 0, 0);
        d3dx::Vector3 side;
        d3dx::Vec3Cross(&side, &up, facing);
        const d3dx::Vector3& lookUp = d3dx::Vec3LengthSq(&side) > 1e-8f ? up : forward;
        d3dx::Matrix look;
        d3dx::MatrixLookAtLH(&look, &origin, facing, &lookUp);
        d3dx::MatrixInverse(&turn, nullptr, &look);
    }
    if (matrix) d3dx::MatrixMultiply(&turn, &turn, matrix);
    return turn;
}
