// The site's export: the .tvf site file with its image sets goes here.
// Until it is built the command writes nothing and says so.
#include "app/site/tbProject_flyingsite.h"
#include "engine/core/simApplicationLog.h"

bool tbProject_flyingsite::exportScenery(std::string folder) {
    simLog("[tbProject_flyingsite::exportScenery-" + folder + " >> not built\n");
    return false;
}
