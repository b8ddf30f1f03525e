#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TNode;
class TProject;
struct TElement;

// Every block becomes a Daedalus symbol named after its node path: the node texts from the
// top row down joined by "_", upper-cased, with "DIA_" in front for Dialogs and Choices
// (unless the name already begins with it). A Dialog Hallo under the folder Wirt is
// DIA_WIRT_HALLO, an Event TuerAuf in the folder Events is EVENTS_TUERAUF. A block whose body
// begins with a name line (model/name_markers.h) has the name given there instead.

// The instance name a block of `kind` at `node` has, derived from the path.
std::string InstanceNameOf(const TNode& node, int32_t kind);

// The instance name of a block: its kept name, or the one derived from its node.
std::string InstanceNameOf(const TElement& element);

// The instance name of the block in slot `id`; empty when the slot holds no block.
std::string InstanceName(const TProject& project, int32_t id);

// Finds blocks by instance name. Names are computed once for the whole project, so looking up
// many names in a large project stays fast. Build a new index after the tree or the names
// changed.
class TInstanceNameIndex {
public:
    explicit TInstanceNameIndex(const TProject& project);

    // The id of the first live block (in id order) whose instance name, its ASCII letters
    // upper-cased (as the lexer reads names), is exactly `name`; -1 when there is none.
    int32_t Find(std::string_view name) const;

    // The instance name of the block in slot `id`; empty for a free slot.
    const std::string& NameOf(int32_t id) const;

private:
    // Each live block's id, in ascending order (ids may be sparse), and its instance name.
    std::vector<int32_t> Ids;
    std::vector<std::string> Names;
    // Open addressing over the entries, a power of two long; -1 marks an empty slot. Flat
    // arrays keep lookups in a project of tens of thousands of blocks cache-friendly.
    std::vector<int32_t> Slots;
};

} // namespace redewerk
