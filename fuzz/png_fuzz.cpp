// Fuzzes the image readers with PNG files (seeds in fuzz/corpus/png/).
#include "fuzz/imageFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagefuzz::exercise(data, size);
    return 0;
}
