// tbCamera: the editor's camera.
//
// An engine camera that orbits a target at a distance (projection mode 0),
// shows the flat texture orthographically (1), or looks from the target
// through a field of view set by the distance (2, first person). Its
// orientation mode turns an orbit camera to one of six fixed axis views
// (1 Front .. 6 Right) and back to the free perspective (0), which returns to
// the rotation saved before the last mouse rotation step.
//
// The view's camera (the one the user drives: `tbCamera::viewCamera`) takes
// the mouse wheel, the Up and Down keys and right/middle drags while the
// mouse gate is open, and drags the scene's first light along as a headlight.
// A camera is stored in project files as the 804-byte record of
// tbCameraRecord.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/shell/tbCameraRecord.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simCamera.h"

// What a camera is made with, and what Reset puts back.
struct tbCameraPreset {
    enum class Rotation { none, angles, yawPitchRoll };
    const char* name;
    d3dx::Vector3 target;
    float distance, nearZ, farZ;
    uint32_t projectionMode;
    Rotation rotationKind;
    d3dx::Vector3 rotation;  // (pitch, yaw, 0) for angles; (yaw, pitch, roll) for yawPitchRoll
};

class tbCamera : public simCamera {
public:
    static constexpr uint32_t kOrbit = 0, kOrthographic = 1, kFirstPerson = 2;
    // Degrees of the shortened pi the stored files and fixed views are built on.
    static constexpr float kPi = 3.1415f;
    static constexpr float kHalfPi = 1.57075f;
    // The Up/Down key zoom: 1.025 (or 0.975) per step of a 60 Hz frame,
    // scaled by the time the key is held so the speed is the same at any
    // frame rate.
    static constexpr double kKeyZoomStepMs = 1000.0 / 60.0;

    tbCamera(std::string name, const d3dx::Vector3& target, float distance, float nearZ, float farZ,
             uint32_t projectionMode);
    // Made from a preset, with the preset's rotation applied.
    explicit tbCamera(const tbCameraPreset& preset);
    ~tbCamera() override;

    std::string getTypeName() override { return "tbCamera"; }

    void setDistance(float distance) { m_distance = distance; }
    void setTarget(const d3dx::Vector3& target) { m_target = target; }
    void moveTarget(const d3dx::Vector3& by);
    // Angles (pitch, yaw, z ignored); rotation = RotationY(yaw) x RotationX(pitch).
    void setRotation(const d3dx::Vector3& angles);
    void setRotationMatrix(const d3dx::Matrix& rotation) { m_orientation = rotation; }
    // Stores the mode and sets its projection on the renderer at once.
    void setProjectionMode(uint32_t mode);
    // 0..6 (see the top); anything else is ignored. The matrices are rebuilt,
    // the camera becomes current and the project is refreshed.
    void setOrientationMode(uint32_t mode);
    // Back to the preset: free perspective first (so nothing saved comes
    // back), then the preset's modes, target, distance, rotation and lens;
    // the reset rotation becomes the saved one.
    void reset(const tbCameraPreset& preset);

    // ---- Engine camera.
    void updateMatrices() override;
    void preRender() override { updateMatrices(); }
    void onEvent(simInputEvent* event) override;
    void update() override {}
    void dynamicsStep(float) override {}
    void fixedUpdate() override {}

    // ---- The record. `load` checks what it reads: a short or damaged
    // record leaves the camera at its preset (made cameras) or as it was,
    // and gives false. Both do nothing and give false without a file.
    bool save(FILE* file) const;
    bool load(FILE* file);
    tbCameraRecord toRecord() const;
    bool fromRecord(const tbCameraRecord& record);

    // ---- The camera the view's input drives (the scene's current camera).
    static tbCamera* viewCamera() { return s_viewCamera; }
    static void setViewCamera(tbCamera* camera) { s_viewCamera = camera; }

    const d3dx::Vector3& target() const { return m_target; }
    const d3dx::Vector3& angles() const { return m_angles; }
    float distance() const { return m_distance; }
    uint32_t projectionMode() const { return m_projectionMode; }
    uint32_t orientationMode() const { return m_orientationMode; }
    const d3dx::Matrix& savedRotation() const { return m_savedRotation; }

private:
    void applyPresetRotation(const tbCameraPreset& preset);
    // Matrices, current camera, project refresh: what every zoom ends with.
    void afterZoom();
    void zoomByKey(simInputEvent* event);
    void drag(simInputEvent* event);
    void dragHeadlight();
    d3dx::Matrix projectionFor(uint32_t mode, float nearZ);

    d3dx::Vector3 m_target;
    d3dx::Vector3 m_angles;
    float m_distance = 0.0f;
    float m_afterDistance = 3.0f;  // kept for the record
    uint32_t m_projectionMode = 0;
    uint32_t m_orientationMode = 0;
    d3dx::Matrix m_savedRotation = d3dx::Matrix::identity();
    utils::Timer m_zoomKeyStopwatch;
    const tbCameraPreset* m_preset = nullptr;

    static inline tbCamera* s_viewCamera = nullptr;
};

// The application's four cameras as they are made, in the scene's order:
// "Texture", "Perspective", "POV", "Top-down".
extern const tbCameraPreset kStartCameraPresets[4];
// What the Reset command puts back (the perspective camera's far plane
// lies further than at start).
extern const tbCameraPreset kResetCameraPresets[4];
