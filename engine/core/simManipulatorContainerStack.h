// Which manipulator container is current.
//
// Every container makes itself current when it is made, so the newest one is
// the one that new manipulators join. When a container goes, the one that was
// current before it becomes current again: the containers form a stack, and a
// container that is not on top may leave from the middle (a project closed
// while a newer one is open). The engine's global `g_manipulatorContainer`
// always names the top of the stack, or null when it is empty.
#pragma once

class manipulatorContainer;

// The container's constructor: it becomes current.
void pushCurrentManipulatorContainer(manipulatorContainer* container);
// The container's destructor: it leaves the stack wherever it stands; the
// newest remaining container becomes current.
void removeCurrentManipulatorContainer(manipulatorContainer* container);
// How many containers are on the stack.
int manipulatorContainerDepth();
