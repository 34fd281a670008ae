// simFolderNameTable: every file name below a search folder with the folder
// of its first match in search order, for look-ups that mostly miss.
//
// Filled once (the first entry of a name wins), then read many times. The
// table is one flat array of slots (open addressing, at most half full) that
// keep each name's hash beside the index of its entry, so a look-up that
// misses usually reads one slot and compares no text: it costs about one
// hash of the name, less than a node-based hash map, whose misses walk a
// bucket's scattered nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class simFolderNameTable {
public:
    // Adds a name with its folder ("" or "/a/b") unless the name is in
    // already. Gives whether it was added.
    bool add(const std::string& name, const std::string& folder);

    // The folder of the name's first match, or null.
    const std::string* find(const std::string& name) const;

    size_t size() const { return m_entries.size(); }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        size_t hash = 0;
        uint32_t entry = kEmpty;
    };
    // The slot that holds the name, or the empty slot where it would go.
    size_t slotOf(const std::string& name, size_t hash) const;
    void grow();

    std::vector<Slot> m_slots;                                   // a power of two in size
    std::vector<std::pair<std::string, std::string>> m_entries;  // name, folder
};
