#include "engine/sound/openALDevice.h"

namespace {

class systemDevice : public openALDevice {
public:
    ALCdevice* open(const char* name) override { return alcOpenDevice(name); }
};

}  // namespace

std::unique_ptr<openALDevice> openALDevice::system() { return std::make_unique<systemDevice>(); }
