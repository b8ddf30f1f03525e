#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TBlockTree;
class TNode;
class TProject;
class TPrompter;

// The rules of the tree's commands: creating, naming, deleting and moving nodes and copying a
// block's path. The editor binds them to menus, keys and the mouse; every rule and message
// lives here so that it holds whatever the widgets are.

// The entries of the menus "Neu" and "Neues Unterobjekt", in menu order.
enum class TNewNodeKind { Folder, Dialog, Choice, Event, Code, EndDialog };
inline constexpr TNewNodeKind kNewNodeKinds[] = {TNewNodeKind::Folder, TNewNodeKind::Dialog,
                                                 TNewNodeKind::Choice, TNewNodeKind::Event,
                                                 TNewNodeKind::Code,   TNewNodeKind::EndDialog};

// "Ordner", "Dialog", "Dialogoption", "Event", "Code", "Ende Dialog".
const char* NewNodeCaption(TNewNodeKind kind);
// The name offered for a new node: "ENDE" for "Ende Dialog", else empty.
std::string ProposedName(TNewNodeKind kind);

// Creates a node without a name as the last sibling (or, with `asChild`, the last child) of
// the menu anchor, in the top row when there is none, with its element for a block.
TNode* CreateNewNode(TProject& project, TNewNodeKind kind, bool asChild);
// Once the new node has its name: a Dialogoption adds itself to its parent's choices and
// "Ende Dialog" gets its preset.
void FinishNewNode(TProject& project, TNode* node, TNewNodeKind kind);

// Why a name cannot be given to a node, in the order the checks run.
enum class TNameProblem { None, Empty, Exists, SpecialChars };

// Whether `node` may be named `name` where it stands: not empty, no other node with the same
// path (without regard to case; the node itself does not count), no special character.
// A name with a line break is taken with "_" for its control characters, as it is stored.
TNameProblem CheckNodeName(const TBlockTree& tree, const TNode* node, std::string_view name);
// The message for a refused name ("Gib bitte einen gültigen Namen ein!", ...).
std::string NameProblemMessage(TNameProblem problem);

// Gives the node the name when the rules allow it; otherwise shows the one message that
// applies and leaves the node as it is.
bool ValidateName(TBlockTree& tree, TNode* node, std::string_view name, TPrompter& prompter);

// Whether the node dragged in the tree may be dropped on `target`: as its first child
// (`asFirstChild`, the Ctrl key) or in front of it as its sibling. Refused are drops onto
// the node itself or below it, and drops that would give two nodes the same path.
bool CanDropNode(const TBlockTree& tree, const TNode* dragged, const TNode* target,
                 bool asFirstChild);
// Moves the node with its subtree as the drop says; false (and no change) when refused.
bool DropNode(TBlockTree& tree, TNode* dragged, TNode* target, bool asFirstChild);

// Asks "Den ausgewählten Punkt wirklich löschen?" and, for a node with children, once more;
// then frees every block of the subtree and removes it. False when nothing was deleted
// (nothing selected, or a question not answered with OK); `freedIds` gets the freed ids.
bool DeleteSelectedNode(TProject& project, TPrompter& prompter,
                        std::vector<int32_t>* freedIds = nullptr);

// "Pfad kopieren": remembers the selected block's id in `copiedBlockId`. A folder or no
// selection gives a message; a Code block is silently left out.
void CopyPath(const TProject& project, int32_t& copiedBlockId, TPrompter& prompter);
// Whether `copiedBlockId` names a live block; with `showMessages` says why not.
bool CheckCopiedBlock(const TProject& project, int32_t copiedBlockId, TPrompter& prompter,
                      bool showMessages);

} // namespace redewerk
