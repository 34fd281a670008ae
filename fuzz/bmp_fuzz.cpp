// Fuzzes the image readers with BMP files (seeds in fuzz/corpus/bmp/).
#include "fuzz/imageFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    imagefuzz::exercise(data, size);
    return 0;
}
