#include "engine/core/simResourcesNameTable.h"

#include <functional>

size_t simFolderNameTable::slotOf(const std::string& name, size_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.entry == kEmpty || (slot.hash == hash && m_entries[slot.entry].first == name)) return at;
    }
}

const std::string* simFolderNameTable::find(const std::string& name) const {
    if (m_slots.empty()) return nullptr;
    const Slot& slot = m_slots[slotOf(name, std::hash<std::string>{}(name))];
    return slot.entry == kEmpty ? nullptr : &m_entries[slot.entry].second;
}

bool simFolderNameTable::add(const std::string& name, const std::string& folder) {
    if ((m_entries.size() + 1) * 2 > m_slots.size()) grow();
    const size_t hash = std::hash<std::string>{}(name);
    Slot& slot = m_slots[slotOf(name, hash)];
    if (slot.entry != kEmpty) return false;
    slot = Slot{hash, static_cast<uint32_t>(m_entries.size())};
    m_entries.emplace_back(name, folder);
    return true;
}

void simFolderNameTable::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    const size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry == kEmpty) continue;
        size_t at = slot.hash & mask;
        while (m_slots[at].entry != kEmpty) at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}
