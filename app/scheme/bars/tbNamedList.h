// A drop-down list filled from a table of names (the axis and direction
// lists of the painting bars). A sorted list puts the names in its own
// order, so its entries are always found by name, never by place.
#pragma once

#include <cstddef>
#include <span>

class wxComboBox;

void tbFillNamedList(wxComboBox* list, std::span<const char* const> names);
// Selects the entry of names[index] (nothing for an index past the table).
void tbSelectNamed(wxComboBox* list, std::span<const char* const> names, size_t index);
// The table index of the selected entry, or -1 when none is selected.
int tbNamedSelection(const wxComboBox* list, std::span<const char* const> names);
