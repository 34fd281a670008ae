// Field-by-field reading and writing of little-endian binary records.
//
// File records of the engine's value types, and the file formats that embed
// them, are read and written one field at a time on a FILE* the caller
// opened: integers are 32-bit two's complement, floats IEEE-754 single
// precision, all little-endian. Every read reports whether all its bytes
// arrived, so a short file is noticed at the field where it ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace sys {

// The byte order of the file formats is the machine's own on every target
// this program builds for.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "file records are little-endian");

inline bool readBytes(FILE* file, void* data, size_t size) {
    return file && std::fread(data, 1, size, file) == size;
}
inline bool writeBytes(FILE* file, const void* data, size_t size) {
    return file && std::fwrite(data, 1, size, file) == size;
}

// Reads n consecutive 4-byte fields; false (and nothing stored) on a short read.
template <typename T>
bool readFields(FILE* file, T* out, size_t n) {
    static_assert(sizeof(T) == 4);
    unsigned char bytes[64];
    if (n * 4 > sizeof(bytes) || !readBytes(file, bytes, n * 4)) return false;
    std::memcpy(out, bytes, n * 4);
    return true;
}
template <typename T>
bool writeFields(FILE* file, const T* in, size_t n) {
    static_assert(sizeof(T) == 4);
    return writeBytes(file, in, n * 4);
}

inline bool readF32(FILE* file, float& out) { return readFields(file, &out, 1); }
inline bool readI32(FILE* file, int32_t& out) { return readFields(file, &out, 1); }
inline bool readU32(FILE* file, uint32_t& out) { return readFields(file, &out, 1); }
inline bool writeF32(FILE* file, float v) { return writeFields(file, &v, 1); }
inline bool writeI32(FILE* file, int32_t v) { return writeFields(file, &v, 1); }
inline bool writeU32(FILE* file, uint32_t v) { return writeFields(file, &v, 1); }

}  // namespace sys
