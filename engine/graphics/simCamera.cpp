#include "engine/graphics/simCamera.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "engine/core/simApplication.h"
#include "engine/core/simDynamics.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

simScene* currentScene() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

// The process's named locks: cameras that draw the same name share one, as
// named mutexes would. A lock lives while a camera holds it.
std::shared_ptr<std::recursive_mutex> openNamedMutex(const std::string& name) {
    static std::map<std::string, std::weak_ptr<std::recursive_mutex>> table;
    std::shared_ptr<std::recursive_mutex> mutex = table[name].lock();
    if (!mutex) {
        mutex = std::make_shared<std::recursive_mutex>();
        table[name] = mutex;
    }
    // Forget names whose lock went away, so the table stays small.
    for (auto it = table.begin(); it != table.end();) it = it->second.expired() ? table.erase(it) : std::next(it);
    return mutex;
}

}  // namespace

// ---- simFrustumPlane

void simFrustumPlane::normalise() {
    const float fa = static_cast<float>(a), fb = static_cast<float>(b), fc = static_cast<float>(c);
    const float length = std::sqrt(fa * fa + fb * fb + fc * fc);
    if (length > 0.0f) {
        a /= length;
        b /= length;
        c /= length;
        d /= length;
    }
    normal = d3dx::Vector3(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c));
}

double simFrustumPlane::distance(const d3dx::Vector3& p) const {
    return static_cast<double>(normal.x * p.x + normal.y * p.y + normal.z * p.z) + d;
}

// ---- Lifetime

simCamera::simCamera(std::string name, const d3dx::Matrix* view, const d3dx::Matrix* projection,
                     const simViewport* viewport, uintptr_t owner)
    : simObject(true, true, true, true),
      simSafeDeleteObject(false),
      simDeviceDependantObject(false),
      m_name(std::move(name)),
      m_owner(owner) {
    m_view = view ? *view : d3dx::Matrix::identity();
    if (viewport) m_viewport = *viewport;
    m_projection = projection ? *projection : d3dx::Matrix::identity();

    float width = 0.0f, height = 0.0f;
    backBufferSize(width, height);
    setViewport(d3dx::Vector2(0.0f, 0.0f), d3dx::Vector2(width, height));

    if (simScene* scene = currentScene()) scene->addCamera(this);
    if (g_dynamics) g_dynamics->addObject(this);

    char mutexName[32];
    std::snprintf(mutexName, sizeof mutexName, "simCamera_%d", std::rand() % 65536);
    m_mutexName = mutexName;
    m_mutex = openNamedMutex(m_mutexName);
}

simCamera::~simCamera() {
    if (simScene* scene = currentScene()) scene->removeCamera(this);
    // A camera deleted with its scene no longer reaches it; the graphics
    // system must still let go of it.
    if (g_graphics && g_graphics->getCurrentCamera() == this) g_graphics->setCurrentCamera(nullptr);
    m_mutex.reset();
    if (g_dynamics) g_dynamics->removeObject(this);
}

bool simCamera::backBufferSize(float& width, float& height) {
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    if (!window) return false;
    width = window->getBackBufferWidth();
    height = window->getBackBufferHeight();
    return true;
}

void simCamera::onDeviceRestore() {
    float width = 0.0f, height = 0.0f;
    backBufferSize(width, height);
    m_viewport.X = 0;
    m_viewport.Y = 0;
    m_viewport.Width = static_cast<uint32_t>(width);
    m_viewport.Height = static_cast<uint32_t>(height);
    m_viewport.MinZ = 0.0f;
    m_viewport.MaxZ = 1.0f;
    updateProjection();
    updateMatrices();
}

// ---- Drawing through the camera

void simCamera::apply() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer) return;
    renderer->setCameraViewport(this);
    renderer->setTransform(2, &m_view);
    renderer->setTransform(0, &m_projection);
}

// ---- Viewport and projection

void simCamera::setViewportRect(const d3dx::Vector2& position, const d3dx::Vector2& size) {
    // Truncation toward zero, as the viewport's unsigned fields hold whole
    // pixels; negative values are not meaningful and become 0.
    auto pixels = [](float v) { return v > 0.0f ? static_cast<uint32_t>(v) : 0u; };
    m_viewport.X = pixels(position.x);
    m_viewport.Y = pixels(position.y);
    m_viewport.Width = pixels(size.x);
    m_viewport.Height = pixels(size.y);
}

void simCamera::setViewport(const d3dx::Vector2& position, const d3dx::Vector2& size) {
    setViewportRect(position, size);
    updateProjection();
}

