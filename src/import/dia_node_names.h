#pragma once

#include "model/text_lines.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace redewerk {

class TBlockTree;
class TNode;

// The node name for a name taken from a ".dia" file. Node names become parts of node paths,
// references and instance names, so the characters they may not hold are replaced: the German
// letters are spelled out (ä -> ae, ß -> ss), every other refused character becomes "_".
// A name without such characters stays as it is.
std::string DiaNodeName(std::string_view name);

// The first child of `parent` (nullptr: the top row) whose text equals `name` without regard
// to letter case, or nullptr.
TNode* FindChildNoCase(const TBlockTree& tree, const TNode* parent, std::string_view name);

// A name for a new child of `parent` (nullptr: the top row) that none of its children holds,
// compared without regard to letter case: `name` itself, else `name` followed by "_2", "_3"
// and so on. Node paths must stay unique, or references would reach the wrong block.
std::string FreeChildName(const TBlockTree& tree, const TNode* parent, const std::string& name);

// The blocks one ".dia" import created, by the names the file gives them. A block may have had
// to take a free name because its parent already held the file's name, while the references
// of the file still use the file's name. Before the references become ids, their paths are
// rewritten to the names the blocks really have.
class TDiaNodeIndex {
public:
    // Records that `node` was created for the element the file calls `fileName`.
    void Add(TNode* node, const std::string& fileName);

    // The path of one reference from the block at `context`, each component that names a block
    // of this import under the node reached so far replaced by the block's node text. Of
    // several blocks with the same file name, the block at `context` or one of its ancestors
    // wins, else the one created first. Components that name no block of this import stay as
    // they are, and so do paths that cannot be followed.
    std::string ResolvePath(const TBlockTree& tree, std::string_view path,
                            const TNode* context) const;

    // The lines with the path of every reference resolved (known-references included).
    TLines ResolvePaths(const TBlockTree& tree, const TLines& lines, const TNode* context) const;

private:
    const TNode* Find(const TNode* parent, std::string_view fileName, const TNode* context) const;

    // (parent, file name in upper case) -> the blocks created there under that name.
    std::map<std::pair<const TNode*, std::string>, std::vector<const TNode*>> Blocks;
};

} // namespace redewerk
