// A checked read cursor over a byte buffer, for file formats parsed from
// memory.
//
// Every read checks the bytes left; the first read that runs past the end
// sets the cursor's failure flag and yields zeros, and every read after it
// yields zeros too, so a parser can read a whole record and test `ok()` once.
// Values are little-endian, floats IEEE-754 single precision, as in every
// file the engine reads.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

static_assert(std::endian::native == std::endian::little,
              "file records are read by copying little-endian bytes");

namespace utils {

class ByteCursor {
public:
    ByteCursor(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return position_; }
    size_t remaining() const { return ok_ ? size_ - position_ : 0; }

    // True when `count` records of at least `recordSize` bytes each can still
    // follow; a count read from a file is checked with this before anything
    // is allocated for it. A negative count counts as no records.
    bool canHold(int64_t count, size_t recordSize) const {
        return count <= 0 || static_cast<uint64_t>(count) <= remaining() / recordSize;
    }

    uint8_t u8() { return value<uint8_t>(); }
    uint32_t u32() { return value<uint32_t>(); }
    int32_t i32() { return value<int32_t>(); }
    float f32() { return value<float>(); }

    // Copies `size` bytes out, or zeros after a failure. An empty copy may
    // name no buffer at all (an empty vector's data).
    void bytes(void* out, size_t size) {
        const bool taken = take(size);
        if (size == 0) return;
        if (taken) {
            std::memcpy(out, data_ + position_ - size, size);
        } else {
            std::memset(out, 0, size);
        }
    }

    // A fixed-width text field: the text up to its first NUL, or the whole
    // field when it holds none.
    std::string text(size_t width) {
        if (!take(width)) return {};
        const char* field = reinterpret_cast<const char*>(data_ + position_ - width);
        return std::string(field, strnlen(field, width));
    }

    void skip(size_t size) { take(size); }

private:
    template <typename T>
    T value() {
        T v{};
        bytes(&v, sizeof v);
        return v;
    }

    bool take(size_t size) {
        if (!ok_ || size > size_ - position_) {
            ok_ = false;
            return false;
        }
        position_ += size;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace utils