void simCamera::updateProjection() {
    float w = 0.0f, h = 0.0f;
    const bool sized = backBufferSize(w, h) && w >= 1.0f && h >= 1.0f;
    if (sized) {
        if (static_cast<float>(m_viewport.X) > w - 1.0f) m_viewport.X = static_cast<uint32_t>(w - 1.0f);
        if (static_cast<float>(m_viewport.Y) > h - 1.0f) m_viewport.Y = static_cast<uint32_t>(h - 1.0f);
    }
    if (m_viewport.Width == 0) m_viewport.Width = 1;
    if (m_viewport.Height == 0) m_viewport.Height = 1;
    if (sized) {
        if (static_cast<float>(m_viewport.Width) > w) m_viewport.Width = static_cast<uint32_t>(w);
        if (static_cast<float>(m_viewport.Height) > h) m_viewport.Height = static_cast<uint32_t>(h);
    }
    m_aspect = static_cast<float>(m_viewport.Width) / static_cast<float>(m_viewport.Height);
    rebuildPerspective();
}

void simCamera::setNearPlane(float distance) {
    m_near = distance;
    rebuildPerspective();
}

void simCamera::setFarPlane(float distance) {
    m_far = distance;
    rebuildPerspective();
}

void simCamera::rebuildPerspective() {
    d3dx::MatrixPerspectiveFovRH(&m_projection, m_fieldOfView, m_aspect, m_near, m_far);
}

// ---- Inverses and frustum

void simCamera::updateInverseMatrices() {
    d3dx::MatrixInverse(&m_inverseView, nullptr, &m_view);
    m_position = d3dx::Vector3(m_inverseView._41, m_inverseView._42, m_inverseView._43);

    d3dx::MatrixInverse(&m_inverseOrientation, nullptr, &m_orientation);
    const d3dx::Vector3 zAxis(0.0f, 0.0f, 1.0f), yAxis(0.0f, 1.0f, 0.0f);
    d3dx::Vec3TransformCoord(&m_forward, &zAxis, &m_inverseOrientation);
    d3dx::Vec3TransformCoord(&m_up, &yAxis, &m_inverseOrientation);

    d3dx::MatrixInverse(&m_inverseProjection, nullptr, &m_projection);
    updateFrustum();
    // A camera that moved, however it was moved, is drawn from where it is
    // now: by the frame being drawn when the frame itself moved it (the
    // cameras rebuild as the redraw starts), else by the next one.
    if (m_view != m_drawnView || m_projection != m_drawnProjection) {
        m_drawnView = m_view;
        m_drawnProjection = m_projection;
        if (g_application && !g_application->isDrawing()) g_application->requestRedraw();
    }
}

void simCamera::updateFrustum() {
    d3dx::Matrix m;
    d3dx::MatrixMultiply(&m, &m_view, &m_projection);
    // Column j of the combined matrix as a plane: its four rows are a, b, c, d.
    auto column = [&m](int j) {
        simFrustumPlane p;
        p.a = m.m[0][j];
        p.b = m.m[1][j];
        p.c = m.m[2][j];
        p.d = m.m[3][j];
        return p;
    };
    auto combine = [](const simFrustumPlane& x, const simFrustumPlane& y, double sign) {
        simFrustumPlane p;
        p.a = x.a + sign * y.a;
        p.b = x.b + sign * y.b;
        p.c = x.c + sign * y.c;
        p.d = x.d + sign * y.d;
        return p;
    };
    const simFrustumPlane c1 = column(0), c2 = column(1), c3 = column(2), c4 = column(3);
    m_planes[left] = combine(c4, c1, 1.0);
    m_planes[right] = combine(c4, c1, -1.0);
    m_planes[top] = combine(c4, c2, -1.0);
    m_planes[bottom] = combine(c4, c2, 1.0);
    m_planes[nearPlane] = c3;
    m_planes[farPlane] = combine(c4, c3, -1.0);
    for (int i = 0; i < planeCount; ++i) {
        m_planes[i].normalise();
        m_volume.planes[i].normal = m_planes[i].normal;
        m_volume.planes[i].d = m_planes[i].d;
    }

    // The sphere round the view volume: centred half-way between the near
    // and far planes on the line of sight, reaching the far corners. Those
    // lie aspect x h to the side and h up, h being the far plane's half
    // height: a wide view's corners lie farther out than its height alone
    // says, and a sphere that left them out would cull what is seen there.
    const float length = m_far - m_near;
    const float halfHeight = m_far * std::tan(m_fieldOfView * 0.5f);
    const float halfWidth = m_aspect * halfHeight;
    const float halfDepth = length * 0.5f;
    m_volume.radius = std::sqrt(halfWidth * halfWidth + halfHeight * halfHeight + halfDepth * halfDepth);
    const float along = m_near + halfDepth;
    m_volume.centre = d3dx::Vector3(m_position.x - m_forward.x * along, m_position.y - m_forward.y * along,
                                    m_position.z - m_forward.z * along);
}

bool simCamera::sphereInFrustum(const d3dx::Vector3& centre, float radius) const {
    for (const simFrustumPlane& plane : m_planes) {
        const double distance = plane.distance(centre);
        if (distance < -radius) return false;
        if (std::fabs(distance) < radius) return true;
    }
    return true;
}
