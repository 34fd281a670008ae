// Feeds arbitrary bytes to the .geo parser, every way: into records (whole
// triangles, and every vertex as the model-scheme import reads them), and
// with the vertices left in the bytes and decoded from there as the model
// loader does.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/graphics/geoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    geoFileData geo;
    std::string error;
    readGeoFile(data, size, geo, error);
    readGeoFile(data, size, geo, error, geoVertexReading::everyVertex);

    geoFileVertexRun run;
    if (readGeoFile(data, size, geo, error, &run)) {
        simVertex v;
        float sum = 0;
        for (int32_t i = 0; i < run.count; ++i) {
            run.copyTo(i, &v);
            sum += run.coordinate(i, 2);
        }
        (void)sum;
    }
    return 0;
}
