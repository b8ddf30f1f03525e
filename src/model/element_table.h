#pragma once

#include "model/element.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>

namespace redewerk {

// The table of all elements, indexed by id. A slot whose element has kind 0 is free and is
// reused lowest first; so is an empty slot below the highest id, which costs nothing: a
// project file may hold any id, and memory follows the blocks, not the ids.
// Blocks are freed through Free(), never by setting Kind to 0 directly: the table remembers
// below which id every slot is taken, so creating many blocks in a row stays linear.
class TElementTable {
public:
    // One more than the highest id in the table; 0 for an empty table.
    int64_t Size() const { return Slots.empty() ? 0 : int64_t{Slots.rbegin()->first} + 1; }
    bool IsEmpty() const { return Slots.empty(); }

    // The element at `id`, or nullptr when the slot is empty (a free slot without an element).
    TElement* At(int32_t id) const;
    // The element at `id` when it is a live block (any kind but 0), else nullptr.
    TElement* LiveAt(int32_t id) const;

    // The lowest free id; grows the table by one slot when none is free.
    int32_t FindFreeElementSlot();

    // Stores `element` at its id, replacing (and dropping) whatever the slot held.
    TElement* Store(std::unique_ptr<TElement> element);

    // Marks the element at `id` as a free slot (kind 0, no node); it keeps its other fields.
    void Free(int32_t id);

    // Takes the element out of its slot, leaving the slot empty.
    std::unique_ptr<TElement> Take(int32_t id);

    void Clear() {
        Slots.clear();
        SearchStart = 0;
    }

    // Visits the elements, free ones included, in the order of their ids.
    template <typename F> void ForEach(F&& visit) const {
        for (const auto& [id, element] : Slots)
            visit(*element);
    }

private:
    void SlotMayBeFree(int32_t id) { SearchStart = std::min(SearchStart, id); }

    std::map<int32_t, std::unique_ptr<TElement>> Slots;
    // Every slot below this id holds a live element.
    int32_t SearchStart = 0;
};

} // namespace redewerk
