#include "app/scheme/tbGeometryRender.h"

#include <algorithm>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/scheme/tbGeometryTool_text.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbMaterial.h"
#include "app/shell/tbSceneCameras.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbSecondView.h"
#include "app/shell/tbDevice.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererDrawChunks.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simShaderEffectCompiled.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simVertexBuffer.h"
#include "engine/graphics/simWindow.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;
constexpr uint32_t kDepthLessEqual = 4, kDepthAlways = 8;
constexpr uint32_t kCullNone = 0, kCullClockwise = 1;
constexpr int32_t kTextTool = 6;

simRendererState* state() { return tbRenderer() ? tbRenderer()->getState() : nullptr; }

template <class T>
T* resource(const char* name) {
    return dynamic_cast<T*>(simResources::getResource(name, false));
}

simShaderEffect* currentEffect() {
    simRendererState* cache = state();
    return cache ? dynamic_cast<simShaderEffect*>(
                       const_cast<simRendererStateObject*>(cache->getStateObject(simRenderState_shaderEffect)))
                 : nullptr;
}

d3dx::Vector2 windowSize() {
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    return window ? d3dx::Vector2(window->getBackBufferWidth(), window->getBackBufferHeight()) : d3dx::Vector2();
}

}  // namespace

// ---- The frame's inputs

tbGeometryFrame tbGeometryFrame::fromApplication() {
    tbGeometryFrame f;
    if (CtolvaneBuilderApp* app = tbApp()) {
        const tbToolState& tools = app->tools();
        f.tool = tools.tool();
        f.viewMode = tools.viewMode();
        f.brushSize = tools.brushSize();
        f.brushAngle = tools.brushAngle();
        f.mainColour = tools.mainColour();
        f.secondColour = tools.secondColour();
        f.brushTexture = tools.getBrushTexture();
        if (const tbOptions* options = app->options()) {
            f.lightingMode = options->lightingMode;
            f.secondView = options->showSecondView;
            f.paintableOnly = options->showPaintableObjectsOnly;
        }
        f.mouseOverView = app->acceptsMouseInput();
    }
    if (const simMouse* mouse = g_input ? g_input->getMouse() : nullptr) {
        f.mouse = {float(mouse->getX()), float(mouse->getY())};
        f.navigating = mouse->isDragging(simMouseButton_middle) || mouse->isDragging(simMouseButton_right);
    }
    if (const simKeyboard* keyboard = g_input ? g_input->getKeyboard() : nullptr)
        f.altHeld = keyboard->isAltDown();
    return f;
}

// ---- The model's entry points

void tbGeometry::render() { getRender().render(tbGeometryFrame::fromApplication()); }

tbGeometryRender& tbGeometry::getRender() {
    if (!m_render) m_render = std::make_unique<tbGeometryRender>(*this);
    return *m_render;
}

void tbGeometryObject::render(bool recurse, simTexture* texture) const {
    if (kind == kOrdinary && isVisible()) {
        for (const auto& part : meshParts) {
            if (isEnabled()) {
                part->draw(texture);
                continue;
            }
            // A disabled object shows greyed and seen from outside only.
            simRendererState* cache = state();
            if (cache) cache->setState(simRenderState_backfaceCullMode, kCullClockwise);
            part->draw(resource<simTexture>("gray_trans.bmp"));
            if (cache) cache->setState(simRenderState_backfaceCullMode, kCullNone);
        }
    }
    if (!recurse) return;
    for (const auto& child : children) child->render(true, texture);
}

void tbMeshPart::draw(simTexture* texture) const {
    if (owner && owner->owner) owner->owner->getRender().drawPart(*this, texture);
}

// ---- Drawing

tbGeometryRender::tbGeometryRender(tbGeometry& model) : m_model(model) {}

tbGeometryRender::~tbGeometryRender() = default;

