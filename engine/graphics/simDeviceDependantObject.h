// simDeviceDependantObject: the base of every holder of device resources.
//
// A device can be lost, or reset to change its settings; resources in the
// default pool must then be released before the reset and made again after
// it. Every object that holds such resources derives from this class and is
// told through six hooks, in this order:
//   before the reset: onDeviceRelease, onDeviceReset (keep what must survive,
//                     release the default-pool resources), onDeviceResetEnd;
//   after a successful reset: onDeviceRestoreBegin, onDeviceRestore (make the
//                     resources again from what was kept), onDeviceRecreate
//                     (make again what is built rather than restored).
// Objects that hold the user's work copy it into memory on the reset phase
// and put it back on the restore, so it comes back unchanged.
//
// The constructor puts the object on the renderer's list (the renderer must
// exist) unless it is made unregistered; the destructor takes it off while
// the graphics system and its renderer exist. Unregistered objects (the scene
// and its pass handlers) are called by their owner instead.
#pragma once

#include <cstdint>
#include <string>

class simDeviceDependantObject {
public:
    explicit simDeviceDependantObject(bool unregistered = false);
    virtual ~simDeviceDependantObject();

    simDeviceDependantObject(const simDeviceDependantObject&) = delete;
    simDeviceDependantObject& operator=(const simDeviceDependantObject&) = delete;

    virtual void onDeviceRelease() {}
    virtual void onDeviceReset() {}
    virtual void onDeviceResetEnd() {}
    virtual void onDeviceRestoreBegin() {}
    virtual void onDeviceRestore() {}
    virtual void onDeviceRecreate() {}
    virtual std::string getTypeName() { return "simDeviceDependantObject"; }

    bool isUnregistered() const { return m_unregistered; }

private:
    bool m_unregistered;
};
