#include "app/scheme/tbGeometryTool_projectImage.h"

#include <cmath>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbTextureMap.h"
#include "app/scheme/tbToolSettings.h"
#include "app/shell/tbDevice.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr const char* kImageOptions = "noCompression | noMipmaps | managedResourcePool";
constexpr float kStartSize = 10.0f;
constexpr uint32_t kAddressWrap = 1, kAddressClamp = 3;
constexpr uint32_t kDepthLessEqual = 4;
constexpr uint32_t kPlaneColour = 0x64FFFFFFu;  // white, alpha 100

// Per axis (X, Y, Z): which axes a gizmo may move, turn and scale, so an
// image stays in its projection plane and turns only about its axis.
struct AxisMasks {
    float move[3], turn[3], scale[3];
};
constexpr AxisMasks kMasks[3] = {
    {{0, 1, 1}, {1, 0, 0}, {0, 1, 1}},
    {{1, 0, 1}, {0, 1, 0}, {1, 0, 1}},
    {{1, 1, 0}, {0, 0, 1}, {1, 1, 0}},
};

void setAddressing(simRendererState& state, uint32_t mode) {
    state.setState(simRenderState_addressU, mode);
    state.setState(simRenderState_addressV, mode);
}

uint32_t addressingOf(const tbProjectionSlotSettings& settings) {
    return settings.wrapMode == 1 ? kAddressClamp : kAddressWrap;
}

}  // namespace

tbGeometryTool_projectImage::tbGeometryTool_projectImage(tbGeometry* owner) : m_owner(owner) {
    for (int slot = 0; slot < kSlots; ++slot) {
        sizes[slot] = {kStartSize, kStartSize, kStartSize};
        planeSizes[slot] = {kStartSize, kStartSize};
        auto gizmo = std::make_unique<manipulator>(true, &positions[slot], true, &rotations[slot], true, &sizes[slot]);
        gizmo->positionTarget = &positions[slot];
        gizmo->rotationTarget = &rotations[slot];
        gizmo->scaleTarget = &sizes[slot];
        const AxisMasks& masks = kMasks[slot / 2];
        for (int a = 0; a < 3; ++a) {
            gizmo->translateAxes[a] = masks.move[a];
            gizmo->rotateAxes[a] = masks.turn[a];
            gizmo->scaleAxes[a] = masks.scale[a];
        }
        // Off until the model's drawing switches them on with the tool.
        gizmo->visible = gizmo->enabled = 0;
        m_gizmos[slot] = std::move(gizmo);
    }
}

tbGeometryTool_projectImage::~tbGeometryTool_projectImage() = default;

d3dx::Vector3 tbGeometryTool_projectImage::direction(int slot) {
    const float sign = slot % 2 == 0 ? 1.0f : -1.0f;
    switch (slot / 2) {
        case 0: return {sign, 0, 0};
        case 1: return {0, sign, 0};
        default: return {0, 0, sign};
    }
}

d3dx::Vector2 tbGeometryTool_projectImage::planeSizeOf(int slot, const d3dx::Vector3& size) {
    // The X slots' width is negative: their image coordinates count along
    // z the other way round, so the image is not shown mirrored.
    switch (slot / 2) {
        case 0: return {-size.z, size.y};
        case 1: return {size.x, size.z};
        default: return {size.x, size.y};
    }
}

void tbGeometryTool_projectImage::planeCorners(int slot, const d3dx::Vector3& position, const d3dx::Vector3& size,
                                               const d3dx::Vector3& rotation, d3dx::Vector3 out[4]) {
    d3dx::Matrix turn;
    switch (slot / 2) {
        case 0: {
            const float a = size.z, b = size.y;
            // Image coordinates (0, 0), (1, 0), (1, 1), (0, 1) in this order.
            const float z = slot == 0 ? a : -a;
            out[0] = {0, b, z};
            out[1] = {0, b, -z};
            out[2] = {0, -b, -z};
            out[3] = {0, -b, z};
            d3dx::MatrixRotationX(&turn, rotation.x);
            break;
        }
        case 1: {
            const float a = size.x, b = size.z;
            out[0] = {-a, 0, -b};
            out[1] = {a, 0, -b};
            out[2] = {a, 0, b};
            out[3] = {-a, 0, b};
            d3dx::MatrixRotationY(&turn, rotation.y);
            break;
        }
        default: {
            const float a = size.x, b = size.y;
            out[0] = {-a, b, 0};
            out[1] = {a, b, 0};
            out[2] = {a, -b, 0};
            out[3] = {-a, -b, 0};
            d3dx::MatrixRotationZ(&turn, rotation.z);
            break;
        }
    }
    for (int i = 0; i < 4; ++i) {
        d3dx::Vector3 turned;
        d3dx::Vec3TransformCoord(&turned, &out[i], &turn);
        out[i] = position + turned;
    }
}

void tbGeometryTool_projectImage::resetSlot(int slot) {
    m_gizmos[slot]->setPosition({0, 0, 0});
    m_gizmos[slot]->setScale({kStartSize, kStartSize, kStartSize});
    m_gizmos[slot]->setRotation({0, 0, 0});
    planeSizes[slot] = {kStartSize, kStartSize};
}

