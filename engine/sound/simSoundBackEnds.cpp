#include "engine/sound/simSoundBackEnds.h"

#include "engine/sound/simSound_directSound.h"
#include "engine/sound/simSound_openAL.h"
#include "engine/sound/simSound_xaudio.h"

void simLinkSoundBackEnds() {
    simSound::registerBackEnd("OpenAL", [](win::HWND window) -> simSound* { return new simSound_openAL(window); });
    simSound::registerBackEnd("DirectSound",
                              [](win::HWND window) -> simSound* { return new simSound_directSound(window); });
    simSound::registerBackEnd("XAudio", [](win::HWND window) -> simSound* { return new simSound_xaudio(window); });
}
