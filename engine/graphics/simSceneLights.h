// simSceneLights: the scene's lights, in the order they were made.
//
// A light joins the list when made and leaves it when destroyed. The first
// light is the light of the effects' light parameters and of the shadow and
// stencil passes. The list owns the lights still in it when it is destroyed.
#pragma once

#include <cstdint>
#include <list>

class simLight;

class simSceneLights {
public:
    simSceneLights() = default;
    // Logs "[~simSceneLights", deletes every light still listed, logs
    // "~simSceneLights]".
    ~simSceneLights();

    simSceneLights(const simSceneLights&) = delete;
    simSceneLights& operator=(const simSceneLights&) = delete;

    // The index-th light, null past the end (or below 0).
    simLight* getLight(int32_t index) const;
    void addLight(simLight* light);
    // Removes every occurrence.
    void removeLight(simLight* light);

    const std::list<simLight*>& getList() const { return m_list; }

private:
    std::list<simLight*> m_list;
};
