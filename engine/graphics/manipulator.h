// manipulator: the engine's 3-D gizmo for moving, turning and resizing one
// thing in the scene with the mouse.
//
// Three axis arrows and a centre square translate, three rings rotate, three
// axis boxes and a centre box scale. The manipulator keeps its own position,
// Euler rotation (with the matrix built from it) and scale, writes each change
// through to the targets its owner points it at and reports selection,
// deselection and every drag step through callbacks.
//
// Which handles show: `chooseMode` from the enabled modes and the keys held
// (Shift prefers scaling, Ctrl rotation). Hit tests are boxes of 10 pixels
// each way around a handle's screen point, in back-buffer pixels.
//
// Screen geometry: the screen centre and the axis handles are projected with
// the matrices and viewport captured at the last draw, so the hit tests agree
// with what is on the screen; a manipulator that was never drawn, or whose
// position lay beyond the far plane at its last draw, takes no events.
//
// Containers: a manipulator joins the current `manipulatorContainer` when it
// is made and remembers it; it leaves that same container when it is
// destroyed, whichever container is current by then. The container tells
// which manipulator has the mouse (`active`) and which was last pressed
// (`selected`); the owner destroys its manipulators, the container never does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/simObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class manipulatorContainer;
struct simPrimitiveBatch;

class manipulator : public simObject {
public:
    enum Mode : int { mode_translate = 0, mode_rotate = 1, mode_scale = 2 };
    // Callback slots: 0 is kept and never called.
    enum CallbackKind : int { callback_unused = 0, callback_selected = 1, callback_deselected = 2, callback_changed = 3 };
    static constexpr int kCallbackCount = 4;
    using Callback = void (*)(manipulator* source, int mode, void* userData);

    // Axis value of the hovered and dragged members: none, or the centre.
    static constexpr int kNoAxis = -1;
    static constexpr int kCentre = 3;
    // Half the side of the hit box around a handle, and the distance from the
    // screen centre under which an axis handle counts as seen end-on (pixels).
    static constexpr float kHitBox = 10.0f;
    // The screen length the handles cover (pixels).
    static constexpr float kHandlePixels = 100.0f;
    // A deselecting right click must come this long after the selection (ms).
    static constexpr double kDeselectDelayMs = 250.0;
    // The smallest scale factor a drag may give: a drag through the centre
    // would otherwise collapse or mirror the target.
    static constexpr float kMinScaleFactor = 0.001f;
    static constexpr int kRingSegments = 32;

    // Joins the current container (see the top). The three vectors (null:
    // zero, and one for the scale) are read once; they are not targets.
    manipulator(bool translate, const d3dx::Vector3* position, bool rotate, const d3dx::Vector3* rotation,
                bool scale, const d3dx::Vector3* scaleValue);
    // Leaves its container; when it was the container's active or selected
    // one, that member becomes null.
    ~manipulator() override;

    std::string getClassName() override { return "manipulator"; }
    void onEvent(simInputEvent* event) override;

    // ---- Setters: no callback, start values untouched. Each writes its
    // target when there is one; setRotation also rebuilds the matrix
    // RotationX(x) * RotationZ(z) * RotationY(y) and copies it to the matrix
    // target.
    void setPosition(const d3dx::Vector3& position);
    void setRotation(const d3dx::Vector3& rotation);
    void setScale(const d3dx::Vector3& scale);
    // While axis a is scale-dragged, axis b takes its scale and factor.
    // Axes outside 0..2 are ignored.
    void linkScaleAxes(int a, int b);
    // Stores the pair in slot kind (0..3; other kinds are ignored).
    void setCallback(int kind, Callback function, void* userData);
    void setLabel(const std::string& label, const simColour& colour);

    // ---- State
    // Visible, enabled and a handle under the cursor or dragged.
    bool isDragging() const;
    // Visible, enabled and a handle held down.
    bool isHovered() const;
    // 0 translate, 1 rotate, 2 scale (see the top).
    int chooseMode() const;

    const d3dx::Vector3& getPosition() const { return m_position; }
    const d3dx::Vector3& getRotation() const { return m_rotation; }
    const d3dx::Vector3& getScale() const { return m_scale; }
    const d3dx::Matrix& getRotationMatrix() const { return m_rotationMatrix; }
    const d3dx::Vector3& getPositionStep() const { return m_positionStep; }
    const d3dx::Vector3& getRotationStep() const { return m_rotationStep; }
    const d3dx::Vector3& getScaleStep() const { return m_scaleStep; }
    const d3dx::Vector3& getScaleFactors() const { return m_scaleFactors; }
    const std::string& getLabel() const { return m_label; }
    const simColour& getLabelColour() const { return m_labelColour; }
    bool hasMouse() const { return m_hasMouse != 0; }
    bool isOnScreen() const { return m_onScreen != 0; }
    float getHandleLength() const { return m_handleLength; }
    const d3dx::Vector2& getScreenCentre() const { return m_screenCentre; }
    const d3dx::Vector2& getTranslateHandleScreen(int axis) const { return m_translateScreen[axis]; }
    const d3dx::Vector2& getScaleHandleScreen(int axis) const { return m_scaleScreen[axis]; }
    const std::vector<d3dx::Vector2>& getRingScreenPoints(int axis) const { return m_ringScreen[axis]; }
    int getHoveredAxis(int mode) const { return m_hovered[mode]; }
    int getDraggedAxis(int mode) const { return m_dragged[mode]; }
    // The container it joined; null once that container is gone.
    manipulatorContainer* getContainer() const { return m_container; }
    // The text beside the centre for the label mode (empty: no label).
    std::string getLabelText() const;

