// The flying site's frame: the camera of the view mode, the manipulators the
// current tool needs, the sun, then the tool's overlays, and the other
// camera's picture in an inset when the settings ask for the second view.
//
// The passes are drawn from the states they set themselves, so each may run
// in the main view and again in the inset. Only the main view's passes paint
// the water mask.
#include <cstdio>

#include "app/shell/tbApplication.h"
#include "app/shell/tbCamera.h"
#include "app/shell/tbDevice.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbSecondView.h"
#include "app/site/tbCollisionObject.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteBars.h"
#include "app/site/tbSiteGizmo.h"
#include "app/site/tbSiteGrid.h"
#include "app/site/tbSiteSelectionBars.h"
#include "app/site/tbWaterBrush.h"
#include "app/site/tbWaterMask.h"
#include "app/site/tbWindArrows.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simRendererStateObject.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

using Bar = tbSiteBars::Bar;
using Toggle = tbSiteBars::Toggle;

constexpr int32_t kToolPanorama = 8, kToolLighting = 9, kToolCollision = 10, kToolPositions = 11, kToolWeather = 12;
constexpr int32_t kPovCamera = 2, kTopDownCamera = 3;
constexpr uint32_t kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kFaceMark = 0xC8FF0000u, kYellow = 0xFFFFFF00u;
constexpr uint32_t kWaterColour = 0x64004BE1u, kWaterMaskColour = 0x64FFFFFFu;
constexpr uint32_t kDepthLessEqual = 4, kDepthAlways = 8, kCullNone = 0, kFlat = 0, kGouraud = 1;
constexpr uint32_t kClamp = 3, kWrap = 1, kNoMipmaps = 0, kLinearMipmaps = 2;
// One dab of the water brush at most per 60th of a second.
constexpr double kPaintIntervalMs = 1000.0 / 60.0;
constexpr float kWaterHalfSide = 50000.0f;
constexpr float kCursorArm = 10.0f, kOriginRadius = 150.0f, kLabelRise = 50.0f;
constexpr int32_t kCircleSegments = 32;
// The sky box is the unit cube drawn this many times larger around the eye.
constexpr float kSkyScale = 4.0f;

// Set while the main view's passes draw the site, so the inset's passes
// never paint the water a second time in one frame.
bool s_drawingProject = false;

simRendererState* state() { return tbRenderer() ? tbRenderer()->getState() : nullptr; }
simScene* scene() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

int32_t currentTool() { return tbApp() ? tbApp()->tools().tool() : -1; }
int32_t viewMode() { return tbApp() ? tbApp()->tools().viewMode() : 0; }
bool secondViewShown() { return tbApp() && tbApp()->options() && tbApp()->options()->showSecondView; }
bool leftButtonDown() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    return mouse && mouse->isButtonDown(simMouseButton_left);
}

simFont* font(const char* name) { return dynamic_cast<simFont*>(simResources::getResource(name, false)); }

d3dx::Vector2 backBufferSize() {
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    return window ? d3dx::Vector2(window->getBackBufferWidth(), window->getBackBufferHeight()) : d3dx::Vector2();
}

bool isWaterEditing(const tbSiteBars* bars) { return bars && bars->isWaterEditing(); }

// Makes the scene's camera `index` the current camera, the scene's main
// camera (through which the manipulators are drawn and the mouse picks
// between frames), the one the user drives, and applies it.
simCamera* useCamera(int32_t index) {
    simScene* s = scene();
    simCamera* camera = s ? s->getCamera(index) : nullptr;
    if (!camera) return nullptr;
    g_graphics->setCurrentCamera(camera);
    s->setActiveCamera(camera);
    if (auto* own = dynamic_cast<tbCamera*>(camera)) tbCamera::setViewCamera(own);
    camera->apply();
    return camera;
}

simCamera* currentCamera() { return g_graphics ? g_graphics->getCurrentCamera() : nullptr; }

