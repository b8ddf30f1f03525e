#include "model/project.h"

#include "model/references.h"

#include <utility>

namespace redewerk {

int32_t TProject::CreateElement(TNode* node, int32_t kind) {
    int32_t id = Elements.FindFreeElementSlot();
    auto element = std::make_unique<TElement>(id, kind, node);
    if (kind == ekDialog) {
        if (TElement* anchor = ElementOf(MenuAnchor)) element->Npc = anchor->Npc;
    }
    TElement* stored = Elements.Store(std::move(element));
    if (node) Tree.SetElement(node, stored);
    return id;
}

void TProject::AddChoiceReference(TNode* node, TNode* parent) {
    TElement* parentElement = ElementOf(parent);
    TElement* element = ElementOf(node);
    if (!parentElement || !element) return;
    if (parentElement->Kind != ekDialog && parentElement->Kind != ekChoice) return;
    parentElement->Body.push_back("++#" + std::to_string(element->Id) + "#");
}

void TProject::ApplyEndDialogPreset(TNode* node) {
    TElement* element = ElementOf(node);
    if (!element) return;
    element->Nr = "999";
    element->Permanent = true;
    element->Description = "!DIALOG_ENDE";
    element->Body.push_back("ENDE");
}

std::vector<int32_t> TProject::DeleteSubtree(TNode* node) {
    std::vector<int32_t> freed;
    // Post-order, children before their parent, with a stack of its own: a project file may
    // nest blocks deeper than the call stack reaches. Each entry: a node and its next child.
    std::vector<std::pair<TNode*, int>> stack{{node, 0}};
    while (!stack.empty()) {
        auto& [current, next] = stack.back();
        if (next < current->ChildCount()) {
            TNode* child = current->Child(next++);
            stack.emplace_back(child, 0);
            continue;
        }
        if (TElement* element = current->Element()) {
            Elements.Free(element->Id);
            freed.push_back(element->Id);
        }
        stack.pop_back();
    }
    auto forget = [&](TNode*& pointer) {
        if (pointer && (pointer == node || node->IsAncestorOf(pointer))) pointer = nullptr;
    };
    forget(Selected);
    forget(MenuAnchor);
    Tree.RemoveNode(node);
    // Ids are reused: a reference left pointing at a freed id would silently move to the
    // next block that takes it.
    InvalidateReferencesTo(*this, freed);
    return freed;
}

void TProject::ComputeKnownTargets() {
    Elements.ForEach([](TElement& element) { element.IsKnownTarget = false; });
    Elements.ForEach([&](TElement& element) {
        for (int32_t id : element.KnownRefs)
            if (TElement* target = Elements.At(id)) target->IsKnownTarget = true;
    });
}

void TProject::ClearProject() {
    Selected = nullptr;
    MenuAnchor = nullptr;
    Tree.Clear();
    Elements.Clear();
    Npcs.Clear();
    Variables.clear();
}

void TProject::TakeContentsFrom(TProject& other) {
    // The tree first: its observers must never see nodes whose elements are gone.
    Tree.TakeNodesFrom(other.Tree);
    Selected = std::exchange(other.Selected, nullptr);
    MenuAnchor = std::exchange(other.MenuAnchor, nullptr);
    Elements = std::move(other.Elements);
    other.Elements.Clear();
    Npcs = std::move(other.Npcs);
    other.Npcs.Clear();
    Variables = std::move(other.Variables);
    other.Variables.clear();
}

} // namespace redewerk
