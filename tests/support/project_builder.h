#pragma once

#include "model/element.h"
#include "model/project.h"

#include <string>
#include <string_view>

namespace redewerk::testing {

// Builds test trees from node paths: Add(project, "Wirt\\Hallo", ekDialog) puts a Dialog
// Hallo under the top-row node Wirt, creating missing ancestors as folders.
inline TNode* AddNode(TProject& project, std::string_view path, int32_t kind) {
    TNode* parent = nullptr;
    for (;;) {
        size_t split = path.find('\\');
        std::string name(path.substr(0, split));
        TNode* found = nullptr;
        for (const auto& node : project.Tree.ChildrenOf(parent))
            if (node->Text() == name) found = node.get();
        if (split == std::string_view::npos) {
            TNode* node = found ? found : project.Tree.AppendChild(parent, name);
            if (kind != ekFolder) project.CreateElement(node, kind);
            return node;
        }
        parent = found ? found : project.Tree.AppendChild(parent, name);
        path.remove_prefix(split + 1);
    }
}

// The element of a block added with AddNode.
inline TElement& AddBlock(TProject& project, std::string_view path, int32_t kind) {
    return *AddNode(project, path, kind)->Element();
}

} // namespace redewerk::testing
