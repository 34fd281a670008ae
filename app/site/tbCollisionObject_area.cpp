#include "app/site/tbCollisionObject_area.h"

#include "app/site/tbSiteEditorSettings.h"
#include "engine/graphics/manipulator.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

// A material-area lies this far above the ground, over it.
constexpr float kMaterialAreaHeight = 1.0f;
constexpr uint32_t kWallColour = 0x6400009Bu;
constexpr uint32_t kAlphaSelected = 200, kAlphaPlain = 100;
const d3dx::Vector3 kUp(0, 1, 0);

}  // namespace

template <class A, class Self>
void tbCollisionObject_area::transferTail(A& a, Self& self) {
    a.u32(self.m_subKind);
    if (a.ok() && self.m_subKind >= kSubKindCount) {
        a.fail("unknown area kind " + std::to_string(self.m_subKind));
        return;
    }
    if (!a.unsignedCount(self.m_points, kPointRecordSize, "area points")) return;
    for (auto& point : self.m_points) tbTransferVec3(a, point);
}

tbCollisionObject_area::tbCollisionObject_area(SubKind subKind, const std::string& name,
                                               const d3dx::Vector3& position)
    : tbCollisionObject(type_area, name, position, {0, 0, 0}, {1, 1, 1}), m_subKind(subKind) {
    configure();
}

tbCollisionObject_area::tbCollisionObject_area(tbReadArchive& in) : tbCollisionObject(in) {
    transferTail(in, *this);
    // The triangles follow from the points; those in the file are skipped.
    std::vector<char> triangles;
    if (in.unsignedCount(triangles, kTriangleRecordSize, "area triangles")) {
        in.skip(triangles.size() * kTriangleRecordSize);
        if (m_subKind == subKind_wind) {
            in.f32(m_windSpeed);
            in.f32(m_turbulence);
            in.f32(m_thermals);
        }
    }
    configure();
    if (in.ok()) buildGeometry();
}

tbCollisionObject_area::tbCollisionObject_area(const tbCollisionObject_area& other)
    : tbCollisionObject(other),
      m_subKind(other.m_subKind),
      m_windSpeed(other.m_windSpeed),
      m_turbulence(other.m_turbulence),
      m_thermals(other.m_thermals),
      m_triangles(other.m_triangles),
      m_points(other.m_points) {
    configure();
}

void tbCollisionObject_area::configure() {
    m_hovered = m_dragged = m_selected = -1;
    m_pressed = 0;
    manipulator& m = *getManipulator();
    auto set = [](float (&axes)[3], float x, float y, float z) {
        axes[0] = x;
        axes[1] = y;
        axes[2] = z;
    };
    set(m.rotateAxes, 0, 0, 0);
    switch (m_subKind) {
    case subKind_material:
        set(m.translateAxes, 1, 0, 1);
        set(m.scaleAxes, 0, 0, 0);
        break;
    case subKind_area:
        set(m.scaleAxes, 0, 1, 0);
        break;
    case subKind_wind:
        set(m.rotateAxes, 1, 1, 0);
        set(m.scaleAxes, 0, 1, 1);
        m.localScaleHandles = 0;
        break;
    }
}

std::unique_ptr<tbCollisionObject> tbCollisionObject_area::clone(const d3dx::Vector3& position) const {
    auto copy = std::make_unique<tbCollisionObject_area>(*this);
    copy->setPosition(position);
    return copy;
}

void tbCollisionObject_area::save(tbWriteArchive& out) const {
    tbCollisionObject::save(out);
    transferTail(out, *this);
    std::vector<simTriangle3D> triangles;
    makeTriangles(triangles, kAlphaPlain);
    out.unsignedCount(triangles, kTriangleRecordSize, "area triangles");
    for (const simTriangle3D& t : triangles) {
        for (auto [position, normal] : {std::pair{&t.p0, &t.n0}, {&t.p1, &t.n1}, {&t.p2, &t.n2}}) {
            tbTransferVec3(out, *position);
            tbTransferVec3(out, *normal);
        }
    }
    if (m_subKind == subKind_wind) {
        out.f32(m_windSpeed);
        out.f32(m_turbulence);
        out.f32(m_thermals);
    }
}

