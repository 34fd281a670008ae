// Saving a file so that a failure never costs the old one.
//
// The bytes go to a temporary file beside the target (same folder, so the
// rename cannot cross file systems); every write, the flush to disk and the
// close are checked, and only then is the temporary renamed over the target.
// On any failure the temporary is removed and the target is untouched.
#pragma once

#include <string>
#include <string_view>

// True when `path` now holds exactly `bytes`; otherwise false with the
// system's reason in `error`.
bool tbSaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);
