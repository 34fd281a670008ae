#include "engine/gui/simGuiUtf8.h"

namespace guiUtf8 {

namespace {

// The length in bytes of the sequence starting at `at`, checked against the
// continuation bytes present (a malformed sequence is one byte).
size_t sequenceLength(const std::string& text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t want = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (at + want > text.size()) return 1;
    for (size_t i = 1; i < want; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    return want;
}

}  // namespace

int32_t length(const std::string& text) {
    int32_t count = 0;
    for (size_t at = 0; at < text.size(); at += sequenceLength(text, at)) ++count;
    return count;
}

size_t offset(const std::string& text, int32_t index) {
    size_t at = 0;
    for (int32_t i = 0; i < index && at < text.size(); ++i) at += sequenceLength(text, at);
    return at;
}

std::string encode(uint32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        if (c >= 0xD800 && c <= 0xDFFF) return out;
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace guiUtf8
