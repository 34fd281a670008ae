// UTF-8 text by code point, for the edit box's caret and the shown text.
// Malformed bytes count as one code point each, so every index stays inside
// the text.
#pragma once

#include <cstdint>
#include <string>

namespace guiUtf8 {

// Number of code points.
int32_t length(const std::string& text);
// Byte offset of code point `index` (the text's size for index >= length).
size_t offset(const std::string& text, int32_t index);
// The code point encoded as UTF-8 (nothing for surrogates or values past U+10FFFF).
std::string encode(uint32_t codePoint);

}  // namespace guiUtf8
