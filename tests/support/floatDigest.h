// A digest of float values bit for bit (FNV-1a over their bytes), for tests
// that hold a computation's exact output to what it gave before.
#pragma once

#include <cstdint>
#include <cstring>

namespace testsupport {

class FloatDigest {
public:
    void add(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int shift = 0; shift < 32; shift += 8) m_value = (m_value ^ ((bits >> shift) & 0xFFu)) * 1099511628211ull;
    }
    uint64_t value() const { return m_value; }

private:
    uint64_t m_value = 1469598103934665603ull;
};

}  // namespace testsupport
