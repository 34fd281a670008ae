// Models for the mirror tool's matching, written through the .geo writer,
// and the matching that tries every pair with a projector each: the
// reference the program's grid must agree with, and the baseline it is
// measured against.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbMirrorMatch.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/geoFile.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/app/scheme/schemeModels.h"

namespace test {

// A tube around the z axis, 10 units long, of elliptic section (half widths
// 2 in x, 1.5 in y), `around` quads around and `along` quads along. The right
// half (x >= 0) comes first, mapped to u in [0.5, 1]; then the left half, each
// triangle the exact mirror image of the right half's triangle at the same
// place in its half, wound the other way (corners 0, 2, 1 of its twin) to face
// outwards too, with u = 1 - its twin's u. So every triangle's mirror has
// other UVs, except at the corners on the top line x = 0.
inline std::vector<simVertex> symmetricBody(int around, int along) {
    const int half = around / 2;
    auto corner = [&](int j, int k) {
        // j counts around from the top (0) over the right side to the bottom (half).
        const float angle = 3.14159265f * float(j) / float(half);
        simVertex v;
        v.position = {j == 0 || j == half ? 0.0f : 2.0f * std::sin(angle), 1.5f * std::cos(angle),
                      10.0f * float(k) / float(along)};
        v.normal = {std::sin(angle), std::cos(angle), 0.0f};
        v.colour = 0xFFFFFFFF;
        v.uv[0] = {0.5f + 0.5f * float(j) / float(half), float(k) / float(along)};
        return v;
    };
    std::vector<simVertex> out;
    for (int k = 0; k < along; ++k) {
        for (int j = 0; j < half; ++j) {
            for (auto [cj, ck] : {std::pair{j, k}, {j + 1, k}, {j + 1, k + 1}, {j, k}, {j + 1, k + 1}, {j, k + 1}})
                out.push_back(corner(cj, ck));
        }
    }
    const size_t right = out.size();
    for (size_t i = 0; i < right; i += 3) {
        for (size_t c : {0, 2, 1}) {
            simVertex v = out[i + c];
            v.position.x = -v.position.x;
            v.normal.x = -v.normal.x;
            v.uv[0].x = 1.0f - v.uv[0].x;
            out.push_back(v);
        }
    }
    return out;
}

// The vertices through the .geo writer and reader into a model's triangles.
inline std::unique_ptr<tbGeometry> modelFrom(const std::vector<simVertex>& vertices) {
    const std::vector<uint8_t> file = writeGeoFile(paintableModel("mirror", vertices));
    geoFileData geo;
    std::string error;
    auto model = std::make_unique<tbGeometry>(nullptr);
    if (!readGeoFile(file.data(), file.size(), geo, error)) return model;
    model->vertices = geo.vertices;
    model->buildTriangles();
    return model;
}

inline std::vector<tbTriangle*> everyTriangle(const tbGeometry& model) {
    std::vector<tbTriangle*> out;
    for (const auto& t : model.triangles) out.push_back(t.get());
    return out;
}

// Every written triangle against every source, each pair with the source's
// projector built afresh: translation to the source's centre, a look-at
// along minus its normal with the camera's up (y), an orthographic 100 x 100
// projection with near 0.01 and far 1000, and the depths compared.
inline std::vector<tbMirrorCopy> pairwiseMirror(const std::vector<tbTriangle*>& work, int direction) {
    std::vector<tbMirrorCopy> copies;
    const d3dx::Vector3 eye(0, 0, 0), up(0, 1, 0);
    for (tbTriangle* t : work) {
        if (direction == 0 ? t->centre.x > 0.0f : t->centre.x < 0.0f) continue;
        const d3dx::Vector3 mirroredNormal(-t->faceNormal.x, t->faceNormal.y, t->faceNormal.z);
        const d3dx::Vector3 mirroredCentre(-t->centre.x, t->centre.y, t->centre.z);
        bool matched[3] = {false, false, false};
        d3dx::Vector2 uvs[3];
        for (tbTriangle* s : work) {
            if (direction == 0 ? s->centre.x < 0.0f : s->centre.x > 0.0f) continue;
            d3dx::Matrix move, look, ortho, projector;
            d3dx::MatrixTranslation(&move, -s->centre.x, -s->centre.y, -s->centre.z);
            const d3dx::Vector3 at = -s->faceNormal;
            d3dx::MatrixLookAtLH(&look, &eye, &at, &up);
            d3dx::MatrixOrthoLH(&ortho, 100.0f, 100.0f, 0.01f, 1000.0f);
            d3dx::MatrixMultiply(&projector, &move, &look);
            d3dx::MatrixMultiply(&projector, &projector, &ortho);
            d3dx::Vector3 a, b;
            d3dx::Vec3TransformCoord(&a, &mirroredCentre, &projector);
            d3dx::Vec3TransformCoord(&b, &s->centre, &projector);
            if (std::fabs(a.z - b.z) > 0.0001f) continue;
            const d3dx::Vector3 dn = mirroredNormal - s->faceNormal;
            if (d3dx::Vec3Dot(&dn, &dn) > 0.05f) continue;
            for (int k = 0; k < 3; ++k) {
                const d3dx::Vector3 m(-t->positions[k].x, t->positions[k].y, t->positions[k].z);
                bool found = false;
                for (int c = 0; c < 3 && !found; ++c) {
                    const d3dx::Vector3 d = m - s->positions[c];
                    if (d3dx::Vec3Dot(&d, &d) < 0.01f) {
                        uvs[k] = s->uvs[c];
                        found = true;
                    }
                }
                if (!found && utils::pointInTriangle(m, s->positions[0], s->positions[1], s->positions[2])) {
                    utils::interpolateTriangleUV(m, s->positions[0], s->positions[1], s->positions[2], s->uvs[0],
                                                 s->uvs[1], s->uvs[2], &uvs[k]);
                    found = true;
                }
                matched[k] = matched[k] || found;
            }
        }
        if (!matched[0] || !matched[1] || !matched[2]) continue;
        bool same = true;
        for (int k = 0; k < 3; ++k) {
            const d3dx::Vector2 d = uvs[k] - t->uvs[k];
            same = same && d.x * d.x + d.y * d.y <= 0.005f;
        }
        if (!same) copies.push_back({t, {uvs[0], uvs[1], uvs[2]}});
    }
    return copies;
}

}  // namespace test
