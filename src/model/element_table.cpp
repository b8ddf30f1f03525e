#include "model/element_table.h"

namespace redewerk {

TElement* TElementTable::At(int32_t id) const {
    if (id < 0) return nullptr;
    if (static_cast<size_t>(id) < Near.size()) return Near[static_cast<size_t>(id)].get();
    const auto found = Far.find(id);
    return found == Far.end() ? nullptr : found->second.get();
}

TElement* TElementTable::LiveAt(int32_t id) const {
    TElement* element = At(id);
    return element && !element->IsFree() ? element : nullptr;
}

int32_t TElementTable::FindFreeElementSlot() {
    for (; static_cast<size_t>(SearchStart) < Near.size(); ++SearchStart) {
        const auto& slot = Near[static_cast<size_t>(SearchStart)];
        if (!slot || slot->IsFree()) return SearchStart;
    }
    // Above the array: the first id that is missing or free.
    for (auto slot = Far.lower_bound(SearchStart);
         slot != Far.end() && slot->first == SearchStart && !slot->second->IsFree(); ++slot)
        ++SearchStart;
    if (SearchStart < Size()) return SearchStart;
    const auto id = static_cast<int32_t>(Size());
    Store(std::make_unique<TElement>(id, ekFolder, nullptr));
    return id;
}

std::unique_ptr<TElement>& TElementTable::SlotFor(int32_t id) {
    const auto index = static_cast<size_t>(id);
    // Up to twice as many slots as elements (and a first stretch) keep the array dense.
    const size_t limit = 2 * static_cast<size_t>(Count) + 1024;
    if (index >= Near.size() && index < limit) {
        Near.resize(index + 1);
        // The map's ids that the array now covers move over.
        while (!Far.empty() && static_cast<size_t>(Far.begin()->first) < Near.size()) {
            Near[static_cast<size_t>(Far.begin()->first)] = std::move(Far.begin()->second);
            Far.erase(Far.begin());
        }
    }
    return index < Near.size() ? Near[index] : Far[id];
}

TElement* TElementTable::Store(std::unique_ptr<TElement> element) {
    const int32_t id = element->Id;
    if (element->IsFree()) SlotMayBeFree(id);
    std::unique_ptr<TElement>& slot = SlotFor(id);
    if (!slot) ++Count;
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
    std::unique_ptr<TElement> element;
    if (id >= 0 && static_cast<size_t>(id) < Near.size()) {
        element = std::move(Near[static_cast<size_t>(id)]);
    } else if (const auto found = Far.find(id); found != Far.end()) {
        element = std::move(found->second);
        Far.erase(found);
    }
    if (element) {
        --Count;
        SlotMayBeFree(id);
    }
    return element;
}

void TElementTable::Clear() {
    Near.clear();
    Far.clear();
    Count = 0;
    SearchStart = 0;
}

} // namespace redewerk
