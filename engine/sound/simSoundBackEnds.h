// The sound back ends of this build, made available to the engine under the
// names its sound-library option uses. The program calls this once at
// start-up, with its other engine links; without it only silence is built.
#pragma once

void simLinkSoundBackEnds();
