// Feeds arbitrary bytes to the camera record reader (the 804-byte record in
// model-scheme project files); whatever it accepts must write and read back
// to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// The record codec lives with the editor, whose libraries the fuzz build
// leaves out; it needs nothing else, so its source is built in here.
#include "app/shell/tbCameraRecord.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tbCameraRecord record;
    if (!tbReadCameraRecord(data, size, record)) return 0;
    if (record.name.size() >= tbCameraRecord::kNameSize || record.projectionMode > 2 || record.orientationMode > 6)
        std::abort();
    const auto bytes = tbWriteCameraRecord(record);
    tbCameraRecord again;
    if (!tbReadCameraRecord(bytes.data(), bytes.size(), again)) std::abort();
    if (tbWriteCameraRecord(again) != bytes) std::abort();
    return 0;
}
