// A sound platform whose output goes nowhere: tests pull the mixer's frames
// themselves, and set its faults to make the API calls fail.
#pragma once

#include <vector>

#include "engine/sound/soundPlatform.h"

namespace soundtest {

class PulledPlatform : public soundPlatform {
public:
    bool startOutput() override { return true; }
    void pump() override { ++pumps; }

    // `frames` stereo frames of the mix.
    std::vector<float> pull(uint32_t frames) {
        std::vector<float> out(size_t{frames} * 2);
        mixer().mix(out.data(), frames);
        return out;
    }

    int pumps = 0;
};

}  // namespace soundtest