void setView(const d3dx::Matrix& view) { tbRenderer()->setTransform(2, &view); }
void setCameraView() {
    if (const simCamera* camera = currentCamera()) setView(camera->getViewMatrix());
}

// The red cross of a placement at the ground point under the mouse.
void drawPlacementCursor() {
    d3dx::Vector3 ground;
    if (!utils::mouseToGroundPlane(&ground)) return;
    tbRenderer()->setTransform(1, nullptr);
    tbRenderer()->drawLines3D({simLine3D({ground.x - kCursorArm, 0, ground.z}, {ground.x + kCursorArm, 0, ground.z}, kRed),
                             simLine3D({ground.x, 0, ground.z - kCursorArm}, {ground.x, 0, ground.z + kCursorArm}, kRed)},
                            nullptr);
}

// A red circle lying on the ground around `centre`.
void drawGroundCircle(const d3dx::Vector3& centre, float radius) {
    const d3dx::Vector3 up(0, 1, 0);
    tbRenderer()->drawArc3D(centre, radius, kRed, nullptr, kCircleSegments, &up);
}

// The reflection cube map as the state cache binds textures, for as long as
// the preview draws.
class CubemapState : public simRendererStateTexture {
public:
    explicit CubemapState(gfx::TextureHandle cube) : m_cube(cube) {}
    gfx::TextureHandle getStateTexture2D() const override { return {}; }
    gfx::TextureHandle getStateCubeTexture() const override { return m_cube; }

private:
    gfx::TextureHandle m_cube;
};

// The face marks of the panorama tool: the face's axis, the label, and the
// two axes the square spans.
struct FaceMark {
    int axis;  // 0 x, 1 y, 2 z
    float sign;
    const char* label;
};
constexpr FaceMark kFaceMarks[] = {
    {2, 1, "Cubic +Z"}, {2, -1, "Cubic -Z"}, {0, 1, "Cubic +X"}, {0, -1, "Cubic -X"}, {1, 1, "Cubic +Y"}, {1, -1, "Cubic -Y"},
};

