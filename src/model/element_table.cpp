#include "model/element_table.h"

namespace redewerk {

TElement* TElementTable::At(int32_t id) const {
    const auto found = Slots.find(id);
    return found == Slots.end() ? nullptr : found->second.get();
}

TElement* TElementTable::LiveAt(int32_t id) const {
    TElement* element = At(id);
    return element && !element->IsFree() ? element : nullptr;
}

int32_t TElementTable::FindFreeElementSlot() {
    // Walk the stored slots from the search start: the first id that is missing or free.
    for (auto slot = Slots.lower_bound(SearchStart);
         slot != Slots.end() && slot->first == SearchStart && !slot->second->IsFree(); ++slot)
        ++SearchStart;
    if (SearchStart < Size()) return SearchStart;
    const auto id = static_cast<int32_t>(Size());
    Slots.emplace(id, std::make_unique<TElement>(id, ekFolder, nullptr));
    return id;
}

TElement* TElementTable::Store(std::unique_ptr<TElement> element) {
    const int32_t id = element->Id;
    if (element->IsFree()) SlotMayBeFree(id);
    auto& slot = Slots[id];
    slot = std::move(element);
    return slot.get();
}

void TElementTable::Free(int32_t id) {
    TElement* element = At(id);
    if (!element) return;
    element->Kind = ekFolder;
    element->Node = nullptr;
    SlotMayBeFree(id);
}

std::unique_ptr<TElement> TElementTable::Take(int32_t id) {
    const auto found = Slots.find(id);
    if (found == Slots.end()) return nullptr;
    SlotMayBeFree(id);
    std::unique_ptr<TElement> element = std::move(found->second);
    Slots.erase(found);
    return element;
}

} // namespace redewerk
