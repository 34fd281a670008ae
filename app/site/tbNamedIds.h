// Tables of (name, id) pairs the site's bars show as lists: the surface
// kinds of the collision editors' "Material:" list and the positions bar's
// model kinds. The lists show the names in table order and store the ids;
// the ids are not in order and have gaps (no surface kind 3), so a list
// index is never an id.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct tbNamedId {
    const char* name;
    uint32_t id;
};

inline constexpr std::array<tbNamedId, 9> kSurfaceKinds = {{
    {"Short grass", 0},
    {"Long grass", 1},
    {"Concrete", 2},
    {"Gravel", 4},
    {"Stone", 5},
    {"Sand", 6},
    {"Snow", 7},
    {"Ice", 8},
    {"Foliage", 9},
}};

// The id of the first entry named exactly `name`.
template <class Entry, size_t N>
std::optional<uint32_t> tbIdOfName(const std::array<Entry, N>& table, const std::string& name) {
    for (const Entry& entry : table)
        if (name == entry.name) return entry.id;
    return std::nullopt;
}

// The index in the table of the first entry with `id`, -1 when none has it
// (the list then shows no selection).
template <class Entry, size_t N>
int tbIndexOfId(const std::array<Entry, N>& table, uint32_t id) {
    for (size_t i = 0; i < N; ++i)
        if (table[i].id == id) return int(i);
    return -1;
}
