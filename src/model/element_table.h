#pragma once

#include "model/element.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace redewerk {

// The table of all elements, indexed by id. A slot whose element has kind 0 is free and is
// reused lowest first; so is an empty slot below the highest id.
// A project file may hold any id, so memory must follow the blocks, not the ids: the low ids,
// where blocks are created, sit in an array that grows only while it stays about half full;
// the ids above it sit in an ordered map and cost nothing where there is no element.
// Blocks are freed through Free(), never by setting Kind to 0 directly: the table remembers
// below which id every slot is taken, so creating many blocks in a row stays linear.
class TElementTable {
public:
    // One more than the highest id in the table; 0 for an empty table.
    int64_t Size() const {
        return Far.empty() ? static_cast<int64_t>(Near.size()) : int64_t{Far.rbegin()->first} + 1;
    }
    bool IsEmpty() const { return Count == 0; }

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

    void Clear();

    // Visits the elements, free ones included, in the order of their ids.
    template <typename F> void ForEach(F&& visit) const {
        for (const auto& element : Near)
            if (element) visit(*element);
        for (const auto& [id, element] : Far)
            visit(*element);
    }

private:
    void SlotMayBeFree(int32_t id) { SearchStart = std::min(SearchStart, id); }
    // The slot for `id`, made when missing; moves the array's end up when that keeps it dense.
    std::unique_ptr<TElement>& SlotFor(int32_t id);

    std::vector<std::unique_ptr<TElement>> Near;      // ids below Near.size()
    std::map<int32_t, std::unique_ptr<TElement>> Far; // ids from Near.size() on
    int64_t Count = 0;                                // elements held in either
    // Every slot below this id holds a live element.
    int32_t SearchStart = 0;
};

} // namespace redewerk
