#include "app/scheme/tbGeometryTool_mirror.h"

#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbMirrorMatch.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbProgress.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr float kMatchingShare = 95.0f;  // percent of the progress the matching takes
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

}  // namespace

void tbGeometryTool_mirror::perform(tbGeometry& model, int32_t direction,
                                    const std::function<void(float)>& progress) {
    auto report = [&progress](float percent) {
        if (progress) progress(percent);
    };
    tbTextureMap* map = model.getTextureMap();
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!map || !r) return;

    std::vector<tbTriangle*> work;
    for (const auto& root : model.roots) root->collectTriangles(true, work);
    report(0.0f);
    const std::vector<tbMirrorCopy> copies =
        tbMatchMirror(work, direction, [&report](float share) { report(share * kMatchingShare); });

    const uint32_t width = map->getWidth(), height = map->getHeight();
    std::vector<simScreenTriangle> batch;
    batch.reserve(copies.size());
    simBoundingRect touched;
    for (const tbMirrorCopy& copy : copies) {
        d3dx::Vector2 texels[3];
        for (int k = 0; k < 3; ++k) {
            texels[k] = tbPaintSpace::texelOf(copy.target->uvs[k], width, height);
            touched.growByPoint(texels[k]);
        }
        batch.emplace_back(texels[0], texels[1], texels[2], kOpaqueWhite, kOpaqueWhite, kOpaqueWhite,
                           copy.sourceUvs[0], copy.sourceUvs[1], copy.sourceUvs[2]);
        model.getUndo().addTriangle(texels[0], texels[1], texels[2]);
    }
    report(kMatchingShare);
    if (!batch.empty()) {
        // The bracket draws into the drawing surface and copies the result
        // back afterwards, so sampling the paint texture itself reads the
        // picture from before the mirror everywhere. It also sets what the
        // copy needs: no culling, blending on, no depth writes, depth always.
        map->beginDrawing();
        r->drawTriangles2D(batch, map->getTexture());
        map->endDrawing(touched);
    }
    report(100.0f);
}

void tbGeometryTool_mirror::apply(tbGeometry* model, int32_t direction, tbProgress& progress) {
    if (!model) return;
    progress.show(kProgressTitle, kProgressText);
    perform(*model, direction, [&progress](float percent) { progress.set(percent); });
    progress.hide();
    model->getUndo().push();
}
