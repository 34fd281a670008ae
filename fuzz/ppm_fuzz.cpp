// Fuzzes the image readers with PPM and PGM files (seeds in fuzz/corpus/ppm/).
#include "fuzz/imageFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagefuzz::exercise(data, size);
    return 0;
}