    // ---- Screen geometry and drawing
    // Screen centre, handle length and the handles of the current mode.
    void updateHandles();
    // A ring of world points around centre and their projections with the
    // renderer's current matrices; see manipulatorHandles.cpp.
    void buildRing(std::vector<d3dx::Vector3>& worldPoints, std::vector<d3dx::Vector2>& screenPoints,
                   const d3dx::Vector3& centre, float radius, int segments, bool cutBackHalf,
                   const d3dx::Vector3* facing, const d3dx::Matrix* matrix) const;
    // Captures the view, sets on screen and appends the handles to the batch
    // (nothing when not visible). Without a renderer the view is still
    // captured, so events work, and nothing is appended.
    void draw(simPrimitiveBatch* batch);

    // ---- Owner settings, written directly.
    uint8_t visible = 1;
    uint8_t enabled = 1;
    float translateAxes[3] = {1.0f, 1.0f, 1.0f};  // 0.0: no handle; locked in a free move
    float rotateAxes[3] = {1.0f, 1.0f, 1.0f};
    float scaleAxes[3] = {1.0f, 1.0f, 1.0f};
    d3dx::Vector3* positionTarget = nullptr;
    d3dx::Vector3* rotationTarget = nullptr;
    d3dx::Vector3* scaleTarget = nullptr;
    d3dx::Matrix* matrixTarget = nullptr;
    int32_t labelMode = 1;          // 0 none, 1 the label, 2 the position, 3 both
    int32_t localScaleHandles = 1;  // 1: scale handles follow the rotation matrix

private:
    friend class manipulatorContainer;

    struct Cursor {
        d3dx::Vector2 point;
        bool valid = false;
    };
    static Cursor cursor();
    // True when the cursor lies in the 10-pixel box around the point.
    static bool cursorNear(const d3dx::Vector2& point);
    bool takesEvents() const;
    void onMouseMove();
    void onMouseButton(const simInputEvent& event);
    void hoverTest(const d3dx::Vector2& cursorPoint, int mode);
    void dragTranslate(const d3dx::Vector2& cursorPoint);
    void dragScale(const d3dx::Vector2& cursorPoint);
    void dragRotate(const d3dx::Vector2& cursorPoint);
    void call(int kind);
    void setActive(manipulator* which);
    void rebuildRotationMatrix();
    void captureView();
    // The projection with the captured matrices and viewport.
    d3dx::Vector2 project(const d3dx::Vector3& point) const;
    // The camera's forward and up: the current camera's, else the captured ones.
    void cameraAxes(d3dx::Vector3* forward, d3dx::Vector3* up) const;
    bool axisSeenEndOn(const d3dx::Vector2& handle) const;
    void drawTranslate(simPrimitiveBatch* batch);
    void drawScale(simPrimitiveBatch* batch);
    void drawRotate(simPrimitiveBatch* batch);
    // The label beside the centre in "consoleFont".
    void drawLabel() const;
    uint32_t axisColour(int axis, int mode) const;

    manipulatorContainer* m_container = nullptr;
    uint8_t m_translateEnabled, m_rotateEnabled, m_scaleEnabled;
    uint8_t m_hasMouse = 0;
    uint8_t m_onScreen = 0;
    d3dx::Matrix m_rotationMatrix = d3dx::Matrix::identity();
    d3dx::Vector3 m_position, m_rotation, m_scale{1, 1, 1};
    d3dx::Vector3 m_startPosition, m_startRotation, m_startScale;
    d3dx::Vector3 m_positionStep, m_rotationStep, m_scaleStep;
    d3dx::Vector2 m_screenCentre;
    d3dx::Vector2 m_pressCursor;
    Callback m_callbacks[kCallbackCount] = {};
    void* m_callbackData[kCallbackCount] = {};
    d3dx::Vector3 m_translateEnds[3];
    d3dx::Vector2 m_translateScreen[3];
    d3dx::Vector3 m_scaleEnds[3];
    d3dx::Vector2 m_scaleScreen[3];
    d3dx::Vector3 m_scaleFactors{1, 1, 1};
    d3dx::Vector3 m_cameraForward{0, 0, 1}, m_cameraUp{0, 1, 0};
    std::vector<d3dx::Vector3> m_ringPoints[3];
    std::vector<d3dx::Vector2> m_ringScreen[3];
    int32_t m_hovered[3] = {kNoAxis, kNoAxis, kNoAxis};  // by mode
    int32_t m_dragged[3] = {kNoAxis, kNoAxis, kNoAxis};  // by mode
    float m_handleLength = 1.0f;
    std::string m_label;
    simColour m_labelColour;
    d3dx::Matrix m_world = d3dx::Matrix::identity(), m_view = d3dx::Matrix::identity(),
                 m_projection = d3dx::Matrix::identity();
    d3dx::Matrix m_cameraRotationInverse = d3dx::Matrix::identity();
    d3dx::Viewport m_viewport;
    uint8_t m_scaleLinks[3][3] = {};
    utils::Timer m_selectionWatch;  // started at construction, restarted at each selection
};
