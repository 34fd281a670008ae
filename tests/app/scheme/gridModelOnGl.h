// A flat grid of cells as the model painted on the editor's OpenGL device:
// one paint material, a root object with an optional child holding the
// later rows, a paint texture of a solid grey, the start-up second passed.
// Tests place the mouse and send events through the model's handler, and
// read the paint texture back.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbCamera.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/app/scheme/editorOnGl.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/support/imageSamples.h"

namespace testsupport {

inline constexpr uint32_t kGrey = 0xFF808080u, kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u;

inline simColour colourOf(uint32_t argb) { return simColour::fromARGB(argb); }

// A square grid of cells over a = -1..1 along `ex` and b = -1..1 along `ey`,
// normals `n`, texture coordinates u = (a + 1) / 2 and v = (1 - b) / 2: the
// top row of the picture is b = 1. Triangles wound so that the face normal
// is `faceNormal`.
struct Grid {
    d3dx::Vector3 ex, ey, n, faceNormal;
    int cells = 8;
    d3dx::Vector3 at(float a, float b, const d3dx::Vector3& offset) const { return ex * a + ey * b + offset; }
    static d3dx::Vector2 uvAt(float a, float b) { return {(a + 1.0f) / 2.0f, (1.0f - b) / 2.0f}; }
};

class GridModelOnGl : public ModelOnGl {
protected:

    // The grid as the model: one root object holding the first `rootCells`
    // rows of cells (all when 0), a child holding the rest.
    void build(const Grid& g, uint32_t width, uint32_t height, const d3dx::Vector3& offset = {0, 0, 0},
               int rootRows = 0) {
        model->materials.push_back(std::make_unique<tbMaterial>(model.get(), 0));
        model->materials[0]->paintFlag = 1;
        const float step = 2.0f / float(g.cells);
        for (int row = 0; row < g.cells; ++row)
            for (int col = 0; col < g.cells; ++col) {
                const float a0 = -1.0f + step * float(col), b0 = -1.0f + step * float(row);
                const float c[4][2] = {{a0, b0}, {a0 + step, b0}, {a0 + step, b0 + step}, {a0, b0 + step}};
                static constexpr int kHalves[2][3] = {{0, 1, 2}, {0, 2, 3}};
                for (const auto& half : kHalves) {
                    int order[3] = {half[0], half[1], half[2]};
                    const d3dx::Vector3 p0 = g.at(c[order[0]][0], c[order[0]][1], offset);
                    const d3dx::Vector3 e1 = g.at(c[order[1]][0], c[order[1]][1], offset) - p0;
                    const d3dx::Vector3 e2 = g.at(c[order[2]][0], c[order[2]][1], offset) - p0;
                    d3dx::Vector3 cross;
                    d3dx::Vec3Cross(&cross, &e1, &e2);
                    if (d3dx::Vec3Dot(&cross, &g.faceNormal) < 0.0f) std::swap(order[1], order[2]);
                    for (int k : order) {
                        simVertex v;
                        v.position = g.at(c[k][0], c[k][1], offset);
                        v.normal = g.n;
                        v.uv[0] = Grid::uvAt(c[k][0], c[k][1]);
                        model->vertices.push_back(v);
                    }
                }
            }
        model->buildTriangles();
        const uint32_t split = rootRows > 0 ? uint32_t(rootRows * g.cells * 6) : uint32_t(model->vertices.size());
        auto root = std::make_unique<tbGeometryObject>(model.get());
        addPart(*root, 0, split);
        if (split < model->vertices.size()) {
            auto child = std::make_unique<tbGeometryObject>(model.get());
            addPart(*child, split, uint32_t(model->vertices.size()));
            root->children.push_back(std::move(child));
        }
        model->roots.push_back(std::move(root));
        for (const simVertex& v : model->vertices) model->box.growByPoint(v.position);
        model->box.update();
        auto map = std::make_unique<tbTextureMap>(model.get());
        ASSERT_TRUE(map->open(width, height, imagesamples::bmp24(imagesamples::solid(width, height, kGrey))));
        model->setTextureMap(std::move(map));
        model->stopwatch.setElapsed(5000.0);
    }
    void addPart(tbGeometryObject& object, uint32_t first, uint32_t end) {
        auto part = std::make_unique<tbMeshPart>(&object);
        part->material = model->materials[0].get();
        part->firstVertex = first;
        part->endVertex = end;
        for (uint32_t i = first; i < end; ++i) {
            part->box.growByPoint(model->vertices[i].position);
            object.box.growByPoint(model->vertices[i].position);
        }
        part->box.update();
        object.box.update();
        object.meshParts.push_back(std::move(part));
    }

    tbTextureMap& map() { return *model->getTextureMap(); }
    std::vector<uint32_t> pixels(gfx::SurfaceHandle surface) { return mapSurface(map(), surface).pixels; }
    std::vector<uint32_t> paint() { return pixels(map().getPaintSurface()); }
    uint32_t at(const std::vector<uint32_t>& picture, float x, float y) {
        return picture[size_t(y) * map().getWidth() + size_t(x)];
    }
    bool useCamera(int32_t index) {
        simCamera* camera = dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(index);
        if (!camera) return false;
        g_graphics->setCurrentCamera(camera);
        camera->apply();
        return true;
    }
    // The 3-D view's camera close to the built grid, so that its triangles
    // lie pixels apart.
    void closeUp() {
        auto* camera = dynamic_cast<tbCamera*>(dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(1));
        ASSERT_NE(camera, nullptr);
        camera->setTarget({0, 0, 0});
        camera->setDistance(4.0f);
        camera->updateMatrices();
        // As the program's refresh does after a camera change: picking reads them.
        model->updateTriangleScreenPositions();
    }
    // Where the 3-D view shows a model point.
    d3dx::Vector2 shown(const d3dx::Vector3& point) {
        EXPECT_TRUE(useCamera(1));
        d3dx::Vector2 screen;
        utils::worldToScreen2D(point, &screen);
        return screen;
    }
    // Where the texture view shows the texture coordinate (u, v), in pixels.
    d3dx::Vector2 textureViewPoint(float u, float v) {
        EXPECT_TRUE(useCamera(0));
        d3dx::Vector2 a, b;
        utils::worldToScreen2D({0, 0, 0}, &a);
        utils::worldToScreen2D({1, 1, 0}, &b);
        return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * (1.0f - v)};
    }
    // The triangle holding the grid point (a, b), which becomes the pick.
    void pickAt(const Grid& g, float a, float b) {
        const d3dx::Vector3 p = g.at(a, b, {0, 0, 0});
        tbTriangle* best = nullptr;
        float bestDistance = 1e30f;
        for (const auto& t : model->triangles) {
            const d3dx::Vector3 d = t->centre - p;
            if (d3dx::Vec3Length(&d) < bestDistance) bestDistance = d3dx::Vec3Length(&d), best = t.get();
        }
        model->pickedTriangle = best;
        model->pickedPoint = p;
        model->pickedNormal = g.n;
        model->pickedObject = model->roots[0].get();
    }
    void send(uint32_t type, int32_t x, int32_t y, uint32_t button = 0, uint32_t state = 0) {
        g_input->getMouse()->onMove(x, y);
        simInputEvent e;
        e.type = type;
        e.x = x;
        e.y = y;
        e.button = button;
        e.buttonState = state;
        model->onEvent(&e);
    }

};

inline const Grid kFacingZ{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}};

}  // namespace testsupport
