// The model kinds of starting positions as the positions bar lists them, in
// its order: the id each position stores and the name the bar shows. Id 5,
// "All", is the bar's filter, not a kind a position should have.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/site/tbNamedIds.h"

inline constexpr std::array<tbNamedId, 7> kPositionKinds = {{
    {"All", 5},
    {"Fixed Wing", 1},
    {"Helicopter", 0},
    {"Glider", 2},
    {"Watercraft", 3},
    {"Other", 4},
    {"Helper", 6},
}};

// The name of the first entry with the id; "All" when none has it.
inline std::string tbPositionKindName(uint32_t id) {
    const int index = tbIndexOfId(kPositionKinds, id);
    return index < 0 ? "All" : kPositionKinds[size_t(index)].name;
}
