// Texts in fixed-size fields of the project files.
//
// The fields hold UTF-8 bytes, and editors count characters, so a text too
// long for its field is cut at a character boundary: a field never ends in
// half a character, which would read back as a damaged text.
#pragma once

#include <cstddef>
#include <string>

// The longest start of `text` of at most `maxBytes` bytes that ends on a
// character boundary (the byte after it is not a UTF-8 continuation byte).
std::string tbFitText(const std::string& text, size_t maxBytes);
