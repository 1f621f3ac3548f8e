#pragma once
// Check marks of menu items: checking a radio item clears every other radio
// item of the same group under the same parent; other items are never cleared.
#include <span>

namespace tamga {

struct MarkedItem {
    unsigned id;
    bool radio;
    int group;
    bool checked;
};

// Applies the mark of `id` to the items of one parent menu.
inline void apply_check(std::span<MarkedItem> siblings, unsigned id, bool checked) {
    const MarkedItem* target = nullptr;
    for (auto& item : siblings) {
        if (item.id == id) {
            item.checked = checked;
            target = &item;
        }
    }
    if (!target || !checked || !target->radio) return;
    for (auto& item : siblings) {
        if (&item != target && item.radio && item.group == target->group) item.checked = false;
    }
}

}  // namespace tamga
