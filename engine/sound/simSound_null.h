// simSound_null: the silent sound back end.
//
// Sound stays off: every operation does nothing, and no sound effect is ever
// made, so the resource loader gets no resource for a ".wav" file. This
// program always runs with it (its host sets the library "Disable Sound").
#pragma once

#include "engine/sound/simSound.h"

class simSound_null : public simSound {
public:
    // The window is not kept. Reports success through the engine status.
    explicit simSound_null(win::HWND window);
    ~simSound_null() override;

    std::string getDriverName() override { return "null"; }
    void setMasterVolume(float) override {}
    void setSecondaryVolume(float) override {}
    void setListener(d3dx::Vector3*, d3dx::Vector3*, d3dx::Vector3*) override {}
    simSoundeffect* createEffect(simCollectionItem*, std::string, std::string) override { return nullptr; }
};
