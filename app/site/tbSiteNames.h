// The names of collision objects and starting positions: each record keeps
// its name in a 64-byte field, the text and a terminating zero, so a name
// has at most 63 characters. The editors limit their name boxes to that and
// refuse a longer name with the message below; the setters refuse it too,
// so no name is ever cut silently when the record is written.
#pragma once

#include <cstddef>
#include <string>

inline constexpr size_t kSiteNameFieldSize = 64;
inline constexpr size_t kSiteNameMaxLength = kSiteNameFieldSize - 1;
inline constexpr const char* kSiteNameTooLongMessage = "A name can have at most 63 characters.";

inline bool tbIsStorableSiteName(const std::string& name) { return name.size() <= kSiteNameMaxLength; }
