// The list of a site bar (the collision bar's objects, the weather bar's
// wind-areas, the positions bar's positions): each entry shows a name and
// holds the item it names; at most one entry is selected. The bar's window
// shows exactly these entries in this order.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

template <class Item>
class tbItemList {
public:
    struct Entry {
        std::string name;
        Item* item;
    };

    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    // -1: no selection.
    int selection() const { return selection_; }
    Item* selectedItem() const { return selection_ < 0 ? nullptr : entries_[size_t(selection_)].item; }
    Item* itemAt(int index) const {
        return index < 0 || size_t(index) >= entries_.size() ? nullptr : entries_[size_t(index)].item;
    }
    int indexOf(const Item* item) const {
        for (size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].item == item) return int(i);
        return -1;
    }

    // Appended, selected when asked; an item listed already is not listed twice.
    void add(const std::string& name, Item* item, bool select) {
        int index = indexOf(item);
        if (index < 0) {
            entries_.push_back({name, item});
            index = int(entries_.size()) - 1;
        }
        if (select) selection_ = index;
    }
    // Selects the entry holding `item`, none for null or an item not listed.
    void select(const Item* item) { selection_ = item ? indexOf(item) : -1; }
    void selectIndex(int index) { selection_ = itemAt(index) ? index : -1; }
    void remove(const Item* item) {
        const int index = indexOf(item);
        if (index < 0) return;
        entries_.erase(entries_.begin() + index);
        if (selection_ == index)
            selection_ = -1;
        else if (selection_ > index)
            --selection_;
    }
    // The entry's new name, at the same place, holding the same item; the
    // selection stays.
    void rename(const Item* item, const std::string& name) {
        const int index = indexOf(item);
        if (index >= 0) entries_[size_t(index)].name = name;
    }
    void clear() {
        entries_.clear();
        selection_ = -1;
    }

private:
    std::vector<Entry> entries_;
    int selection_ = -1;
};
