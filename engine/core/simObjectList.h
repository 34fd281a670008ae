// A registration list that may change while it is being walked.
//
// The engine application broadcasts over its object, timer and callback
// lists, and the handlers it calls make and destroy objects, which registers
// and unregisters them on the very list being walked. This list keeps such a
// walk safe without copying it:
//
//  - an entry removed during a walk is overwritten with null and the list is
//    compacted when the outermost walk ends, so no index of a running walk
//    shifts and no removed entry is visited again;
//  - an entry added during a walk is appended, and a walk visits only the
//    entries that were there when it began.
//
// Walks nest (a handler may start another walk of the same list). In steady
// state nothing allocates: removal and compaction work in place, and adding
// only grows the storage when the list reaches a size it has never had.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

template <typename T>
class simObjectList {
public:
    void add(T* item) { m_items.push_back(item); }

    // Removes every occurrence of `item`.
    void remove(T* item) {
        if (m_walkDepth > 0) {
            for (T*& entry : m_items) {
                if (entry == item) {
                    entry = nullptr;
                    m_holes = true;
                }
            }
            return;
        }
        m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
    }

    // Removes every entry.
    void clear() {
        if (m_walkDepth > 0) {
            for (T*& entry : m_items) entry = nullptr;
            m_holes = !m_items.empty();
            return;
        }
        m_items.clear();
    }

    bool contains(const T* item) const {
        return std::find(m_items.begin(), m_items.end(), item) != m_items.end();
    }

    // Entries live now (holes left by removals during a walk are not counted).
    size_t size() const {
        if (!m_holes) return m_items.size();
        return m_items.size() - static_cast<size_t>(std::count(m_items.begin(), m_items.end(), nullptr));
    }
    bool empty() const { return size() == 0; }

    // Calls f(item) for each entry present when the walk began, first to last.
    template <typename F>
    void forEach(F&& f) {
        Walk walk(*this);
        const size_t count = m_items.size();
        for (size_t i = 0; i < count; ++i) {
            if (T* item = m_items[i]) f(item);
        }
    }

    // The same, last to first (newest registration first).
    template <typename F>
    void forEachNewestFirst(F&& f) {
        Walk walk(*this);
        for (size_t i = m_items.size(); i-- > 0;) {
            if (T* item = m_items[i]) f(item);
        }
    }

    // The entry at `index` of the raw storage, null for a hole; for walks that
    // must look again after each call (the purge).
    size_t rawSize() const { return m_items.size(); }
    T* rawAt(size_t index) const { return m_items[index]; }

    void reserve(size_t count) { m_items.reserve(count); }

private:
    // Marks a walk in progress; the outermost one compacts on its way out.
    class Walk {
    public:
        explicit Walk(simObjectList& list) : m_list(list) { ++m_list.m_walkDepth; }
        ~Walk() {
            if (--m_list.m_walkDepth == 0 && m_list.m_holes) {
                m_list.m_items.erase(std::remove(m_list.m_items.begin(), m_list.m_items.end(), nullptr),
                                     m_list.m_items.end());
                m_list.m_holes = false;
            }
        }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        simObjectList& m_list;
    };

    std::vector<T*> m_items;
    int m_walkDepth = 0;
    bool m_holes = false;
};
