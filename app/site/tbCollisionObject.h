// tbCollisionObject: the common base of a flying site's collision objects,
// the shapes the simulator uses for the ground, obstacles, surface
// materials, wind and the horizon.
//
// Five kinds derive from it, each with its type tag, its record tail and its
// own editing: primitive (0), height map (1), area (2), marker (3) and
// skyline (4). The base holds the name, the stored flags, the surface
// material, the transform and the object's manipulator (the gizmo that moves,
// turns and scales it), answers the manipulator's callbacks and draws the
// selection cross.
//
// Records: every object writes the 239-byte base record below followed by
// its kind's tail; the project file stores each object behind its type tag
// (tbCollisionObjectRecords.h reads and writes an object by tag).
//
//   offset size field
//        0   64 name, NUL-terminated, zero bytes to the end of the field
//       64    1 draw (u8)
//       65    1 flag A (u8), stored and copied only
//       66    1 flag B (u8), stored and copied only
//       67    4 type tag (u32)
//       71    4 material: the surface kind's id (u32)
//       75   64 rotation matrix, 16 f32, row by row
//      139   64 world matrix, 16 f32
//      203   12 position, 3 f32 (world units: centimetres)
//      215   12 scale, 3 f32
//      227   12 rotation angles, 3 f32 (radians, as the manipulator keeps them)
//
// Selection is not a field: an object is selected while its manipulator is
// the current manipulator container's selected one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/shell/tbRecordArchive.h"
#include "platform/d3dx/d3dxMathTypes.h"

class manipulator;
struct simInputEvent;

class tbCollisionObject {
public:
    enum Type : uint32_t {
        type_primitive = 0,
        type_heightMap = 1,
        type_area = 2,
        type_marker = 3,
        type_skyline = 4,
    };
    static constexpr uint32_t kTypeCount = 5;
    static constexpr size_t kBaseRecordSize = 239;

    virtual ~tbCollisionObject();
    tbCollisionObject& operator=(const tbCollisionObject&) = delete;

    // ---- Per frame, called by the project.
    // Draws the object; the base draws the selection cross. Kinds draw
    // themselves, then call the base. Nothing while not visible.
    virtual void render();
    // Per-frame work (the height map's brush).
    virtual void update() {}
    virtual std::string getClassName() const { return "tbCollisionObject"; }
    // Input from the 3-D view: point and surface editing of the kinds.
    virtual void onEvent(const simInputEvent& event);

    // A copy with a manipulator of its own, moved to `position`.
    virtual std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const = 0;
    // Appends the object's record (base record, then the kind's tail).
    virtual void save(tbWriteArchive& out) const;
    // True while the object is selected and its editor's edit toggle is
    // checked (areas, skylines, height maps).
    virtual bool isEditing() const { return false; }

    // ---- Manipulator callbacks (given the manipulator and its mode).
    // A drag step moved, turned or scaled the object.
    virtual void onManipulated(manipulator* source, int mode);
    // The collision bar shows the object; a wind-area also shows in the
    // weather bar.
    virtual void onSelected(manipulator* source, int mode);
    // The collision bar shows none when it showed this object; a wind-area
    // also clears the weather bar.
    virtual void onDeselected(manipulator* source, int mode);

    // ---- Stored values.
    const std::string& getName() const { return m_name; }
    // Refuses (false, nothing changed) a name longer than the record's field
    // holds (tbSiteNames.h); else stores it and labels the manipulator.
    bool setName(const std::string& name);
    uint32_t getType() const { return m_type; }
    // An area of the wind kind, whose values the weather bar shows.
    virtual bool isWindArea() const { return false; }
    uint32_t getMaterial() const { return m_material; }
    void setMaterial(uint32_t material) { m_material = material; }
    bool getDraw() const { return m_draw != 0; }
    void setDraw(bool draw) { m_draw = draw ? 1 : 0; }
    uint8_t getFlagA() const { return m_flagA; }
    uint8_t getFlagB() const { return m_flagB; }
    // The editor's "Visible": while off the object draws nothing, takes no
    // editing and its manipulator stays hidden. Not stored; on for every
    // object made.
    bool isVisible() const { return m_visible != 0; }
    void setVisible(bool visible) { m_visible = visible ? 1 : 0; }

    const d3dx::Vector3& getPosition() const { return m_position; }
    // Stores the position and moves the manipulator there.
    void setPosition(const d3dx::Vector3& position);
    const d3dx::Vector3& getScale() const { return m_scale; }
    const d3dx::Vector3& getAngles() const { return m_angles; }
    const d3dx::Matrix& getRotationMatrix() const { return m_rotation; }
    const d3dx::Matrix& getWorldMatrix() const { return m_world; }
    // world = scaling(scale) x rotation matrix x translation(position).
    void updateWorldMatrix();

    // ---- Selection through the current manipulator container.
    manipulator* getManipulator() const { return m_manipulator.get(); }
    // Shows the object's manipulator, drawn and picked, or hides it. It
    // stays hidden while the object is not visible, and always for a kind
    // that keeps it hidden (a new skyline).
    void enableManipulator(bool enabled);
    // Makes the object's manipulator the selected one.
    void activate();
    // Clears the selection when it is this object's manipulator.
    void deactivate();
    bool isSelected() const;
    // The manipulator is under the cursor or being dragged: point and surface
    // editing waits meanwhile.
    bool isManipulatorBusy() const;

protected:
    // A new object: draw 1, flag A 1, flag B 0, visible, material 0, both
    // matrices the identity. The name is cut to what the record holds.
    tbCollisionObject(Type type, const std::string& name, const d3dx::Vector3& position,
                      const d3dx::Vector3& angles, const d3dx::Vector3& scale);
    // Reads the base record; a failure is left in the archive.
    explicit tbCollisionObject(tbReadArchive& in);
    // Copies the stored values; visible, with a manipulator of its own.
    tbCollisionObject(const tbCollisionObject& other);

    // Whether the mouse may act in the 3-D view now (the engine
    // application's mouse gate; open without an application, as the
    // engine's mouse takes it).
    static bool mouseGateOpen();
    // Point and surface editing goes on only while the object is visible,
    // the mouse gate is open, the object is selected, its manipulator is not
    // busy and the editor's edit toggle (`toggle`) is checked.
    bool takesEdits(bool toggle) const;
    // The selection cross, drawn by every kind but the marker.
    void renderSelectionCross() const;

    std::string m_name;
    uint8_t m_draw = 1;
    uint8_t m_flagA = 1;
    uint8_t m_flagB = 0;
    uint8_t m_visible = 1;
    uint32_t m_type = type_primitive;
    uint32_t m_material = 0;
    d3dx::Matrix m_rotation = d3dx::Matrix::identity();
    d3dx::Matrix m_world = d3dx::Matrix::identity();
    d3dx::Vector3 m_position;
    d3dx::Vector3 m_scale{1, 1, 1};
    d3dx::Vector3 m_angles;
    // Cleared by a kind whose manipulator is never shown.
    uint8_t m_manipulatorShown = 1;

private:
    struct ManipulatorDeleter {
        void operator()(manipulator* m) const;
    };
    // The manipulator of every constructor: translation, rotation and
    // scaling, linked to position, angles, scale and the rotation matrix,
    // labelled with the name, its callbacks pointing here.
    void makeManipulator();
    // The base record's fields in order, for the reading and the writing
    // archive alike (Self is const when writing).
    template <class A, class Self>
    static void transferBase(A& a, Self& self);
    std::unique_ptr<manipulator, ManipulatorDeleter> m_manipulator;
};
