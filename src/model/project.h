#pragma once

#include "model/block_tree.h"
#include "model/element_table.h"
#include "model/npc_list.h"
#include "model/text_lines.h"

#include <cstdint>
#include <vector>

namespace redewerk {

// A whole project: the block tree, the element table, the NPC table and the variables and
// macros text. Every part of the program gets the project passed in; there are no globals.
class TProject {
public:
    TProject() = default;
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    TBlockTree Tree;
    TElementTable Elements;
    TNpcList Npcs;
    TLines Variables;
    // The selected node, kept in step with the editor's tree; saved with the project.
    TNode* Selected = nullptr;
    // The node on which the tree's context menu was last opened: new blocks go there and a
    // new Dialog copies its NPC.
    TNode* MenuAnchor = nullptr;

    // Gives the node a new element of `kind` at the lowest free id and returns the id.
    // A new Dialog copies the Npc of the menu anchor's element.
    int32_t CreateElement(TNode* node, int32_t kind);

    // Appends "++#id#" to the body of the parent when it is a Dialog or a Choice.
    void AddChoiceReference(TNode* node, TNode* parent);

    // The "Ende Dialog" preset: nr 999, permanent, description "!DIALOG_ENDE", body "ENDE".
    void ApplyEndDialogPreset(TNode* node);

    // Frees the elements of the node and everything below it and removes the node.
    // References to the freed ids in the remaining blocks become "INVALID:Gelöscht!" and
    // the ids leave every KnownRefs (InvalidateReferencesTo).
    // Returns the freed ids in the order they were freed.
    std::vector<int32_t> DeleteSubtree(TNode* node);

    // Sets IsKnownTarget on every element that some element lists in its KnownRefs.
    void ComputeKnownTargets();

    // Empties tree, element table, NPC table and variables, and forgets the menu anchor.
    void ClearProject();

    // Takes over everything `other` holds; `other` is left empty. The tree's observers
    // see one reset.
    void TakeContentsFrom(TProject& other);

    // The element of the node, or nullptr for a folder or nullptr node.
    static TElement* ElementOf(const TNode* node) { return node ? node->Element() : nullptr; }
};

} // namespace redewerk
