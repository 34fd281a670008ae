// tbCollisionObject_marker (type tag 3): a named point on the ground, shown
// as a yellow flag in screen space with its name above it. Its manipulator
// moves it only along the ground (x and z). Its record is the base record
// alone (239 bytes).
#pragma once

#include "app/site/tbCollisionObject.h"

class tbCollisionObject_marker : public tbCollisionObject {
public:
    static constexpr size_t kRecordSize = kBaseRecordSize;

    tbCollisionObject_marker(const std::string& name, const d3dx::Vector3& position);
    explicit tbCollisionObject_marker(tbReadArchive& in);
    tbCollisionObject_marker(const tbCollisionObject_marker& other);

    std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const override;
    // The flag over the marker's point as the camera being drawn sees it;
    // nothing while the point lies outside the view's depth; no selection
    // cross.
    void render() override;

private:
    void restrictManipulator();
};
