#include "engine/core/simVersion.h"

#include <cstdio>

std::string simVersion::text() const {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%c", major, minor, revision);
    return buffer;
}
