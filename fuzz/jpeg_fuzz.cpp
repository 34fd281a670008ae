// Fuzzes the image readers with JPEG files (seeds in fuzz/corpus/jpeg/).
#include "fuzz/imageFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagefuzz::exercise(data, size);
    return 0;
}
