// tbFlyingSitePosition: a named starting position, the place and heading at
// which the simulator puts a model of one kind when a flight starts. Its
// manipulator moves it and turns it about the vertical axis only; it never
// scales.
//
// Record, 92 bytes, little-endian, no padding:
//   offset size field
//        0   64 name, NUL-terminated, zero bytes to the end of the field
//       64    4 kind (u32): see tbFlyingSitePositionKinds.h
//       68   12 position, 3 f32
//       80   12 rotation angles, 3 f32 (only the heading, y, changes)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/shell/tbRecordArchive.h"
#include "platform/d3dx/d3dxMathTypes.h"

class manipulator;

class tbFlyingSitePosition {
public:
    static constexpr size_t kRecordSize = 92;

    // A new position facing along z; the name is cut to what the record holds.
    tbFlyingSitePosition(const std::string& name, const d3dx::Vector3& position, uint32_t kind);
    // Reads the record; a failure is left in the archive.
    explicit tbFlyingSitePosition(tbReadArchive& in);
    tbFlyingSitePosition(const tbFlyingSitePosition& other);
    virtual ~tbFlyingSitePosition();
    // Reads one record: null when the archive fails, the reason left in it.
    static std::unique_ptr<tbFlyingSitePosition> read(tbReadArchive& in);
    tbFlyingSitePosition& operator=(const tbFlyingSitePosition&) = delete;

    // Appends the 92-byte record.
    virtual void save(tbWriteArchive& out) const;
    // Manipulator callbacks: the positions bar shows this position, or none
    // when it showed this one.
    virtual void onSelected(manipulator* source, int mode);
    virtual void onDeselected(manipulator* source, int mode);

    const std::string& getName() const { return m_name; }
    // Refuses (false, nothing changed) a name longer than the record holds
    // (tbSiteNames.h); else stores it and relabels the manipulator.
    bool setName(const std::string& name);
    uint32_t getKind() const { return m_kind; }
    void setKind(uint32_t kind);
    const d3dx::Vector3& getPosition() const { return m_position; }
    // Stores it and moves the manipulator.
    void setPosition(const d3dx::Vector3& position);
    const d3dx::Vector3& getAngles() const { return m_angles; }
    manipulator* getManipulator() const { return m_manipulator.get(); }
    // Makes the position's manipulator the selected one of the current
    // container.
    void activate();

    // A red heading arrow 100 units long and a yellow circle of radius 150.
    void render() const;

private:
    struct ManipulatorDeleter {
        void operator()(manipulator* m) const;
    };
    void makeManipulator();
    // "name (kind name)" after a change; the bare name at first.
    void relabel();
    template <class A, class Self>
    static void transfer(A& a, Self& self);

    std::string m_name;
    uint32_t m_kind = 0;
    d3dx::Vector3 m_position;
    d3dx::Vector3 m_angles;
    std::unique_ptr<manipulator, ManipulatorDeleter> m_manipulator;
};
