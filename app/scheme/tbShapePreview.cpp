// The shape tool's preview in the model's drawing: the outline over the
// model, never hidden by it.
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

namespace {
constexpr uint32_t kDepthLessEqual = 4, kDepthAlways = 8, kCullNone = 0;
}

void tbGeometryRender::drawShapePreview(bool view3D) {
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (m_frame.tool != tbGeometryTool_shape::kTool || !r) return;
    simRendererState* cache = r->getState();
    cache->setState(simRenderState_zFunction, kDepthAlways);
    if (view3D) cache->setState(simRenderState_backfaceCullMode, kCullNone);
    m_model.shapeTool().renderPreview(m_frame.mainColour);
    if (!view3D) cache->setState(simRenderState_zFunction, kDepthLessEqual);
}
