#include "engine/sound/simSoundBackEnds.h"

#include "engine/sound/simSound_openAL.h"

void simLinkSoundBackEnds() {
    simSound::registerBackEnd("OpenAL", [](win::HWND window) -> simSound* { return new simSound_openAL(window); });
}
