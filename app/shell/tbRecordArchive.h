// The two archives every project file codec runs its record transfers
// through: one set of transfer functions (templates over the archive) names
// the fields of a record in order, and the reading and the writing archive
// run it, so the two directions cannot drift apart.
//
// Reading is bounded by the bytes present (utils::ByteCursor): a read past
// the end yields zeros and fails the archive, and the transfer tests ok()
// once at the end. A reader's own checks (a count larger than the bytes
// left, an unknown tag) fail it with a one-line reason; the first reason
// wins. Writing appends to a byte vector that the caller saves atomically.
// Values are little-endian, without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/tbTextFit.h"
#include "engine/core/byteCursor.h"

class tbReadArchive {
public:
    static constexpr bool kReading = true;

    tbReadArchive(const void* data, size_t size) : m_own(data, size) {}
    // Reads through a cursor of the caller's, which moves on with every read
    // (a record inside a larger file).
    explicit tbReadArchive(utils::ByteCursor& in) : m_own(nullptr, 0), m_in(&in) {}
    tbReadArchive(const tbReadArchive&) = delete;
    tbReadArchive& operator=(const tbReadArchive&) = delete;

    bool ok() const { return m_in->ok() && m_error.empty(); }
    // The reason of the first failure other than running out of bytes.
    const std::string& error() const { return m_error; }
    void fail(const std::string& reason) {
        if (m_error.empty()) m_error = reason;
    }
    size_t position() const { return m_in->position(); }
    bool canTake(uint64_t n) const { return n <= m_in->remaining(); }
    void rewind(const void* data, size_t size) {
        m_own = utils::ByteCursor(data, size);
        m_in = &m_own;
    }

    void u8(uint8_t& v) { v = m_in->u8(); }
    void u32(uint32_t& v) { v = m_in->u32(); }
    void i32(int32_t& v) { v = m_in->i32(); }
    void f32(float& v) { v = m_in->f32(); }
    void bytes(void* p, size_t n) { m_in->bytes(p, n); }
    void skip(size_t n) { m_in->skip(n); }
    // A fixed field of `width` bytes: the text up to its NUL.
    void text(std::string& s, size_t width) { s = m_in->text(width); }

    // A count read from the file (i32): no records when 0 or below, and
    // never more than the bytes left can hold at `recordSize` bytes each.
    template <class List>
    bool count(List& list, size_t recordSize, const char* what) {
        const int32_t n = m_in->i32();
        if (!m_in->ok()) return false;
        if (!m_in->canHold(n, recordSize)) {
            failCount(what);
            return false;
        }
        list.resize(n > 0 ? size_t(n) : 0);
        return true;
    }
    // The same for a u32 count: every value is a count, so a count the bytes
    // left cannot hold fails the archive.
    template <class List>
    bool unsignedCount(List& list, size_t recordSize, const char* what) {
        const uint32_t n = m_in->u32();
        if (!m_in->ok()) return false;
        if (!m_in->canHold(n, recordSize)) {
            failCount(what);
            return false;
        }
        list.resize(n);
        return true;
    }

private:
    // One message for both kinds of count.
    void failCount(const char* what) {
        std::string reason = "count of ";
        reason.append(what).append(" larger than the file");
        fail(reason);
    }

    utils::ByteCursor m_own;
    utils::ByteCursor* m_in = &m_own;
    std::string m_error;
};

class tbWriteArchive {
public:
    static constexpr bool kReading = false;

    bool ok() const { return true; }
    void fail(const std::string&) {}
    bool canTake(uint64_t) const { return true; }

    void u8(const uint8_t& v) { bytes(&v, 1); }
    void u32(const uint32_t& v) { bytes(&v, 4); }
    void i32(const int32_t& v) { bytes(&v, 4); }
    void f32(const float& v) { bytes(&v, 4); }
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        m_out.insert(m_out.end(), b, b + n);
    }
    // Zero bytes in place of a field this program does not use.
    void skip(size_t n) { m_out.insert(m_out.end(), n, uint8_t(0)); }
    // The text cut to leave its NUL (at a character boundary), the rest of
    // the field zeros.
    void text(const std::string& s, size_t width) {
        const std::string fitted = tbFitText(s, width - 1);
        bytes(fitted.data(), fitted.size());
        m_out.insert(m_out.end(), width - fitted.size(), uint8_t(0));
    }
    template <class List>
    bool count(const List& list, size_t, const char*) {
        i32(static_cast<int32_t>(list.size()));
        return true;
    }
    template <class List>
    bool unsignedCount(const List& list, size_t, const char*) {
        u32(static_cast<uint32_t>(list.size()));
        return true;
    }

    size_t size() const { return m_out.size(); }
    const std::vector<uint8_t>& bytesWritten() const { return m_out; }
    std::vector<uint8_t> take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_out;
};

// ---- Field groups shared by the codecs: vectors of 4-byte floats.

template <class A, class V>
void tbTransferVec2(A& a, V& v) {
    a.f32(v.x);
    a.f32(v.y);
}
template <class A, class V>
void tbTransferVec3(A& a, V& v) {
    a.f32(v.x);
    a.f32(v.y);
    a.f32(v.z);
}
// A box as min x, y, z then max x, y, z.
template <class A, class B>
void tbTransferBox(A& a, B& b) {
    tbTransferVec3(a, b.min);
    tbTransferVec3(a, b.max);
}
