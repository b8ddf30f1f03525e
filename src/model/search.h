#pragma once

#include "model/text_lines.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace redewerk {

class TNode;
class TProject;

// The search goes through the tree in pre-order and through each node's fields in the order
// below; a kind has only the fields the editor shows for it, always in this order.
enum class TSearchField { NodeName, Heading, Npc, Nr, Description, Condition, Body };

// The fields searched for a node, in order: a folder has only its name.
std::span<const TSearchField> SearchFieldsOf(const TNode* node);

// A place in the project: a field of a node and an offset into the field's text. In the
// condition and the body every line break counts as two characters (CR LF); `Line` is the
// number of line breaks before the offset (0 in a single-line field).
struct TSearchPlace {
    TNode* Node = nullptr;
    TSearchField Field = TSearchField::NodeName;
    size_t Offset = 0;
    size_t Line = 0;
};

// Finds the next occurrence of `searchText` after `start`: first in the start field from its
// offset (not when the start is a node name, where the tree has the focus), then in every
// following field of the search order, from the node after the last one on to the first one
// of the tree, and at last in the start field once more from its beginning, so a match before
// the caret is found last. Nothing when the text is empty or occurs nowhere. The case of the
// ASCII letters does not count, that of all others does: "a" finds "A", "ä" does not find "Ä".
// `startShown`, when given, is the start field's text as its editor shows it (typed and not
// yet written back, references as paths): the start field is searched in that text.
std::optional<TSearchPlace> FindNextInProject(TProject& project, std::string_view searchText,
                                              const TSearchPlace& start,
                                              const TLines* startShown = nullptr);

} // namespace redewerk