float& component(d3dx::Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float component(const d3dx::Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

// A point `along` the face's axis, at (a, b) on the two axes its square
// spans: x and y for a z face, z and y for an x face, x and z for a y face.
d3dx::Vector3 facePoint(const FaceMark& face, float along, float a, float b) {
    static constexpr int kSpan[3][2] = {{2, 1}, {0, 2}, {0, 1}};
    d3dx::Vector3 p;
    component(p, face.axis) = along * face.sign;
    component(p, kSpan[face.axis][0]) = a;
    component(p, kSpan[face.axis][1]) = b;
    return p;
}

// The mark lies on the unit cube's face, scaled as the sky box is drawn:
// at half a unit from the eye it would lie nearer than the cameras' near
// planes and never show.
void drawFaceMark(const FaceMark& face) {
    constexpr float h = 0.25f * kSkyScale, d = 0.5f * kSkyScale;
    const simLine3D lines[] = {
        {facePoint(face, d, -h, h), facePoint(face, d, h, h), kFaceMark},
        {facePoint(face, d, h, h), facePoint(face, d, h, -h), kFaceMark},
        {facePoint(face, d, h, -h), facePoint(face, d, -h, -h), kFaceMark},
        {facePoint(face, d, -h, -h), facePoint(face, d, -h, h), kFaceMark},
        {facePoint(face, d, 0, h), facePoint(face, d, 0, -h), kFaceMark},
        {facePoint(face, d, -h, 0), facePoint(face, d, h, 0), kFaceMark},
    };
    tbRenderer()->drawLines3D({std::begin(lines), std::end(lines)}, nullptr);
    d3dx::Vector2 at;
    simFont* console = font("consoleFont");
    if (console && utils::worldToScreen2D(facePoint(face, 10000.0f, 0, 0), &at))
        console->drawText(face.label, at.x, at.y, simColour::fromARGB(kFaceMark));
}

// The distance helper: a yellow bar across the view, as long as the
// helper's y scale in metres, with a head at each end and its length.
void drawDistanceHelper(const manipulator& helper, const simCamera& camera) {
    const float length = helper.getScale().y * 100.0f;
    const d3dx::Vector3 halfLocal(length / 2, 0, 0);
    d3dx::Vector3 half;
    d3dx::Vec3TransformNormal(&half, &halfLocal, &camera.getInverseOrientationMatrix());
    const d3dx::Vector3 a = helper.getPosition() - half, b = helper.getPosition() + half;
    tbRenderer()->setTransform(1, nullptr);
    tbRenderer()->drawLine3D(a, b, kYellow, nullptr);
    d3dx::Vector2 sa, sb;
    const bool seenA = utils::worldToScreen2D(a, &sa), seenB = utils::worldToScreen2D(b, &sb);
    if (!seenA || !seenB || length <= 0.0f) return;
    const d3dx::Vector2 span = sb - sa;
    const float onScreen = d3dx::Vec2Length(&span);
    // A tenth of the on-screen length of 100 units.
    const float head = onScreen / length * 100.0f / 10.0f;
    const simColour yellow = simColour::fromARGB(kYellow);
    tbRenderer()->drawArrowHead(b, a, head, yellow);
    tbRenderer()->drawArrowHead(a, b, head, yellow);
    if (simFont* console = font("consoleFont")) {
        char text[64];
        std::snprintf(text, sizeof text, "[%0.1f m]", double(length / 100.0f));
        console->drawTextCentred(text, (sa.x + sb.x) / 2, (sa.y + sb.y) / 2 - kLabelRise, yellow);
    }
}

}  // namespace

// ---- The frame

void tbProject_flyingsite::render() {
    simRendererState* cache = state();
    if (!cache) return;
    const int32_t tool = currentTool();
    const int32_t mode = viewMode();

    // 1. The camera of the view mode.
    const int32_t mainCamera = mode == 0 ? kPovCamera : mode == 1 ? kTopDownCamera : -1;
    if (mainCamera >= 0) useCamera(mainCamera);
    const d3dx::Vector2 size = backBufferSize();
    tbRenderer()->setViewport(0, 0, int32_t(size.x), int32_t(size.y));

    // 2. The manipulators the tool needs. A site manipulator that is not
    // enabled is hidden too (tbSiteGizmo.h).
    tbEnableGizmo(m_panoramaManipulator.get(), tool == kToolPanorama || tool == kToolCollision);
    tbEnableGizmo(m_distanceHelper.get(), mode == 0 && (tool == kToolPanorama || tool == kToolCollision));
    tbEnableGizmo(m_sunManipulator.get(), tool == kToolLighting);
    tbEnableGizmo(m_previewManipulator.get(), tool == kToolLighting);
    for (const auto& object : m_collisionObjects) {
        if (tool == kToolCollision) object->enableManipulator(object->isSelected());
        else if (tool == kToolWeather) {
            if (object->isWindArea()) object->enableManipulator(object->isSelected());
        } else object->enableManipulator(false);
    }
    // The global wind's direction is exported, and its gizmo is the only
    // way to turn it: it shows with the weather tool.
    tbEnableGizmo(m_windManipulator.get(), tool == kToolWeather);
    // The positions' and the water's manipulators were enabled by tool in
    // update; they show as they were enabled.
    for (const auto& position : m_positions)
        tbEnableGizmo(position->getManipulator(), position->getManipulator()->enabled);
    tbEnableGizmo(m_waterManipulator.get(), m_waterManipulator->enabled);

    // 3. The sun lights the scene from where its manipulator put it.
    simScene* s = scene();
    if (simLight* light = s ? s->getLights().getLight(0) : nullptr) {
        light->setPosition(m_sunPosition);
        light->setDirection(-m_sunPosition);
    }

    // 4 - 8. The main view.
    tbRenderer()->setTransform(1, nullptr);
    setCameraView();
    s_drawingProject = true;
    if (mode == 0) renderPanorama();
    renderLightingPreview();
    renderCollisionTool();
    renderPositionsTool();
    renderWeatherTool();
    s_drawingProject = false;

    // 9. The other camera in the inset.
    if (!secondViewShown() || mainCamera < 0) return;
    const int32_t insetCamera = mode == 0 ? kTopDownCamera : kPovCamera;
    simCamera* inset = useCamera(insetCamera);
    if (!inset) return;
    const int32_t width = int32_t(size.x / kSecondViewDivisor), height = int32_t(size.y / kSecondViewDivisor);
    // The inset camera's own viewport is the inset while it draws there, so
    // what is projected for its labels and the ray through one of its pixels
    // meet the same pixels.
    const d3dx::Viewport own = inset->getViewport();
    inset->setViewportRect({0, 0}, {float(width), float(height)});
    inset->apply();
    tbRenderer()->clear(true, true, false);
    cache->setState(simRenderState_zFunction, kDepthLessEqual);
    tbRenderer()->setTransform(1, nullptr);
    setCameraView();
    if (mode == 1) renderPanorama();
    renderLightingPreview();
    renderCollisionTool();
    renderPositionsTool();
    renderWeatherTool();
    inset->setViewportRect({float(own.X), float(own.Y)}, {float(own.Width), float(own.Height)});
    useCamera(mainCamera);
    tbRenderer()->drawRectOutline({0, 0}, {float(width), float(height)}, kWhite, nullptr);
}

void tbProject_flyingsite::releaseCameras() {
    simScene* s = scene();
    if (!s) return;
    // The scene's first camera is its main one, the perspective camera the
    // one the user drives and the current one, as at start-up.
    s->setActiveCamera(s->getCamera(0));
    if (auto* perspective = dynamic_cast<tbCamera*>(s->getCamera(1))) {
        tbCamera::setViewCamera(perspective);
        g_graphics->setCurrentCamera(perspective);
        perspective->apply();
    }
}

// ---- Panorama

void tbProject_flyingsite::renderPanorama() {
    simRendererState* cache = state();
    simCamera* camera = currentCamera();
    if (!cache || !camera) return;
    // The sky stays centred on the eye: the view without its translation.
    d3dx::Matrix turn = camera->getViewMatrix();
    turn._41 = turn._42 = turn._43 = 0.0f;
    setView(turn);
    cache->setState(simRenderState_zWrite, 0);
    cache->setState(simRenderState_zFunction, kDepthAlways);
    cache->setState(simRenderState_fog, 0);
    cache->setState(simRenderState_backfaceCullMode, kCullNone);
    cache->setState(simRenderState_shaderEffect, nullptr);
    cache->setState(simRenderState_shadeMode, kFlat);
    // From their mip levels the faces keep still where the view shrinks them.
    cache->setState(simRenderState_mipmapFilter, kLinearMipmaps);
    cache->setState(simRenderState_addressU, kClamp);
    cache->setState(simRenderState_addressV, kClamp);

    d3dx::Matrix lift, scale, world;
    d3dx::MatrixTranslation(&lift, 0, 0.001f * m_panoramaPosition.y, 0);
    m_panoramaTransform = m_panoramaOrientation * lift;
    d3dx::MatrixScaling(&scale, kSkyScale, kSkyScale, kSkyScale);
    world = m_panoramaTransform * scale;
    tbRenderer()->setTransform(1, &world);
    drawPanoramaCube();
    tbRenderer()->setTransform(1, nullptr);
    // The marks, the helper and the passes after the sky blend, and their
    // textures have one level.
    cache->setState(simRenderState_alphaBlend, 1);
    cache->setState(simRenderState_mipmapFilter, kNoMipmaps);

    const int32_t tool = currentTool();
    if (tool == kToolPanorama) {
        const d3dx::Vector3& forward = camera->getForward();
        for (const FaceMark& face : kFaceMarks) {
            const float along = component(forward, face.axis);
            // A face is marked while the view looks towards it.
            if (along != 0.0f && (along > 0.0f) != (face.sign > 0.0f)) drawFaceMark(face);
        }
    }

    setCameraView();
    cache->setState(simRenderState_shadeMode, kGouraud);
    cache->setState(simRenderState_addressU, kWrap);
    cache->setState(simRenderState_addressV, kWrap);
    cache->setState(simRenderState_zWrite, 1);
    cache->setState(simRenderState_zFunction, kDepthLessEqual);
    tbRenderer()->setTransform(1, nullptr);
    if (tool == kToolPanorama || tool == kToolCollision) drawDistanceHelper(*m_distanceHelper, *camera);
}

void tbProject_flyingsite::drawPanoramaCube() {
    struct Face {
        int slot;
        d3dx::Vector3 corners[4];
    };
    static const Face kFaces[] = {
        {4, {{-0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}}},
        {5, {{0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}}},
        {0, {{-0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}}},
        {1, {{0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, -0.5f}}},
        {3, {{-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, -0.5f}}},
        {2, {{0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f}}},
    };
    static const d3dx::Vector2 kUvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    simRendererState* cache = state();
    for (const Face& face : kFaces) {
        const simTexture* texture = m_cubeTextures[face.slot];
        if (!texture) continue;
        // An opaque face hides the whole of what lies behind it: drawn
        // without blending, the view's pixels are written without being
        // read. A face with alpha lets the picture behind it show.
        if (cache) cache->setState(simRenderState_alphaBlend, texture->hasAlpha() ? 1u : 0u);
        const d3dx::Vector3* c = face.corners;
        tbRenderer()->drawQuad3D(c[0], c[1], c[2], c[3], kWhite, texture, kUvs, kUvs);
    }
}

// ---- Lighting

void tbProject_flyingsite::renderLightingPreview() {
    if (currentTool() != kToolLighting) return;
    simRendererState* cache = state();
    auto* effect = dynamic_cast<simShaderEffect*>(simResources::getResource("lighting.fx", false));
    if (!cache || !effect || !m_previewGeometry) return;
    d3dx::Matrix world;
    d3dx::MatrixTranslation(&world, m_previewPosition.x, m_previewPosition.y, m_previewPosition.z);
    setCameraView();
    const CubemapState reflection(getReflectionCubemap());
    cache->setState(simRenderState_shaderEffect, effect);
    cache->setState(simRenderState_cubemap1, &reflection);
    m_previewGeometry->render(&world, nullptr, effect, nullptr);
    cache->setState(simRenderState_cubemap1, nullptr);
    cache->setState(simRenderState_shaderEffect, nullptr);
}

// ---- Collision objects and water

void tbProject_flyingsite::renderCollisionTool() {
    if (currentTool() != kToolCollision) return;
    simRendererState* cache = state();
    if (!cache) return;
    const tbSiteBars* bars = tbCurrentSiteBars();
    const bool waterEditing = m_waterEnabled && isWaterEditing(bars);

    if (m_waterEnabled) {
        const manipulatorContainer* container = manipulatorContainer::current();
        if (s_drawingProject && leftButtonDown() && waterEditing && !(container && container->active) &&
            m_paintStopwatch.getElapsed() > kPaintIntervalMs) {
            m_paintStopwatch.reset();
            m_paintStopwatch.start();
            paintWaterMask();
        }
        const d3dx::Vector3& w = m_waterPosition;
        const d3dx::Vector3 corners[4] = {{w.x - kWaterHalfSide, w.y, w.z - kWaterHalfSide},
                                          {w.x + kWaterHalfSide, w.y, w.z - kWaterHalfSide},
                                          {w.x + kWaterHalfSide, w.y, w.z + kWaterHalfSide},
                                          {w.x - kWaterHalfSide, w.y, w.z + kWaterHalfSide}};
        tbRenderer()->setTransform(1, nullptr);
        cache->setState(simRenderState_backfaceCullMode, kCullNone);
        cache->setState(simRenderState_addressU, kClamp);
        cache->setState(simRenderState_addressV, kClamp);
        simTexture* mask = getWaterMaskTexture();
        if (waterEditing && mask && m_waterMask->exists()) {
            // Texture coordinates 0..1 cover the square the brush paints,
            // 20000 units centred on the water: u along x, v along z.
            const d3dx::Vector2 uvs[4] = {{-2, -2}, {3, -2}, {3, 3}, {-2, 3}};
            tbRenderer()->drawQuad3D(corners[0], corners[1], corners[2], corners[3], kWaterMaskColour, mask, uvs, uvs);
        } else {
            tbRenderer()->drawQuad3D(corners[0], corners[1], corners[2], corners[3], kWaterColour, nullptr);
        }
        cache->setState(simRenderState_addressU, kWrap);
        cache->setState(simRenderState_addressV, kWrap);
    }

    for (const auto& object : m_collisionObjects) object->render();

    tbRenderer()->setTransform(1, nullptr);
    if (bars && bars->isVisible(Bar::collision)) {
        constexpr Toggle kPlacing[] = {Toggle::plane,  Toggle::sphere,       Toggle::cube,   Toggle::cylinder,
                                       Toggle::area,   Toggle::materialArea, Toggle::marker, Toggle::heightMap};
        for (Toggle toggle : kPlacing)
            if (bars->isChecked(toggle)) {
                drawPlacementCursor();
                break;
            }
    }
    tbDrawSiteGrid();

    if (m_brushPoint != d3dx::Vector3() && waterEditing)
        drawGroundCircle(m_brushPoint, tbWaterBrushWorldRadius(bars->waterBrushRadius()));

    // While an object's points or surface, or the water, are being edited,
    // no manipulator may take the mouse from the edit.
    const tbSiteSelectionBars* shown = tbSiteSelectionBars::installed();
    const tbCollisionObject* current = shown ? shown->collisionBarObject() : nullptr;
    const bool editing = (current && current->isEditing()) || waterEditing;
    for (const auto& object : m_collisionObjects) object->enableManipulator(!editing);
    tbEnableGizmo(m_panoramaManipulator.get(), !editing);
}

// ---- Positions

void tbProject_flyingsite::renderPositionsTool() {
    if (currentTool() != kToolPositions) return;
    tbRenderer()->setTransform(1, nullptr);
    tbDrawSiteGrid();
    drawGroundCircle({0, 0, 0}, kOriginRadius);
    for (const auto& position : m_positions) position->render();
}

// ---- Weather

void tbProject_flyingsite::renderWeatherTool() {
    if (currentTool() != kToolWeather) return;
    for (const auto& object : m_collisionObjects)
        if (object->isWindArea()) object->render();
    tbRenderer()->setTransform(1, nullptr);
    const tbSiteBars* bars = tbCurrentSiteBars();
    if (bars && bars->isVisible(Bar::weather) && bars->isChecked(Toggle::windArea)) drawPlacementCursor();
    tbDrawSiteGrid();

    tbDrawWindArrows(m_windManipulator->getRotationMatrix(), m_windManipulator->getPosition(), kRed);
    d3dx::Vector2 at;
    simFont* large = font("collisionMarkerFontLarge");
    if (large && utils::worldToScreen2D(m_windManipulator->getPosition(), &at)) {
        char text[64];
        std::snprintf(text, sizeof text, "Speed: %0.2f m/s", double(m_windSpeed));
        large->drawTextCentred(text, at.x, at.y + kLabelRise, simColour::fromARGB(kRed));
    }
}
