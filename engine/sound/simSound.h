// simSound: the engine's sound system, one object per process.
//
// An abstract back end: the silent one (simSound_null) and, where they are
// built, the OpenAL, DirectSound and XAudio2 ones. The engine application
// makes exactly one at start-up, chosen by the options' sound library, and
// only when none exists yet; `g_sound` names it from its constructor to its
// destructor. Every operation does nothing (or gives null or 0) while the
// back end's sound is off, which it is until a device has started.
//
// The system is an engine object with the update flag only: its per-frame
// update advances the playing instances about 60 times a second.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simObject.h"
#include "engine/core/simObjectList.h"
#include "engine/core/utilsTimer.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/win/winTypes.h"

class simCollectionItem;
class simSoundeffect;
class simSoundeffectInstance;

class simSound : public simObject {
public:
    // Instances are advanced at most this often, in ms.
    static constexpr double kUpdateIntervalMs = 1000.0 / 60.0;
    // Tries `newInstanceId` makes before it gives up with 0.
    static constexpr int kInstanceIdTries = 100;

    // Makes itself the engine's sound system.
    simSound();
    // Logs "Destroying sound system..." and "done\n", detaches the instances
    // still live and lets go of the engine's sound pointer. The instances are
    // not deleted (their owners do that): they stay inert.
    ~simSound() override;

    std::string getClassName() override { return "simSound"; }
    // While sound is on, updates every instance once per interval.
    void update() override;

    // ---- Back-end operations
    virtual std::string getDriverName() = 0;  // "null", "xaudio", "directSound", "openAL"
    virtual void setGainFactor(float factor) { m_gainFactor = factor; }
    virtual void setMasterVolume(float percent) = 0;
    // While sound is on, stores percent / 100 clamped to 0..1.
    virtual void setSecondaryVolume(float percent);
    virtual void setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) = 0;
    // A sound-effect resource made from a ".wav" file, held by `collection`
    // (the current one when null); null while sound is off.
    virtual simSoundeffect* createEffect(simCollectionItem* collection, std::string filePath,
                                         std::string loadOptions) = 0;

    // ---- Instances
    // The live instance with that id, or null.
    simSoundeffectInstance* findInstance(uint32_t id);
    // A random id that no live instance has, or 0 after 100 taken tries.
    uint32_t newInstanceId();
    void addInstance(simSoundeffectInstance* instance);
    void removeInstance(simSoundeffectInstance* instance);
    // Stops every live instance, frees its back-end voice and lets it go:
    // each back end calls it while its device still exists, before it goes.
    void detachInstances();

    bool isSoundOn() const { return m_soundOn; }
    float getMasterVolume() const { return m_masterVolume; }
    float getSecondaryVolume() const { return m_secondaryVolume; }
    float getGainFactor() const { return m_gainFactor; }
    uint32_t getInstanceCount() const { return m_instanceCount; }
    // Each back-end instance adds 1 when it is made and takes 1 when it goes
    // (only an instance that added 1 takes it away again).
    void adjustInstanceCount(int delta) { m_instanceCount += static_cast<uint32_t>(delta); }

    // The end of the failure messages of the back ends' device start.
    static constexpr const char* kHelpAddress = "help@tolvane.example";

    // ---- Choice of back end
    // Makes the back end that `library` names ("OpenAL", "DirectSound",
    // "XAudio", compared exactly) when that back end is part of the build;
    // any other text, or a back end not built, makes the silent one.
    static simSound* createBackEnd(const std::string& library, win::HWND window);
    using BackEndFactory = simSound* (*)(win::HWND window);
    // Makes a back end available under its library name (its owner calls it
    // at start-up).
    static void registerBackEnd(const std::string& library, BackEndFactory factory);

protected:
    // The last steps of every back end's successful start: the update
    // stopwatch runs, sound is on, the master volume comes from the engine
    // option, the engine status reads success and "done\n" is logged.
    void finishStart();

    uint32_t m_instanceCount = 0;
    d3dx::Vector3 m_listenerPosition;
    d3dx::Vector3 m_listenerForward;
    d3dx::Vector3 m_listenerUp;
    float m_masterVolume = 1.0f;
    float m_secondaryVolume = 1.0f;
    float m_gainFactor = 1.0f;
    simObjectList<simSoundeffectInstance> m_instances;
    utils::Timer m_updateStopwatch;
    bool m_soundOn = false;
    bool m_reverbSend = false;
};
