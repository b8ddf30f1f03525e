#include "model/element_table.h"

namespace redewerk {

TElement* TElementTable::At(int32_t id) const {
    if (id < 0 || id >= Size()) return nullptr;
    return Slots[static_cast<size_t>(id)].get();
}

TElement* TElementTable::LiveAt(int32_t id) const {
    TElement* element = At(id);
    return element && !element->IsFree() ? element : nullptr;
}

int32_t TElementTable::FindFreeElementSlot() {
    for (; SearchStart < Size(); ++SearchStart) {
        const auto& slot = Slots[static_cast<size_t>(SearchStart)];
        if (!slot || slot->IsFree()) return SearchStart;
    }
    Slots.push_back(std::make_unique<TElement>(Size(), ekFolder, nullptr));
    return Size() - 1;
}

TElement* TElementTable::Store(std::unique_ptr<TElement> element) {
    const auto id = static_cast<size_t>(element->Id);
    if (id >= Slots.size()) Slots.resize(id + 1);
    if (element->IsFree()) SlotMayBeFree(element->Id);
    Slots[id] = std::move(element);
    return Slots[id].get();
}

void TElementTable::Free(int32_t id) {
    TElement* element = At(id);
    if (!element) return;
    element->Kind = ekFolder;
    element->Node = nullptr;
    SlotMayBeFree(id);
}

std::unique_ptr<TElement> TElementTable::Take(int32_t id) {
    if (id < 0 || id >= Size()) return nullptr;
    SlotMayBeFree(id);
    return std::move(Slots[static_cast<size_t>(id)]);
}

void TElementTable::FillEmptySlots() {
    for (size_t id = 0; id < Slots.size(); ++id)
        if (!Slots[id])
            Slots[id] = std::make_unique<TElement>(static_cast<int32_t>(id), ekFolder, nullptr);
}

} // namespace redewerk
