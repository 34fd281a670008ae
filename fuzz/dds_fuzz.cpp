// Fuzzes the image readers with DDS files (seeds in fuzz/corpus/dds/).
#include "fuzz/imageFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagefuzz::exercise(data, size);
    return 0;
}
