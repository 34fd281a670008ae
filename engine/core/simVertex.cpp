#include "engine/core/simVertex.h"

#include "platform/sys/binaryRecords.h"

namespace {

// The file form as fields: 12 floats, then the colour.
struct VertexFields {
    float floats[12];  // position, normal, six UV floats
    uint32_t colour;
};

}  // namespace

bool simVertex::read(FILE* file) {
    VertexFields f;
    if (!sys::readFields(file, f.floats) || !sys::readU32(file, f.colour)) return false;
    position = {f.floats[0], f.floats[1], f.floats[2]};
    normal = {f.floats[3], f.floats[4], f.floats[5]};
    for (int i = 0; i < 3; ++i) uv[i] = {f.floats[6 + 2 * i], f.floats[7 + 2 * i]};
    colour = f.colour;
    return true;
}

bool simVertex::write(FILE* file) const {
    const float floats[12] = {position.x, position.y, position.z, normal.x, normal.y, normal.z,
                              uv[0].x, uv[0].y, uv[1].x, uv[1].y, uv[2].x, uv[2].y};
    return sys::writeFields(file, floats) && sys::writeU32(file, colour);
}
