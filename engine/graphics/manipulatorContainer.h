// manipulatorContainer: the manipulators that share the mouse.
//
// A container lists manipulators without owning them and knows which of them
// has the mouse (`active`: a handle under the cursor or a drag in progress)
// and which was pressed last (`selected`, until it is deselected). Only one
// manipulator of a container takes events while another is active.
//
// The current container: every container becomes current when it is made, so
// new manipulators join the newest one (the engine application's own, or the
// open project's). When a container goes, the container current before it
// becomes current again (simManipulatorContainerStack.h); a container that is
// not current leaves without disturbing the current one. Manipulators that
// are still listed when their container goes are let go of, not deleted:
// their owners delete them later, and they then touch no container.
#pragma once

#include <list>

class manipulator;
struct simSystemLinks;

class manipulatorContainer {
public:
    // Empty; becomes the current container.
    manipulatorContainer();
    // Lets go of every listed manipulator and leaves the current-container
    // stack (see the top).
    virtual ~manipulatorContainer();

    manipulatorContainer(const manipulatorContainer&) = delete;
    manipulatorContainer& operator=(const manipulatorContainer&) = delete;

    // The current container, or null.
    static manipulatorContainer* current();

    // The draw-all pass: depth writes off, depth test always, no culling,
    // world transform the identity, the scene's main camera current; every
    // listed manipulator appends its handles to one batch, which is drawn
    // once; depth writes and the less-or-equal test back on (culling stays
    // off). Needs the graphics system and its renderer.
    void drawAll();

    // ---- Membership, kept by the manipulators themselves.
    void add(manipulator* member);
    void remove(manipulator* member);
    const std::list<manipulator*>& getManipulators() const { return m_manipulators; }

    manipulator* active = nullptr;
    manipulator* selected = nullptr;

private:
    std::list<manipulator*> m_manipulators;
};

// Joins the containers to the engine application, which makes its own
// container among its systems and destroys it at shutdown. The program calls
// it once at start-up before it makes the engine application; tests do the
// same.
void simLinkManipulatorContainers(simSystemLinks& links);
