// Feeds arbitrary bytes to the .geo parser.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/graphics/geoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    geoFileData geo;
    std::string error;
    readGeoFile(data, size, geo, error);
    return 0;
}
