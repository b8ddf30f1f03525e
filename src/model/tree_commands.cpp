#include "model/tree_commands.h"

#include "model/block_tree.h"
#include "model/cp1252.h"
#include "model/element.h"
#include "model/names.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/storable_text.h"

namespace redewerk {
namespace {

int32_t ElementKindOf(TNewNodeKind kind) {
    switch (kind) {
    case TNewNodeKind::Folder:
        return ekFolder;
    case TNewNodeKind::Dialog:
    case TNewNodeKind::EndDialog:
        return ekDialog;
    case TNewNodeKind::Choice:
        return ekChoice;
    case TNewNodeKind::Event:
        return ekEvent;
    case TNewNodeKind::Code:
        return ekCode;
    }
    return ekFolder;
}

// The node path a node named `name` would have under `parent` (the top row for nullptr).
std::string PathUnder(const TNode* parent, std::string_view name) {
    return parent ? parent->Path() + '\\' + std::string(name) : std::string(name);
}

} // namespace

const char* NewNodeCaption(TNewNodeKind kind) {
    switch (kind) {
    case TNewNodeKind::Folder:
        return "Ordner";
    case TNewNodeKind::Dialog:
        return "Dialog";
    case TNewNodeKind::Choice:
        return "Dialogoption";
    case TNewNodeKind::Event:
        return "Event";
    case TNewNodeKind::Code:
        return "Code";
    case TNewNodeKind::EndDialog:
        return "Ende Dialog";
    }
    return "";
}

std::string ProposedName(TNewNodeKind kind) {
    return kind == TNewNodeKind::EndDialog ? "ENDE" : "";
}

TNode* CreateNewNode(TProject& project, TNewNodeKind kind, bool asChild) {
    TNode* anchor = project.MenuAnchor;
    TNode* parent = asChild ? anchor : (anchor ? anchor->Parent() : nullptr);
    TNode* node = project.Tree.AppendChild(parent, "");
    if (kind != TNewNodeKind::Folder) project.CreateElement(node, ElementKindOf(kind));
    return node;
}

void FinishNewNode(TProject& project, TNode* node, TNewNodeKind kind) {
    if (kind == TNewNodeKind::Choice) project.AddChoiceReference(node, node->Parent());
    if (kind == TNewNodeKind::EndDialog) project.ApplyEndDialogPreset(node);
}

TNameProblem CheckNodeName(const TBlockTree& tree, const TNode* node, std::string_view typed) {
    const std::string name = StorableField(std::string(typed), kNameReplacement);
    if (name.empty()) return TNameProblem::Empty;
    const std::string path = PathUnder(node ? node->Parent() : nullptr, name);
    bool exists = false;
    // The node and its subtree take the new name with them, so they cannot collide.
    tree.ForEachPreOrder([&](TNode* other) {
        if (exists || other == node || (node && node->IsAncestorOf(other))) return;
        exists = EqualsNoCase1252(other->Path(), path);
    });
    if (exists) return TNameProblem::Exists;
    if (HasSpecialChars(name)) return TNameProblem::SpecialChars;
    return TNameProblem::None;
}

std::string NameProblemMessage(TNameProblem problem) {
    switch (problem) {
    case TNameProblem::None:
        return "";
    case TNameProblem::Empty:
        return "Gib bitte einen g\xFCltigen Namen ein!";
    case TNameProblem::Exists:
        return "Der Name existiert bereits!";
    case TNameProblem::SpecialChars:
        return "Sonderzeichen sind in einem Bezeichner nicht erlaubt!";
    }
    return "";
}

bool ValidateName(TBlockTree& tree, TNode* node, std::string_view typed, TPrompter& prompter) {
    const std::string name = StorableField(std::string(typed), kNameReplacement);
    const TNameProblem problem = CheckNodeName(tree, node, name);
    if (problem != TNameProblem::None) {
        prompter.ShowMessage(NameProblemMessage(problem));
        return false;
    }
    if (node->Text() != name) tree.SetText(node, name);
    return true;
}

bool CanDropNode(const TBlockTree& tree, const TNode* dragged, const TNode* target,
                 bool asFirstChild) {
    if (!dragged || !target) return false;
    if (target == dragged || dragged->IsAncestorOf(target)) return false;
    const std::string& name = dragged->Text();
    if (asFirstChild) return tree.FindByPath(PathUnder(target, name)) == nullptr;
    // Beside the target: among its siblings no other node may carry the name, unless the
    // dragged node is one of those siblings already.
    const TNode* parent = target->Parent();
    if (parent == dragged->Parent()) return true;
    return tree.FindByPath(PathUnder(parent, name)) == nullptr;
}

bool DropNode(TBlockTree& tree, TNode* dragged, TNode* target, bool asFirstChild) {
    if (!CanDropNode(tree, dragged, target, asFirstChild)) return false;
    if (asFirstChild) return tree.MoveNode(dragged, target, 0);
    return tree.MoveNode(dragged, target->Parent(), target->Row());
}

bool DeleteSelectedNode(TProject& project, TPrompter& prompter, std::vector<int32_t>* freedIds) {
    TNode* node = project.Selected;
    if (!node) return false;
    const std::string caption = "L\xF6schen best\xE4tigen...";
    if (!prompter.AskOkCancel("Den ausgew\xE4hlten Punkt wirklich l\xF6schen?", caption))
        return false;
    if (node->ChildCount() > 0 &&
        !prompter.AskOkCancel(
            "Der ausgew\xE4hlte Knoten hat untergeordnete Objekte, die mitgel\xF6scht werden!",
            caption))
        return false;
    std::vector<int32_t> freed = project.DeleteSubtree(node);
    if (freedIds) *freedIds = std::move(freed);
    return true;
}

void CopyPath(const TProject& project, int32_t& copiedBlockId, TPrompter& prompter) {
    const TNode* node = project.Selected;
    if (!node) {
        prompter.ShowMessage(
            "Pfad kopieren: Du musst zuvor einen Knotenpunkt erstellen (Rechtsklick)");
        return;
    }
    const TElement* element = node->Element();
    if (!element) {
        prompter.ShowMessage("Pfad kopieren: Ein Ordner dient nur der\r\nOrganisation und ist "
                             "kein g\xFCltiger Baustein!");
        return;
    }
    if (element->Kind == ekCode) return; // a Code block cannot be referred to
    copiedBlockId = element->Id;
}

bool CheckCopiedBlock(const TProject& project, int32_t copiedBlockId, TPrompter& prompter,
                      bool showMessages) {
    if (copiedBlockId == -1) {
        if (showMessages)
            prompter.ShowMessage("Pfad einf\xFCgen: Du musst zun\xE4"
                                 "chst einen im Navigationsfeld (links)\r\neinen Pfad in die "
                                 "Zwischenablage kopieren.");
        return false;
    }
    if (project.Elements.LiveAt(copiedBlockId)) return true;
    if (showMessages)
        prompter.ShowMessage(
            "Pfad einf\xFCgen: Der Pfad in der Zwischenablage ist nicht mehr g\xFCltig.");
    return false;
}

} // namespace redewerk
