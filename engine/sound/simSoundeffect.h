// simSoundeffect: a sound effect loaded as a resource from a ".wav" file.
//
// Abstract: each back end loads and plays its own audio data. The base keeps
// the ids of the instances started from the effect, so that an effect that
// goes stops its instances and leaves them without a dangling effect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simResource.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simSound;
class simSoundeffectInstance;

class simSoundeffect : public simResource {
public:
    simSoundeffect(simCollectionItem* collection, std::string filePath, std::string loadOptions);
    // Stops every live instance still playing this effect and clears its
    // effect pointer.
    ~simSoundeffect() override;

    std::string getTypeName() override { return "simSoundeffect"; }

    // ---- Back-end operations
    // A new playing instance, or null when refused.
    virtual simSoundeffectInstance* play(bool looping, float volume, float pitch, d3dx::Vector3* position,
                                         d3dx::Vector3* velocity) = 0;
    virtual uint32_t getSampleRate() = 0;  // samples per second
    virtual double getLength() = 0;        // bytes of audio data
    virtual float getDuration() = 0;       // ms

    // ---- Instances started from the effect
    void addInstanceId(uint32_t id) { m_instanceIds.push_back(id); }
    // Removes every entry of the id.
    void removeInstanceId(uint32_t id);
    const std::vector<uint32_t>& getInstanceIds() const { return m_instanceIds; }

protected:
    // Starts are refused within 100 ms of the last one (by the clock's ms).
    static bool isTooSoonAfter(float lastStartMs);
    // Whether `sound`, the system that made the effect, is still the live
    // sound system with its sound on. It is compared before it is read: the
    // system may have been deleted while the effect, a resource, lives on.
    static bool isLiveSystem(const simSound* sound);

private:
    std::vector<uint32_t> m_instanceIds;
};
