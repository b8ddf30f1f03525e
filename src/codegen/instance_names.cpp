#include "codegen/instance_names.h"

#include "model/block_tree.h"
#include "model/cp1252.h"
#include "model/element.h"
#include "model/name_markers.h"
#include "model/project.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace redewerk {

namespace {

// Whether `upper` is `name` with its ASCII letters upper-cased.
bool IsUpperCaseOf(std::string_view upper, std::string_view name) {
    if (upper.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (UpperCaseAscii(name[i]) != upper[i]) return false;
    return true;
}

} // namespace

std::string InstanceNameOf(const TNode& node, int32_t kind) {
    std::vector<const TNode*> chain;
    size_t length = 0;
    for (const TNode* current = &node; current; current = current->Parent()) {
        chain.push_back(current);
        length += current->Text().size() + 1;
    }
    std::string name;
    name.reserve(length + 4);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin()) name += '_';
        name += (*it)->Text();
    }
    if ((kind == ekDialog || kind == ekChoice) && !name.starts_with("DIA_")) name.insert(0, "DIA_");
    // Only the ASCII letters, as the lexer upper-cases names: a name read from a body must
    // compare equal to the generated one.
    return UpperCaseAscii(name);
}

std::string InstanceNameOf(const TElement& element) {
    if (!element.Node) return {};
    // A kept name is written as it was; Daedalus does not mind the letter case.
    const std::string_view kept = KeptName(element.Body, element.Kind);
    if (!kept.empty()) return std::string(kept);
    return InstanceNameOf(*element.Node, element.Kind);
}

std::string InstanceName(const TProject& project, int32_t id) {
    const TElement* element = project.Elements.LiveAt(id);
    return element ? InstanceNameOf(*element) : std::string();
}

TInstanceNameIndex::TInstanceNameIndex(const TProject& project) {
    // The elements come in id order, so the ids are sorted.
    project.Elements.ForEach([&](const TElement& element) {
        if (element.IsFree() || !element.Node) return;
        Ids.push_back(element.Id);
        Names.push_back(InstanceNameOf(element));
    });
    size_t capacity = 16;
    while (capacity < Names.size() * 2)
        capacity *= 2;
    Slots.assign(capacity, -1);
    const size_t mask = capacity - 1;
    // Walking the ids upwards and keeping the first entry gives the lowest id for a name.
    for (size_t entry = 0; entry < Names.size(); ++entry) {
        const std::string& name = Names[entry];
        size_t slot = HashNoCaseAscii(name) & mask;
        while (Slots[slot] >= 0 &&
               !EqualsNoCaseAscii(Names[static_cast<size_t>(Slots[slot])], name))
            slot = (slot + 1) & mask;
        if (Slots[slot] < 0) Slots[slot] = static_cast<int32_t>(entry);
    }
}

int32_t TInstanceNameIndex::Find(std::string_view name) const {
    const size_t mask = Slots.size() - 1;
    for (size_t slot = HashNoCaseAscii(name) & mask;; slot = (slot + 1) & mask) {
        const int32_t entry = Slots[slot];
        if (entry < 0) return -1;
        if (IsUpperCaseOf(name, Names[static_cast<size_t>(entry)]))
            return Ids[static_cast<size_t>(entry)];
    }
}

const std::string& TInstanceNameIndex::NameOf(int32_t id) const {
    static const std::string kNone;
    const auto found = std::lower_bound(Ids.begin(), Ids.end(), id);
    if (found == Ids.end() || *found != id) return kNone;
    return Names[static_cast<size_t>(found - Ids.begin())];
}

} // namespace redewerk
