// simSceneCameras: the scene's cameras and its active camera.
//
// Cameras join the list in the order they are made (simCamera's constructor)
// and leave it when destroyed; the scene draws them in that order. The active
// camera is the scene's main camera: the first camera made, then, when it
// goes, the first that remains (null once the list is empty). The set owns
// the cameras still listed when it is destroyed.
#pragma once

#include <cstdint>
#include <list>
#include <string>

class simCamera;

class simSceneCameras {
public:
    simSceneCameras() = default;
    // Logs "Destroying scene cameras...", deletes every camera still listed,
    // logs "done\n".
    ~simSceneCameras();

    simSceneCameras(const simSceneCameras&) = delete;
    simSceneCameras& operator=(const simSceneCameras&) = delete;

    // The index-th camera, null past the end (or below 0).
    simCamera* get(int32_t index) const;
    // The first camera whose name equals `name` exactly, null when none.
    simCamera* find(const std::string& name) const;
    // Appends; true when the camera became the active camera (there was none).
    bool add(simCamera* camera);
    // Removes every occurrence; the active camera, when it went, becomes the
    // first remaining camera or none.
    void remove(simCamera* camera);

    simCamera* getActive() const { return m_active; }
    // Makes a listed camera the active one (a host's view switching to
    // another camera); false, nothing changed, for a camera not listed.
    bool setActive(simCamera* camera);
    const std::list<simCamera*>& getList() const { return m_list; }
    size_t size() const { return m_list.size(); }

private:
    simCamera* m_active = nullptr;
    std::list<simCamera*> m_list;
};
