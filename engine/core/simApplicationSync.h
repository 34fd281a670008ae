// The engine's three locks: "onDynamicsSync", "onUpdateSync" and
// "onRedrawSync".
//
// On Windows they were named mutexes; here they are process-local. They are
// recursive, as the originals were for their owning thread: the purge of the
// safe-delete list holds the dynamics lock while destructors run, and a
// destructor (a camera leaving the dynamics system) takes the same lock again.
// The engine itself takes only the dynamics lock; the other two exist for the
// host.
#pragma once

#include <mutex>

extern std::recursive_mutex g_dynamicsSync;
extern std::recursive_mutex g_updateSync;
extern std::recursive_mutex g_redrawSync;
