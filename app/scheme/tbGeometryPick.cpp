// Picking the triangle under the mouse in the 3-D view.
#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/shell/tbSceneCameras.h"
#include "app/shell/tbApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsGeometry2D.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

simCamera* currentCamera() { return g_graphics ? g_graphics->getCurrentCamera() : nullptr; }

bool mousePosition(d3dx::Vector2& out) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return false;
    out = {float(mouse->getX()), float(mouse->getY())};
    return true;
}

bool insideInclusive(const d3dx::Vector2& p, const d3dx::Vector2& lo, const d3dx::Vector2& hi) {
    const int32_t x = int32_t(p.x), y = int32_t(p.y);
    return x >= int32_t(lo.x) && x <= int32_t(hi.x) && y >= int32_t(lo.y) && y <= int32_t(hi.y);
}

bool onScreen(const simBoundingBox& box, const d3dx::Vector2& mouse) {
    d3dx::Vector2 lo, hi;
    return box.getScreenExtents(lo, hi) && insideInclusive(mouse, lo, hi);
}

struct CandidateWalk {
    d3dx::Vector2 mouse;
    d3dx::Vector3 forward;
    std::vector<tbTriangle*>& outTriangles;
    std::vector<tbGeometryObject*>& outObjects;

    bool facesCamera(const tbTriangle& t) const { return d3dx::Vec3Dot(&t.faceNormal, &forward) >= 0.0f; }
    static bool depthsInRange(const tbTriangle& t) {
        return std::all_of(std::begin(t.screenDepths), std::end(t.screenDepths),
                           [](float d) { return d >= 0.0f && d <= 1.0f; });
    }

    void walk(const std::vector<std::unique_ptr<tbGeometryObject>>& objects) {
        for (const auto& object : objects) {
            if (object->takesPart() && onScreen(object->box, mouse)) {
                for (const auto& part : object->meshParts) {
                    if (!part->isPaintable() || !onScreen(part->box, mouse)) continue;
                    for (const auto& triangle : part->triangles()) {
                        tbTriangle& t = *triangle;
                        if (!utils::pointInTriangle2D(mouse, t.screenCorners[0], t.screenCorners[1],
                                                      t.screenCorners[2]) ||
                            !depthsInRange(t) || !facesCamera(t))
                            continue;
                        outTriangles.push_back(&t);
                        outObjects.push_back(object.get());
                    }
                }
            }
            walk(object->children);
        }
    }
};

}  // namespace

tbToolState& tbGeometry::tools() const { return *toolsIfAny(); }

tbToolState* tbGeometry::toolsIfAny() const {
    if (m_tools) return m_tools;
    return tbApp() ? &tbApp()->tools() : nullptr;
}

uint32_t tbGeometry::nextVisitStamp() {
    // Every triangle starts at 0, so 0 is never handed out; when the counter
    // runs round, every stamp is wiped first so no old one can match.
    if (++m_visitCounter == 0) {
        for (const auto& t : triangles) t->visitStamp = 0;
        m_visitCounter = 1;
    }
    return m_visitCounter;
}

void tbGeometry::clearPick() {
    pickedTriangle = nullptr;
    pickedPoint = {0, 0, 0};
    brush3D.clear();
}

bool tbGeometry::collectPickCandidates(std::vector<tbTriangle*>& outTriangles,
                                       std::vector<tbGeometryObject*>& outObjects) const {
    const simCamera* camera = currentCamera();
    d3dx::Vector2 mouse;
    if (!camera || !mousePosition(mouse)) return false;
    const size_t before = outTriangles.size();
    CandidateWalk walk{mouse, camera->getForward(), outTriangles, outObjects};
    walk.walk(roots);
    return outTriangles.size() > before;
}

bool tbGeometry::pick(d3dx::Vector3& point) {
    pickedTriangle = nullptr;
    // Picking is in the 3-D view, seen through the scene's second camera.
    tbUseSceneCamera(1);
    std::vector<tbTriangle*> candidates;
    std::vector<tbGeometryObject*> objects;
    if (!collectPickCandidates(candidates, objects)) return false;
    const simCamera* camera = currentCamera();
    d3dx::Vector2 mouse;
    mousePosition(mouse);
    const d3dx::Vector3 eye = camera->getPosition();
    d3dx::Vector3 through = eye;
    utils::screenToWorldRay(mouse, &through, camera);
    d3dx::Vector3 start = eye, direction = through - eye;
    d3dx::Vec3Normalize(&direction, &direction);
    direction *= 5000.0f;
    const d3dx::Matrix& projection = camera->getProjectionMatrix();
    if (projection._34 == 0.0f && projection._44 == 1.0f) {
        // An orthographic camera looks along its forward vector everywhere.
        const d3dx::Vector3& forward = camera->getForward();
        start = through - forward * 100.0f;
        direction = forward;
    }
    const d3dx::Vector3 end = start + direction;
    float best = 0.0f;
    for (size_t i = 0; i < candidates.size(); ++i) {
        tbTriangle& t = *candidates[i];
        d3dx::Plane plane;
        d3dx::PlaneFromPoints(&plane, &t.positions[0], &t.positions[1], &t.positions[2]);
        d3dx::Vector3 hit;
        if (!d3dx::PlaneIntersectLine(&hit, &plane, &start, &end)) continue;
        const d3dx::Vector3 offset = hit - eye;
        const float d2 = d3dx::Vec3LengthSq(&offset);
        if (best != 0.0f && !(d2 < best)) continue;
        best = d2;
        pickedTriangle = &t;
        pickedPoint = hit;
        utils::interpolateTriangleNormal(hit, t.positions[0], t.positions[1], t.positions[2], t.normals[0],
                                         t.normals[1], t.normals[2], &pickedNormal);
        pickedObject = objects[i];
    }
    point = pickedPoint;
    return true;
}

void tbGeometryObject::collectTriangles(bool recurse, std::vector<tbTriangle*>& out) const {
    if (takesPart()) {
        for (const auto& part : meshParts) {
            if (!part->isPaintable()) continue;
            for (const auto& t : part->triangles()) out.push_back(t.get());
        }
    }
    if (recurse)
        for (const auto& child : children) child->collectTriangles(true, out);
}
