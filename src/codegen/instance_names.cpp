#include "codegen/instance_names.h"

#include "model/block_tree.h"
#include "model/cp1252.h"
#include "model/element.h"
#include "model/project.h"

#include <vector>

namespace redewerk {

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

std::string InstanceName(const TProject& project, int32_t id) {
    const TElement* element = project.Elements.LiveAt(id);
    if (!element || !element->Node) return {};
    return InstanceNameOf(*element->Node, element->Kind);
}

TInstanceNameIndex::TInstanceNameIndex(const TProject& project) {
    Ids.reserve(static_cast<size_t>(project.Elements.Size()));
    // Walking the ids upwards and keeping the first entry gives the lowest id for a name.
    for (int32_t id = 0; id < project.Elements.Size(); ++id) {
        const TElement* element = project.Elements.LiveAt(id);
        if (!element || !element->Node) continue;
        Ids.try_emplace(InstanceNameOf(*element->Node, element->Kind), id);
    }
}

int32_t TInstanceNameIndex::Find(std::string_view name) const {
    auto it = Ids.find(name);
    return it == Ids.end() ? -1 : it->second;
}

} // namespace redewerk
