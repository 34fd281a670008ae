// The engine's version value: major, minor and a revision letter.
//
// Its text form ("2.5.a") appears in the window title and in the header of
// the diagnostic log. A default-made version has a blank letter, which is what
// the engine application holds until its constructor stores the caller's.
#pragma once

#include <cstdint>
#include <string>

struct simVersion {
    int32_t major = 0;
    int32_t minor = 0;
    char revision = ' ';

    simVersion() = default;
    simVersion(int32_t majorNumber, int32_t minorNumber, char revisionLetter)
        : major(majorNumber), minor(minorNumber), revision(revisionLetter) {}

    // "%d.%d.%c" of major, minor and the letter.
    std::string text() const;
};