bool tbCollisionObject_area::isEditing() const {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    return settings && settings->areaEditPoints() && isSelected();
}

void tbCollisionObject_area::addPoint(const d3dx::Vector3& relative) { m_points.push_back(relative); }

d3dx::Vector3 tbCollisionObject_area::worldPoint(size_t index) const {
    const d3dx::Vector3& p = m_points[index];
    return {p.x + m_position.x, p.y, p.z + m_position.z};
}

void tbCollisionObject_area::recentre() {
    if (m_points.empty()) return;
    // The mean of the relative points is the move: the object goes by it and
    // the points the other way.
    double sumX = 0.0, sumZ = 0.0;
    for (const d3dx::Vector3& p : m_points) {
        sumX += p.x;
        sumZ += p.z;
    }
    const float dx = float(sumX / double(m_points.size()));
    const float dz = float(sumZ / double(m_points.size()));
    for (d3dx::Vector3& p : m_points) {
        p.x -= dx;
        p.z -= dz;
    }
    setPosition({m_position.x + dx, m_position.y, m_position.z + dz});
}

void tbCollisionObject_area::buildGeometry() {
    if (m_points.size() < 3) return;
    makeTriangles(m_triangles, isSelected() ? kAlphaSelected : kAlphaPlain);
}

void tbCollisionObject_area::makeTriangles(std::vector<simTriangle3D>& out, uint32_t alpha) const {
    out.clear();
    if (m_points.size() < 3) return;
    // The outline goes to the triangulator relative to the position: world
    // coordinates far from the origin would lose the triangulator's
    // precision and its start rule, and give no triangles at all.
    m_outline.clear();
    for (const d3dx::Vector3& p : m_points) m_outline.emplace_back(p.x, p.z, 0.0f, 0.0f);
    m_cut.clear();
    m_triangulator.triangulate(m_outline, &m_cut);
    const bool flat = m_subKind == subKind_material;
    const float top = flat ? kMaterialAreaHeight : m_position.y;
    auto world = [&](const d3dx::Vector4& p) { return d3dx::Vector3(p.x + m_position.x, top, p.y + m_position.z); };
    const uint32_t colour = alpha << 24 | (flat ? 0xFF0000u : 0xFFu);
    for (size_t i = 0; i + 2 < m_cut.size(); i += 3) {
        d3dx::Vector3 a = world(m_cut[i]), b = world(m_cut[i + 1]), c = world(m_cut[i + 2]);
        // A prism's top is wound the other way from a material-area's, as
        // the simulator reads the two kinds.
        if (!flat) std::swap(a, c);
        out.emplace_back(a, b, c, kUp, kUp, kUp, d3dx::Vector2(0, 0), d3dx::Vector2(1, 0), d3dx::Vector2(1, 1),
                         colour, colour, colour);
    }
    if (flat) return;
    const float bottom = m_position.y - m_scale.y * kWallDepthPerScale;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const d3dx::Vector3 p = worldPoint(i), n = worldPoint((i + 1) % m_points.size());
        const d3dx::Vector3 topP(p.x, top, p.z), topN(n.x, top, n.z);
        const d3dx::Vector3 bottomP(p.x, bottom, p.z), bottomN(n.x, bottom, n.z);
        d3dx::Plane wall;
        d3dx::PlaneFromPoints(&wall, &topP, &topN, &bottomN);
        const d3dx::Vector3 normal(wall.a, wall.b, wall.c);
        out.emplace_back(topP, topN, bottomN, normal, normal, normal, d3dx::Vector2(0, 0), d3dx::Vector2(1, 0),
                         d3dx::Vector2(1, 1), kWallColour, kWallColour, kWallColour);
        out.emplace_back(topP, bottomN, bottomP, normal, normal, normal, d3dx::Vector2(0, 0), d3dx::Vector2(1, 0),
                         d3dx::Vector2(1, 1), kWallColour, kWallColour, kWallColour);
    }
}
