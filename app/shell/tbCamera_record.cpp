// The camera's record in project files (layout in tbCameraRecord.h).
#include <algorithm>
#include <cmath>

#include "app/shell/tbCamera.h"
#include "engine/core/simApplicationLog.h"

tbCameraRecord tbCamera::toRecord() const {
    tbCameraRecord r;
    r.angles = m_angles;
    r.projectionMode = m_projectionMode;
    r.orientationMode = m_orientationMode;
    r.savedRotation = m_savedRotation;
    r.name = m_name;
    r.target = m_target;
    r.position = m_position;
    r.forward = m_forward;
    r.up = m_up;
    r.sphereCentre = getFrustumCentre();
    r.distance = m_distance;
    r.afterDistance = m_afterDistance;
    r.fieldOfView = m_fieldOfView;
    r.aspect = m_aspect;
    r.nearZ = m_near;
    r.farZ = m_far;
    r.sphereRadius = getFrustumRadius();
    r.rotation = m_orientation;
    r.view = m_view;
    r.projection = m_projection;
    r.inverseView = m_inverseView;
    r.inverseRotation = m_inverseOrientation;
    return r;
}

bool tbCamera::fromRecord(const tbCameraRecord& r) {
    m_angles = r.angles;
    m_projectionMode = r.projectionMode;
    m_orientationMode = r.orientationMode;
    m_savedRotation = r.savedRotation;
    m_name = r.name;
    m_target = r.target;
    // Kept where the camera's controls can bring it: orbit distances above
    // zero, first-person distances where the field of view stays defined.
    const float lowest = m_projectionMode == kFirstPerson ? -1.0f : 0.01f;
    m_distance = std::clamp(r.distance, lowest, 1.0e7f);
    m_afterDistance = r.afterDistance;
    m_fieldOfView = r.fieldOfView;
    m_aspect = r.aspect;
    m_near = r.nearZ;
    m_far = r.farZ;
    m_orientation = r.rotation;
    updateMatrices();
    return true;
}

bool tbCamera::save(FILE* file) const {
    if (!file) return false;
    const auto bytes = tbWriteCameraRecord(toRecord());
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool tbCamera::load(FILE* file) {
    if (!file) return false;
    uint8_t bytes[tbCameraRecord::kSize];
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    tbCameraRecord record;
    std::string reason;
    if (tbReadCameraRecord(bytes, got, record, &reason)) return fromRecord(record);
    simLog("ERROR: tbCamera::load - " + m_name + ": " + reason + "; the camera keeps its defaults\n");
    if (m_preset) reset(*m_preset);
    return false;
}