void tbGeometryTool_projectImage::loadImage(int slot, const std::string& path) {
    if (slot < 0 || slot >= kSlots) return;
    m_images[slot] = nullptr;
    if (!path.empty() && g_resources &&
        g_resources->findResource(nullptr, "", path, kImageOptions, false, true, simRootKind_ownFolder))
        m_images[slot] = dynamic_cast<simTexture*>(simResources::getResource(utils::getFileName(path), false));
    resetSlot(slot);
    m_gizmos[slot]->setPosition(direction(slot));
}

tbProjection tbGeometryTool_projectImage::projectionOf(int slot, const tbProjectionSlotSettings& settings) const {
    tbProjection p;
    p.threshold = settings.threshold;
    p.direction = direction(slot);
    p.doubleSided = settings.doubleSided != 0;
    p.position = positions[slot];
    p.planeSize = planeSizeOf(slot, sizes[slot]);
    p.rotation = rotations[slot];
    p.image = m_images[slot];
    p.colour0.set(255, 255, 255, 255);
    p.colour1 = p.colour0;
    return p;
}

void tbGeometryTool_projectImage::project() {
    tbTextureMap* map = m_owner->getTextureMap();
    simRenderer* r = tbRenderer();
    if (!map || !r || !r->getState()) return;
    simRendererState& state = *r->getState();
    map->beginDrawing();  // blending on
    simBoundingRect all;
    for (int slot = 0; slot < kSlots; ++slot) {
        const tbProjectionSlotSettings& settings = m_owner->toolSettings.projectionSlots[slot];
        if (!settings.show || !m_images[slot]) continue;
        planeSizes[slot] = planeSizeOf(slot, sizes[slot]);
        std::vector<simScreenTriangle> batch;
        simBoundingRect touched;
        const tbProjection projection = projectionOf(slot, settings);
        for (const auto& root : m_owner->roots)
            tbImageProjection::collectPaint(*root, projection, map->getWidth(), map->getHeight(), batch, touched);
        if (batch.empty()) continue;
        setAddressing(state, addressingOf(settings));
        r->drawTriangles2D(batch, m_images[slot]);
        setAddressing(state, kAddressWrap);
        m_owner->getUndo().addRect(touched);
        all.growByRect(touched);
    }
    map->endDrawing(all);
}

void tbGeometryTool_projectImage::renderPreview3D() {
    simRenderer* r = tbRenderer();
    if (!r || !r->getState()) return;
    simRendererState& state = *r->getState();
    state.setState(simRenderState_backfaceCullMode, 0);
    state.setState(simRenderState_zFunction, kDepthLessEqual);
    const d3dx::Vector2 imageCorners[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int slot = 0; slot < kSlots; ++slot) {
        const tbProjectionSlotSettings& settings = m_owner->toolSettings.projectionSlots[slot];
        manipulator& g = *m_gizmos[slot];
        if (!settings.show || !m_images[slot]) {
            g.visible = g.enabled = 0;
            continue;
        }
        setAddressing(state, addressingOf(settings));
        planeSizes[slot] = planeSizeOf(slot, sizes[slot]);
        d3dx::Vector3 corners[4];
        planeCorners(slot, positions[slot], sizes[slot], rotations[slot], corners);
        state.setState(simRenderState_zWrite, 1);
        std::vector<simTriangle3D> faces;
        const tbProjection projection = projectionOf(slot, settings);
        for (const auto& root : m_owner->roots) tbImageProjection::collectPreview(*root, projection, faces);
        r->drawTriangles3D(faces, m_images[slot]);
        r->drawQuad3D(corners[0], corners[1], corners[2], corners[3], kPlaneColour, m_images[slot], imageCorners,
                      imageCorners);
        g.visible = g.enabled = 1;
        setAddressing(state, kAddressClamp);
    }
    state.setState(simRenderState_zFunction, kDepthLessEqual);
}

void tbGeometryTool_projectImage::setGizmosActive(bool active) {
    for (const auto& g : m_gizmos) g->visible = g->enabled = active ? 1 : 0;
}

void tbGeometryTool_projectImage::storePlacements(tbProjectorPlacements& out) const {
    for (int slot = 0; slot < kSlots; ++slot) {
        out.positions[slot] = positions[slot];
        out.scales[slot] = sizes[slot];
        out.rotations[slot] = rotations[slot];
        out.extents[slot] = planeSizes[slot];
    }
}

void tbGeometryTool_projectImage::restorePlacements(const tbProjectorPlacements& in) {
    for (int slot = 0; slot < kSlots; ++slot) {
        // A placement without extent in its plane (a file that kept none)
        // would divide the image coordinates by zero: the slot keeps its start.
        const d3dx::Vector2 extent = planeSizeOf(slot, in.scales[slot]);
        if (!(std::fabs(extent.x) > 0.0f && std::fabs(extent.y) > 0.0f)) continue;
        m_gizmos[slot]->setPosition(in.positions[slot]);
        m_gizmos[slot]->setScale(in.scales[slot]);
        m_gizmos[slot]->setRotation(in.rotations[slot]);
        planeSizes[slot] = in.extents[slot];
    }
}

void tbGeometry::loadProjectionImage(int32_t slot, const std::string& path) {
    m_projectImageTool->loadImage(slot, path);
}

void tbGeometry::projectImages() { m_projectImageTool->project(); }
