// The shape tool's fills: the outline painted straight into the texture in
// the texture view, or onto the model's triangles under it in the 3-D view.
#include <algorithm>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/shell/tbSceneCameras.h"
#include "app/scheme/tbShapeClip.h"
#include "app/scheme/tbShapeOutline.h"
#include "app/scheme/tbTextureMap.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

namespace {

// Draws the triangles (three texel corners each, with their screen corners
// for the colours) into the paint texture and reports them to the undo.
void paintTriangles(tbGeometry& model, const std::vector<d3dx::Vector2>& texels,
                    const std::vector<d3dx::Vector2>& screen, const simBoundingRect& outlineRect,
                    const simColour& main, const simColour& second, bool gradient, uint32_t axis) {
    tbTextureMap* map = model.getTextureMap();
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!map || !r || texels.size() < 3) return;
    std::vector<simScreenTriangle> batch;
    batch.reserve(texels.size() / 3);
    simBoundingRect touched;
    uint32_t colours[3];
    for (size_t i = 0; i + 2 < texels.size(); i += 3) {
        for (size_t k = 0; k < 3; ++k) {
            colours[k] = tbShapeOutline::cornerColour(screen[i + k], outlineRect, main, second, gradient, axis);
            touched.growByPoint(texels[i + k]);
        }
        batch.emplace_back(texels[i], texels[i + 1], texels[i + 2], colours[0], colours[1], colours[2],
                           d3dx::Vector2{}, d3dx::Vector2{}, d3dx::Vector2{});
        model.getUndo().addTriangle(texels[i], texels[i + 1], texels[i + 2]);
    }
    map->beginDrawing();
    r->drawTriangles2D(batch, nullptr);
    map->endDrawing(touched);
}

simBoundingRect rectOf(const std::vector<d3dx::Vector2>& points) {
    simBoundingRect rect;
    for (const d3dx::Vector2& p : points) rect.growByPoint(p);
    return rect;
}

}  // namespace

void tbGeometry::clearShape() { m_shapeTool->clear(); }

void tbGeometry::applyShapeTextureView(const simColour& main, const simColour& second, bool gradient,
                                       uint32_t axis) {
    const tbTextureMap* map = getTextureMap();
    const std::vector<d3dx::Vector2> screen = tbShapeOutline::triangles(m_shapeTool->points());
    if (!map || screen.empty() || !tbUseSceneCamera(0)) return;
    std::vector<d3dx::Vector2> texels;
    texels.reserve(screen.size());
    for (const d3dx::Vector2& c : screen) {
        // The outline over the texture view: where each corner lies on the
        // unit square the texture is shown on, and so on the texture.
        d3dx::Vector2 fraction;
        if (!tbPaintSpace::textureViewFraction(c.x, c.y, &fraction)) return;
        texels.push_back({fraction.x * float(map->getWidth()), (1.0f - fraction.y) * float(map->getHeight())});
    }
    paintTriangles(*this, texels, screen, rectOf(screen), main, second, gradient, axis);
}

void tbGeometry::applyShape3D(const simColour& main, const simColour& second, bool gradient, uint32_t axis) {
    const tbTextureMap* map = getTextureMap();
    std::vector<d3dx::Vector2> outline = tbShapeOutline::triangles(m_shapeTool->points());
    if (!map || outline.empty()) return;
    // The pieces are found where the 3-D view shows the model now.
    updateTriangleScreenPositions();
    const simCamera* camera = g_graphics ? g_graphics->getCurrentCamera() : nullptr;
    if (!camera) return;
    const simBoundingRect outlineRect = rectOf(outline);
    // An orthographic projection has no perspective divide: its last column is (0, 0, 0, 1).
    const bool orthographic = camera->getProjectionMatrix()._34 == 0.0f;
    tbShapeClip clip(std::move(outline), toolSettings.shapeDoubleSided != 0,
                     tbViewer{camera->getPosition(), camera->getForward(), orthographic});
    const std::vector<tbClipCorner> pieces = clip.clip(roots);
    std::vector<d3dx::Vector2> texels, screen;
    texels.reserve(pieces.size());
    screen.reserve(pieces.size());
    for (const tbClipCorner& c : pieces) {
        texels.push_back(tbPaintSpace::texelOf(c.uv, map->getWidth(), map->getHeight()));
        screen.push_back(c.screen);
    }
    paintTriangles(*this, texels, screen, outlineRect, main, second, gradient, axis);
}

void tbApplyShapeFill(tbGeometry& model, int32_t viewMode, const simColour& main, const simColour& second) {
    const bool gradient = model.toolSettings.shapeGradient != 0;
    const uint32_t axis = model.toolSettings.shapeAxis;
    if (viewMode == 1)
        model.applyShapeTextureView(main, second, gradient, axis);
    else
        model.applyShape3D(main, second, gradient, axis);
    model.getUndo().push();
}