void tbGeometryRender::buildBuffers() {
    m_built = true;
    const std::vector<simVertex>& vertices = m_model.vertices;
    auto build = [&](const auto& self, const std::vector<std::unique_ptr<tbGeometryObject>>& objects) -> void {
        for (const auto& object : objects) {
            for (const auto& part : object->meshParts) {
                const size_t first = part->firstVertex;
                const size_t end = std::min<size_t>(part->endVertex, vertices.size());
                if (end <= first || (end - first) / 3 == 0) continue;
                const int32_t count = int32_t((end - first) / 3 * 3);
                auto buffer =
                    std::make_unique<simVertexBuffer>(count, int32_t(sizeof(simVertex)), simVertex::kFormat, true, true);
                auto* out = static_cast<simVertex*>(buffer->lock(simVertexBuffer::lockPlain, 0, -1));
                if (!out) continue;  // the buffer has reported why; the part is not drawn
                // The vertex the immediate world-triangle call would write:
                // the corner's position, normal and paint UVs, in white.
                for (int32_t i = 0; i < count; ++i) {
                    const simVertex& v = vertices[first + size_t(i)];
                    out[i] = simDraw::worldVertex(v.position, v.normal, kWhite, v.uv[0]);
                }
                buffer->unlock();
                m_buffers.emplace(part.get(), std::move(buffer));
            }
            self(self, object->children);
        }
    };
    build(build, m_model.roots);
}

void tbGeometryRender::drawRoots(simTexture* texture) {
    for (const auto& root : m_model.roots) root->render(true, texture);
}

void tbGeometryRender::drawPart(const tbMeshPart& part, simTexture* texture) {
    if (m_frame.paintableOnly && !part.isPaintable()) return;
    const auto found = m_buffers.find(&part);
    simRendererState* cache = state();
    if (found == m_buffers.end() || !cache) return;
    simVertexBuffer* buffer = found->second.get();
    if (part.material) part.material->applyShaderParameters();
    simTexture* shown = texture ? texture : part.texture;
    cache->setState(simRenderState_texture0, shown);
    if (cache->getStateObject(simRenderState_vertexBuffer) != buffer)
        cache->setState(simRenderState_vertexBuffer, buffer);
    const int32_t triangles = buffer->getVertexCount() / 3;

    simShaderEffect* effect = currentEffect();
    simShaderEffectCompiled* compiled = effect ? effect->getEffect() : nullptr;
    if (!compiled) {
        buffer->render(gfx::D3DPT_TRIANGLELIST, false, triangles, 0);
        return;
    }
    // The texture factor as the material left it, set again for the effect.
    const simStateValue factor = cache->getState(simRenderState_blendFactorAlpha);
    cache->setState(simRenderState_stage1Blend, factor > 0 ? 1 : 0);
    cache->setState(simRenderState_blendFactorAlpha, factor > 0 ? factor : 0);
    // The model's corners are white: the effect's geometry colour leaves
    // the texture and the material's colours as they are.
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    compiled->setFloatArray("shader_geometry_colour", white, 4);
    effect->begin();
    effect->beginPass(0);
    buffer->render(gfx::D3DPT_TRIANGLELIST, false, triangles, 0);
    effect->endPass();
    effect->end();
}

void tbGeometryRender::render(const tbGeometryFrame& frame) {
    m_frame = frame;
    // The projection's gizmos take input only with its tool; Alt freezes them.
    if (!m_frame.altHeld) m_model.projectImageTool().setGizmosActive(m_frame.tool == tbGeometryFrame::kProjectImage);
    simRendererState* cache = state();
    if (!cache || !tbCurrentScene()) return;
    if (!m_built) buildBuffers();
    // Only the text tool's manipulator in use takes input; Alt freezes them.
    if (!m_frame.altHeld && (m_frame.tool == kTextTool || m_model.hasTextTool()))
        m_model.textTool().showManipulators(m_frame.tool == kTextTool, m_frame.viewMode);

    if (m_frame.viewMode == 0) {
        render3DView();
    } else if (m_frame.viewMode == 1) {
        renderTextureView();
    }

    if (m_frame.tool == tbGeometryFrame::kColourPicker || m_frame.altHeld) {
        cache->setState(simRenderState_zFunction, kDepthAlways);
        tbRenderer()->drawArc2D(m_frame.mouse, 10.0f, kRed, nullptr, 32, 0.0f, 360.0f);
    }
}

