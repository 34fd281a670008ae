// simSoundeffectInstance: one playing instance of a sound effect.
//
// Abstract: each back end supplies the playing itself. The base part gives
// the instance a unique id and a place in the sound system's instance list,
// and runs fades. A finished instance deletes itself through deferred
// deletion (not delayed), so it goes right after the frame's update.
//
// One rule in every back end: an instance is finished when a one-shot has
// played to its end, or when it has nothing left to play from (no voice,
// source or buffer, or its effect has gone). A stop is no end: a stopped
// instance, looping or not, stays until someone deletes it.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simSafeDeleteObject.h"
#include "engine/core/utilsTimer.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simSoundeffect;

class simSoundeffectInstance : public simSafeDeleteObject {
public:
    enum FadeState : uint32_t { kNoFade = 0, kFadingIn = 1, kFadingOut = 2 };

    // Takes an id from the sound system (0 without one) and joins its list;
    // with an effect, keeps it and its name and joins its list of ids.
    explicit simSoundeffectInstance(simSoundeffect* effect = nullptr);
    // Leaves the sound system's list (and its count, when counted in) and,
    // while the effect is still set, the effect's list of ids.
    ~simSoundeffectInstance() override;

    std::string getTypeName() override { return "simSoundeffectInstance"; }

    // ---- Back-end operations
    virtual void update() = 0;  // by simSound::update, while sound is on
    // Silences the instance; it stays until someone deletes it.
    virtual void stop() = 0;
    virtual void setPosition(d3dx::Vector3* position, bool immediate) = 0;
    virtual void setVelocity(d3dx::Vector3* velocity, bool immediate) = 0;
    virtual void playFrom(float ms) = 0;
    virtual float getPlayPosition() = 0;
    // The sound system is going: the back end frees its voice while the
    // device still exists, and the instance leaves the system for good, so
    // it plays nothing from then on. Overrides call this base last.
    virtual void detach();

    // Adds the instance to the sound system's instance count, once; each
    // back end calls it when its instance has started.
    void countIn();
    // True while the instance belongs to a sound system whose sound is on.
    bool isLive() const;

    // The fade step every back end's update runs: fade gain and pitch factor
    // back to 1, then the running fade in or out advanced; a fade-out that
    // runs out leaves the volume at 0.
    void updateFade();
    // Starts a fade in or out over `ms`.
    void startFade(FadeState state, float ms);

    // The rule above, for an update that found whether the instance has
    // something to play from and whether it is still playing.
    bool isFinished(bool hasPlayer, bool isLooping, bool isPlaying) const {
        return !hasPlayer || !effect || (!isLooping && !m_stopped && !isPlaying);
    }

    uint32_t id = 0;
    float volume = 100.0f;  // per cent
    float pitch = 100.0f;   // per cent
    float fadeGain = 1.0f;
    float pitchFactor = 1.0f;
    bool looping = false;
    bool volumeChanged = true;
    bool pitchChanged = true;
    simSoundeffect* effect = nullptr;
    std::string effectName;
    d3dx::Vector3 position;
    d3dx::Vector3 velocity;
    FadeState fadeState = kNoFade;
    utils::Timer fadeStopwatch;
    float fadeDuration = 0.0f;  // ms

protected:
    bool m_stopped = false;  // set by stop(); a playFrom that plays again clears it

private:
    bool m_attached = false;  // on the sound system's list
    bool m_counted = false;   // in the sound system's instance count
};
