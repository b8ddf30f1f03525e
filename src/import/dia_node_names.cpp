#include "import/dia_node_names.h"

#include "model/block_tree.h"
#include "model/cp1252.h"
#include "model/markers.h"
#include "model/names.h"

namespace redewerk {
namespace {

constexpr std::string_view kUpStep = "..\\";

} // namespace

TNode* FindChildNoCase(const TBlockTree& tree, const TNode* parent, std::string_view name) {
    for (const auto& child : tree.ChildrenOf(parent))
        if (EqualsNoCase1252(child->Text(), name)) return child.get();
    return nullptr;
}

std::string DiaNodeName(std::string_view name) {
    if (!HasSpecialChars(name)) return std::string(name);
    std::string result;
    result.reserve(name.size() + 4);
    for (char c : name) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE4: // ä
            result += "ae";
            break;
        case 0xF6: // ö
            result += "oe";
            break;
        case 0xFC: // ü
            result += "ue";
            break;
        case 0xC4: // Ä
            result += "Ae";
            break;
        case 0xD6: // Ö
            result += "Oe";
            break;
        case 0xDC: // Ü
            result += "Ue";
            break;
        case 0xDF: // ß
            result += "ss";
            break;
        default:
            result += HasSpecialChars(std::string_view(&c, 1)) ? '_' : c;
        }
    }
    return result;
}

std::string FreeChildName(const TBlockTree& tree, const TNode* parent, const std::string& name) {
    if (!FindChildNoCase(tree, parent, name)) return name;
    for (int number = 2;; ++number) {
        std::string candidate = name + "_" + std::to_string(number);
        if (!FindChildNoCase(tree, parent, candidate)) return candidate;
    }
}

void TDiaNodeIndex::Add(TNode* node, const std::string& fileName) {
    Blocks[{node->Parent(), UpperCase1252(fileName)}].push_back(node);
}

const TNode* TDiaNodeIndex::Find(const TNode* parent, std::string_view fileName,
                                 const TNode* context) const {
    auto found = Blocks.find({parent, UpperCase1252(fileName)});
    if (found == Blocks.end()) return nullptr;
    for (const TNode* node : found->second)
        if (node == context || (context && node->IsAncestorOf(context))) return node;
    return found->second.front();
}

std::string TDiaNodeIndex::ResolvePath(const TBlockTree& tree, std::string_view path,
                                       const TNode* context) const {
    // The base node as the path converter finds it: each "..\" one node up from the context,
    // then the parent of the node reached (the top row for a top-row node).
    std::string_view rest = path;
    const TNode* node = context;
    while (rest.starts_with(kUpStep)) {
        if (!node) return std::string(path);
        node = node->Parent();
        rest.remove_prefix(kUpStep.size());
        if (!node) return std::string(path);
    }
    if (rest.empty()) return std::string(path);

    std::string result(path.substr(0, path.size() - rest.size()));
    const TNode* current = node ? node->Parent() : nullptr;
    bool following = true;
    bool first = true;
    while (true) {
        const size_t end = rest.find('\\');
        const std::string_view component = rest.substr(0, end);
        if (!first) result += '\\';
        first = false;
        const TNode* next = following ? Find(current, component, context) : nullptr;
        if (next) {
            result += next->Text();
        } else {
            result += component;
            if (following) next = FindChildNoCase(tree, current, component);
            following = next != nullptr;
        }
        current = next;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return result;
}

TLines TDiaNodeIndex::ResolvePaths(const TBlockTree& tree, const TLines& lines,
                                   const TNode* context) const {
    std::string text = ReplaceReferences(JoinLines(lines), [&](std::string_view inner) {
        const bool known = inner.starts_with("!");
        if (known) inner.remove_prefix(1);
        return (known ? "#!" : "#") + ResolvePath(tree, inner, context) + "#";
    });
    return SplitLines(text);
}

} // namespace redewerk