void tbGeometryRender::render3DView() {
    simRendererState* cache = state();
    if (!tbUseSceneCamera(1)) return;
    tbRenderer()->setTransform(1, nullptr);
    cache->setState(simRenderState_lighting, 0);

    if (m_frame.lightingMode == 1) {
        // Realistic lighting needs its effect: without it the model is not drawn.
        if (auto* lighting = resource<simShaderEffect>("lighting.fx")) {
            cache->setState(simRenderState_shaderEffect, lighting);
            cache->setState(simRenderState_cubemap1, resource<simTexture>("previewCubemap.dds"));
            drawRoots(nullptr);
            cache->setState(simRenderState_shaderEffect, nullptr);
        }
    } else {
        drawRoots(nullptr);
    }

    if (!m_frame.altHeld) {
        // A picked point of (0, 0, 0) is no pick.
        const bool picked = m_model.pickedPoint != d3dx::Vector3();
        if (m_frame.tool == kTextTool) m_model.textTool().renderPreview3D();
        drawShapePreview(true);
        if (m_frame.tool == tbGeometryFrame::kBrush && !m_frame.navigating && m_frame.mouseOverView && picked)
            drawBrushPreview3D();
        if (m_frame.tool == tbGeometryFrame::kFloodFill && m_frame.mouseOverView && picked && m_model.pickedObject)
            drawFloodPreview();
        if (m_frame.tool == tbGeometryFrame::kMirror) drawMirrorPreview();
        if (m_frame.tool == tbGeometryFrame::kProjectImage) m_model.projectImageTool().renderPreview3D();
    }

    if (m_frame.secondView) drawSecondViewOf3DView();
}

void tbGeometryRender::drawSecondViewOf3DView() {
    state()->setState(simRenderState_backfaceCullMode, kCullNone);
    const tbTextureMap* map = m_model.getTextureMap();
    simTexture* paint = map ? map->getTexture() : nullptr;
    const float side = windowSize().x / kSecondViewDivisor;
    tbRenderer()->drawRect({0, 0}, {side, side}, kWhite, paint);
    tbRenderer()->drawRectOutline({0, 0}, {side, side}, kBlack, nullptr);
}

void tbGeometryRender::renderTextureView() {
    if (!tbUseSceneCamera(0)) return;
    tbRenderer()->setTransform(1, nullptr);
    const tbTextureMap* map = m_model.getTextureMap();
    simTexture* paint = map ? map->getTexture() : nullptr;
    // The texture on the unit square: u along +x, v towards -y.
    const d3dx::Vector2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    tbRenderer()->drawQuad3D({0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}, kWhite, paint, uvs, uvs);

    if (!m_frame.altHeld) drawShapePreview(false);
    if (!m_frame.altHeld && m_frame.tool == kTextTool) m_model.textTool().renderPreviewTexture();
    if (!m_frame.altHeld && m_frame.tool == tbGeometryFrame::kBrush && m_frame.mouseOverView)
        m_model.renderBrushPreviewTexture(m_frame.brushTexture, m_frame.mouse.x, m_frame.mouse.y,
                                          m_frame.brushSize);

    if (m_frame.secondView) drawSecondViewOfTextureView();
}

void tbGeometryRender::drawSecondViewOfTextureView() {
    simRendererState* cache = state();
    if (!tbUseSceneCamera(1)) return;
    const d3dx::Vector2 size = windowSize();
    const int32_t width = int32_t(size.x / kSecondViewDivisor), height = int32_t(size.y / kSecondViewDivisor);
    tbRenderer()->setViewport(0, 0, width, height);
    tbRenderer()->clear(true, true, false);
    cache->setState(simRenderState_zFunction, kDepthLessEqual);
    cache->setState(simRenderState_shaderEffect, nullptr);
    drawRoots(nullptr);
    tbUseSceneCamera(0);
    // Plain white: the paint texture under a one-pixel frame only streaks it.
    tbRenderer()->drawRectOutline({0, 0}, {float(width), float(height)}, kWhite, nullptr);
}
