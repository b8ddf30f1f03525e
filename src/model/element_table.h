#pragma once

#include "model/element.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace redewerk {

// The table of all elements, indexed by id. A slot whose element has kind 0 is free and is
// reused lowest first. Outside project loading every slot holds an element.
// Blocks are freed through Free(), never by setting Kind to 0 directly: the table remembers
// below which id every slot is taken, so creating many blocks in a row stays linear.
class TElementTable {
public:
    int32_t Size() const { return static_cast<int32_t>(Slots.size()); }
    bool IsEmpty() const { return Slots.empty(); }

    // The element at `id`, or nullptr when the id is out of range or the slot is empty.
    TElement* At(int32_t id) const;
    // The element at `id` when it is a live block (any kind but 0), else nullptr.
    TElement* LiveAt(int32_t id) const;

    // The lowest free id; grows the table by one slot when none is free.
    int32_t FindFreeElementSlot();

    // Stores `element` at its id, replacing (and dropping) whatever the slot held.
    // Grows the table with empty slots when needed.
    TElement* Store(std::unique_ptr<TElement> element);

    // Marks the element at `id` as a free slot (kind 0, no node); it keeps its other fields.
    void Free(int32_t id);

    // Takes the element out of its slot, leaving the slot empty.
    std::unique_ptr<TElement> Take(int32_t id);

    // Fills every empty slot with a free placeholder element without a node.
    void FillEmptySlots();

    void Clear() {
        Slots.clear();
        SearchStart = 0;
    }

    template <typename F> void ForEach(F&& visit) const {
        for (const auto& slot : Slots)
            if (slot) visit(*slot);
    }

private:
    void SlotMayBeFree(int32_t id) { SearchStart = std::min(SearchStart, id); }

    std::vector<std::unique_ptr<TElement>> Slots;
    // Every slot below this id holds a live element.
    int32_t SearchStart = 0;
};

} // namespace redewerk
