// simSafeDeleteObject: the base of every engine object that may be deleted
// while something else still walks over it (resources, GUI elements,
// cameras, timers, sound instances).
//
// Deletion is requested with `safeDelete` and carried out later, between the
// frame's update and its redraw, by `simApplication::purgeSafeDeleteObjects`.
// Until then the object stays fully usable. A delayed object is deleted only
// once more than 3000 ms have passed since the request, so that something let
// go and asked for again soon (a resource) can be taken back with
// `cancelSafeDelete` instead of being made anew.
//
// Invariant: an object is on the application's safe-delete list exactly while
// it is marked. Deleting a marked object directly takes it off the list, so
// the purge never touches it again.
#pragma once

#include <string>

#include "engine/core/utilsTimer.h"

class simSafeDeleteObject {
public:
    // Milliseconds a delayed object waits after its request before the purge
    // may delete it (strictly more than this must have passed).
    static constexpr double kDelayMs = 3000.0;

    explicit simSafeDeleteObject(bool delayed = false);
    virtual ~simSafeDeleteObject();

    simSafeDeleteObject(const simSafeDeleteObject&) = delete;
    simSafeDeleteObject& operator=(const simSafeDeleteObject&) = delete;

    // The class name; every subclass returns its own.
    virtual std::string getTypeName();

    // ---- Deferred deletion
    // Requests deletion: marks the object and appends it to the application's
    // safe-delete list (a delayed object also restarts its stopwatch). Nothing
    // when no application exists or the object is already marked.
    void safeDelete();
    // Withdraws a request: clears the mark and takes the object off the list.
    // Nothing when no application exists or the object is not marked.
    void cancelSafeDelete();

    bool isMarkedForDeletion() const { return m_marked; }
    bool isDelayed() const { return m_delayed; }

    // True when an ordinary purge may delete the object now: marked, and
    // either not delayed or requested more than kDelayMs ago.
    bool isDueForDeletion() const;

private:
    bool m_marked = false;
    bool m_delayed = false;
    utils::Timer m_stopwatch;  // runs from the request of a delayed object
};
