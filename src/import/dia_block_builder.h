#pragma once

#include "import/dia_element.h"
#include "import/dia_node_names.h"

#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

class TNode;
class TProject;
class TPrompter;

// Turns the committed elements of a ".dia" import into blocks: a folder per NPC, a Dialog per
// INFO below it and a Choice per OPT below the dialog created last. The element names of the
// record are node names already (DiaNodeName); a block whose parent holds its name already
// takes a free one, and the paths the file's references were written with are resolved to the
// real names by `ResolvePaths` before they become ids.
class TDiaBlockBuilder {
public:
    // NPC folders are looked up and created below `base`; nullptr means the top row.
    TDiaBlockBuilder(TProject& project, TPrompter& prompter, TNode* base);

    // Creates the block for the record (nothing when no element is open) and resets the record.
    void Commit(QDC_Element& record);

    // The blocks created so far, in the order they were created.
    const std::vector<TNode*>& CreatedBlocks() const { return Blocks; }
    // The first node this import created (folder or block), or nullptr.
    TNode* FirstCreatedNode() const { return FirstCreated; }
    // The lines of the block at `context` with every reference path naming the blocks by
    // their node texts.
    TLines ResolvePaths(const TLines& lines, const TNode* context) const;

private:
    TNode* FindOrCreateNpcFolder(const std::string& npcName);
    TNode* NewNode(TNode* parent, const std::string& text);
    TNode* NewBlock(TNode* parent, const std::string& fileName, int32_t kind);

    TProject& Project;
    TPrompter& Prompter;
    TNode* Base;
    TNode* LastDialog = nullptr;
    std::string LastDialogName; // as the file calls it
    TDiaNodeIndex Names;
    TNode* FirstCreated = nullptr;
    std::vector<TNode*> Blocks;
};

// The body lines indented by one tab per open brace: a line with "}" closes one level before
// it is indented, a line with "{" opens one after it.
void IndentBraces(TLines& lines);

} // namespace redewerk
