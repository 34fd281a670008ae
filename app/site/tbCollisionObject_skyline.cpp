#include "app/site/tbCollisionObject_skyline.h"

#include "app/site/tbSiteEditorSettings.h"
#include "app/site/tbSiteGizmo.h"
#include "engine/graphics/manipulator.h"

template <class A, class Self>
void tbCollisionObject_skyline::transferTail(A& a, Self& self) {
    if constexpr (A::kReading) {
        // Posts left unset (a base or top exactly at the origin) are dropped.
        std::vector<tbSkylinePoint> posts;
        if (!a.unsignedCount(posts, kPostRecordSize, "skyline posts")) return;
        for (tbSkylinePoint& post : posts) {
            tbTransferVec3(a, post.base);
            tbTransferVec3(a, post.top);
            if (post.base != d3dx::Vector3() && post.top != d3dx::Vector3()) self.m_points.push_back(post);
        }
    } else {
        a.unsignedCount(self.m_points, kPostRecordSize, "skyline posts");
        for (const tbSkylinePoint& post : self.m_points) {
            tbTransferVec3(a, post.base);
            tbTransferVec3(a, post.top);
        }
    }
}

tbCollisionObject_skyline::tbCollisionObject_skyline(const std::string& name)
    : tbCollisionObject(type_skyline, name, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}) {
    // The posts are world points: a new skyline is never moved as a whole.
    m_manipulatorShown = 0;
    tbEnableGizmo(getManipulator(), false);
}

tbCollisionObject_skyline::tbCollisionObject_skyline(tbReadArchive& in) : tbCollisionObject(in) {
    transferTail(in, *this);
}

tbCollisionObject_skyline::tbCollisionObject_skyline(const tbCollisionObject_skyline& other)
    : tbCollisionObject(other), m_points(other.m_points) {}

std::unique_ptr<tbCollisionObject> tbCollisionObject_skyline::clone(const d3dx::Vector3& position) const {
    auto copy = std::make_unique<tbCollisionObject_skyline>(*this);
    copy->setPosition(position);
    return copy;
}

void tbCollisionObject_skyline::save(tbWriteArchive& out) const {
    tbCollisionObject::save(out);
    transferTail(out, *this);
}

bool tbCollisionObject_skyline::isEditing() const {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    return settings && settings->skylineEditPoints() && isSelected();
}

void tbCollisionObject_skyline::removeLastPoint() {
    if (!m_points.empty()) m_points.pop_back();
}
