// A byte buffer that file records are appended to, the writing twin of
// utils::ByteCursor: little-endian values, IEEE-754 single floats, and
// fixed-width text fields written as the text, its NUL and zeros to the
// field's end (a longer text is cut to leave room for the NUL).
//
// Files are built whole in memory and then written in one go through the
// shell's atomic save, so a failing disk never leaves half a file.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace utils {

class ByteWriter {
public:
    void u8(uint8_t v) { bytes(&v, 1); }
    void u32(uint32_t v) { bytes(&v, 4); }
    void i32(int32_t v) { bytes(&v, 4); }
    void f32(float v) { bytes(&v, 4); }
    void bytes(const void* data, size_t size) {
        const auto* b = static_cast<const uint8_t*>(data);
        m_out.insert(m_out.end(), b, b + size);
    }
    void text(const std::string& s, size_t width) {
        const size_t n = std::min(s.size(), width - 1);
        bytes(s.data(), n);
        m_out.insert(m_out.end(), width - n, uint8_t(0));
    }

    size_t size() const { return m_out.size(); }
    const std::vector<uint8_t>& data() const { return m_out; }
    std::vector<uint8_t> take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_out;
};

}  // namespace utils
