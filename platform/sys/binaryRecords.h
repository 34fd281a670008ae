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

// Reads an array of consecutive 4-byte fields; false, with the array
// unchanged, on a short read.
template <typename T, size_t N>
bool readFields(FILE* file, T (&out)[N]) {
    static_assert(sizeof(T) == 4);
    unsigned char bytes[N * 4];
    if (!readBytes(file, bytes, sizeof(bytes))) return false;
    std::memcpy(out, bytes, sizeof(bytes));
    return true;
}
template <typename T, size_t N>
bool writeFields(FILE* file, const T (&in)[N]) {
    static_assert(sizeof(T) == 4);
    return writeBytes(file, in, N * 4);
}

template <typename T>
bool readField(FILE* file, T& out) {
    T one[1];
    if (!readFields(file, one)) return false;
    out = one[0];
    return true;
}
inline bool readF32(FILE* file, float& out) { return readField(file, out); }
inline bool readI32(FILE* file, int32_t& out) { return readField(file, out); }
inline bool readU32(FILE* file, uint32_t& out) { return readField(file, out); }
inline bool writeF32(FILE* file, float v) { return writeBytes(file, &v, 4); }
inline bool writeI32(FILE* file, int32_t v) { return writeBytes(file, &v, 4); }
inline bool writeU32(FILE* file, uint32_t v) { return writeBytes(file, &v, 4); }

}  // namespace sys
