// Texts the project file keeps in fixed-size fields: how many bytes each
// field holds (its size less the NUL) and the cut that makes a text fit.
//
// The fields hold UTF-8 bytes, and editors count characters, so a text is
// cut at a character boundary: a field never ends in half a character,
// which would read back as a damaged text.
#pragma once

#include <cstddef>
#include <string>

// The model name, the scheme name and the other 256-byte fields.
inline constexpr size_t kProjectTextBytes = 255;
// A stored shape's name (a 128-byte field).
inline constexpr size_t kStoredShapeNameBytes = 127;

// The longest start of `text` of at most `maxBytes` bytes that ends on a
// character boundary (a byte that is not a UTF-8 continuation byte follows).
std::string tbFitText(const std::string& text, size_t maxBytes);
