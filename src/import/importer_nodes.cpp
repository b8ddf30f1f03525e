// Placing the imported objects in the block tree: who hangs under whom, the run's folders,
// the nodes and blocks, and the blocks' fields.
#include "import/importer.h"

#include "import/import_text.h"
#include "model/cp1252.h"
#include "model/name_markers.h"
#include "model/project.h"

namespace redewerk {
namespace {

bool IsDialogFunction(const TImpObj& object) {
    return object.ObjType == TpCondition || object.ObjType == TpInfo;
}

// Places `child` under `parent` when the parent is placed (a dialog or below one) and the
// child is an unplaced option or dialog function.
bool Link(TImpObj& parent, TImpObj& child) {
    if (parent.ObjType != TpDia && !parent.Parent) return false;
    if (child.Parent) return false;
    if (child.ObjType != TpChoice && !IsDialogFunction(child)) return false;
    child.Parent = &parent;
    return true;
}

int LinkReferences(TImpObj& object, TImpRefKind kind) {
    int links = 0;
    for (TImpRef* ref : object.RefsOut) {
        if (ref->Kind != kind) continue;
        if (Link(*ref->Source, *ref->Target) || Link(*ref->Target, *ref->Source)) ++links;
    }
    return links;
}

} // namespace

void TImporter::ResolveHierarchy() {
    // A dialog's own functions hang under the first dialog that names them.
    std::vector<TImpObj*> placed;
    for (TImpObj& object : Objects) {
        if (object.ObjType != TpDia) continue;
        for (TImpRef* ref : object.RefsOut)
            if ((ref->Kind == RfCondition || ref->Kind == RfInformation) &&
                Link(object, *ref->Target))
                placed.push_back(ref->Target);
    }
    // Options under the function that offers them, breadth first from the dialogs: an option
    // offered at several depths hangs where it is offered closest to its dialog. The tree
    // follows from the dialogs and the texts alone, not from the order of the functions in
    // the file, so the export of an import reads back into the same tree.
    for (size_t i = 0; i < placed.size(); ++i)
        for (TImpRef* ref : placed[i]->RefsOut)
            if (ref->Kind == RfChoiceFunc && Link(*placed[i], *ref->Target))
                placed.push_back(ref->Target);
    // What is left goes where any dialog statement or call ties it to a placed object.
    for (int links = 1; links > 0;) {
        links = 0;
        for (TImpObj& object : Objects) {
            links += LinkReferences(object, RfChoiceDialog);
            links += LinkReferences(object, RfCall);
            links += LinkReferences(object, RfClearChoices);
            links += LinkReferences(object, RfChoiceFunc);
        }
    }
}

const std::string& TImporter::UpperPathOf(TNode* node) {
    auto it = UpperPaths.find(node);
    if (it == UpperPaths.end()) it = UpperPaths.emplace(node, UpperCase1252(node->Path())).first;
    return it->second;
}

TNode* TImporter::AddNode(TNode* parent, const std::string& name) {
    std::string path = UpperPathOf(parent) + "\\" + UpperCase1252(name);
    TNode* node = Project.Tree.AppendChild(parent, name);
    RunPaths.insert(path);
    UpperPaths.emplace(node, std::move(path));
    return node;
}

void TImporter::CreateFolders() {
    std::string name = "IMPORT";
    for (int number = 1; Project.Tree.FindByPath(name); ++number)
        name = "IMPORT" + std::to_string(number);
    RootNode = Project.Tree.AppendChild(nullptr, name);
    RunPaths.insert(UpperPathOf(RootNode));

    std::unordered_map<std::string, TNode*> folders; // by upper-cased name
    for (TImpObj& object : Objects) {
        if (!FolderForEach) {
            object.FolderNode = RootNode;
            continue;
        }
        const std::string folder = FolderNameFromFile(object.FileName);
        TNode*& node = folders[UpperCase1252(folder)];
        if (!node) node = AddNode(RootNode, folder);
        object.FolderNode = node;
    }
}

std::string TImporter::NodeNameFor(const TImpObj& object, TNode* parent) {
    if (object.ObjType != TpDia && object.ObjType != TpChoice) return object.Name;
    // The shortest tail of the name that no sibling uses yet: DIA_Guard_Hello becomes
    // Hello, or Guard_Hello beside another Hello.
    const std::vector<std::string> candidates = NodeNameCandidates(object.Name);
    const std::string prefix = UpperPathOf(parent) + "\\";
    for (size_t i = 0; i + 1 < candidates.size(); ++i)
        if (!RunPaths.contains(prefix + UpperCase1252(candidates[i]))) return candidates[i];
    return candidates.back();
}

int32_t TImporter::TakeFreeElementId() {
    // The lowest free slot, as FindFreeElementSlot gives it; a new id at the end of the table
    // is stored there by the caller.
    const int64_t size = Project.Elements.Size();
    while (FreeIdSearchStart < size) {
        const TElement* element = Project.Elements.At(FreeIdSearchStart);
        if (!element || element->IsFree()) break;
        ++FreeIdSearchStart;
    }
    return FreeIdSearchStart++;
}

bool TImporter::SimplifyOwnCondition(TImpObj& object) {
    if (object.ObjType != TpDia || !object.Info || !object.Info->CondObj ||
        object.Info->CondObj->Parent != &object)
        return false;
    return !SimplifyCondition(*object.Info->CondObj);
}

void TImporter::CreateNodes(TImpObj& object) {
    if (object.ElementId != -1 || IsDialogFunction(object)) return;

    TImpObj* nodeParent = object.Parent;
    while (nodeParent && IsDialogFunction(*nodeParent))
        nodeParent = nodeParent->Parent;

    // A condition function that is more than a guarded "return TRUE" becomes a Code block of
    // its own, standing before the dialog. Keeping names, each one was settled before and
    // stands where the script has it, so that an export that takes the script's place
    // imports in the same order again.
    if (!KeepNames && SimplifyOwnCondition(object)) CreateNodes(*object.Info->CondObj);

    TNode* parentNode = object.FolderNode;
    if (nodeParent) {
        CreateNodes(*nodeParent);
        if (TElement* parentElement = Project.Elements.LiveAt(nodeParent->ElementId))
            parentNode = parentElement->Node;
    }
    if (!parentNode) parentNode = RootNode;

    TNode* node = AddNode(parentNode, NodeNameFor(object, parentNode));
    const int32_t id = TakeFreeElementId();
    object.ElementId = id;
    const int32_t kind = object.ObjType == TpDia      ? ekDialog
                         : object.ObjType == TpChoice ? ekChoice
                                                      : ekCode;
    TElement* element = Project.Elements.Store(std::make_unique<TElement>(id, kind, node));
    Project.Tree.SetElement(node, element);
}

void TImporter::CopyIntoElements(TImpObj& object) {
    for (const TImpRef* ref : object.RefsOut) {
        const bool knownVar = ref->Kind == RfKnownVar &&
                              (ref->Target->ObjType == TpDia || ref->Target->ObjType == TpChoice);
        if ((ref->Kind != RfKnowsInfo && !knownVar) || ref->Target->ElementId < 0) continue;
        TImpObj* holder = &object;
        while (holder && holder->ElementId < 0)
            holder = holder->Parent;
        if (TElement* element = holder ? Project.Elements.LiveAt(holder->ElementId) : nullptr)
            element->KnownRefs.push_back(ref->Target->ElementId);
    }
    if (IsDialogFunction(object)) return;
    TElement* element = Project.Elements.LiveAt(object.ElementId);
    if (!element) return;

    if (object.ObjType != TpDia) {
        std::string text = RebuildText(object);
        if (object.ObjType == TpChoice) {
            element->Description = object.ChoiceText;
            if (KeepNames) text = NameLine(object) + "\r\n" + text;
        }
        element->Body = SplitLines(text);
        return;
    }

    // The run has left out the scripts of dialogs without their functions.
    if (LacksDialogFunctions(object)) return;
    const TDialogInfo* info = object.Info.get();
    element->Npc = Project.Npcs.ClearNameOf(info->Npc, Prompter);
    element->Nr = info->Nr;
    element->Important = info->Important;
    element->Permanent = info->Permanent;
    element->Trade = info->Trade;
    element->Description = object.ChoiceText;

    // A function that belongs to another dialog is called through that dialog's block. Only
    // placed functions are asked for, and they always have a root.
    auto ownerId = [](const TImpObj& function) {
        return std::to_string(function.Root()->ElementId);
    };
    // Keeping names, a function that is not the dialog's own keeps its name too: the dialog
    // names it, as its attribute does, as standing elsewhere instead of calling it from a
    // function of its own.
    auto elsewhere = [](std::string_view name) {
        return std::string(kNameMarkerOpener) + std::string(name) + "()#";
    };
    std::string body;
    if (const TImpObj* function = info->InfoObj; function && function->Parent == &object)
        body = RebuildText(*function);
    else if (KeepNames)
        body = elsewhere(info->InfoName);
    else if (function && function->Parent)
        body = "#" + ownerId(*function) + "#_info();";
    else
        body = (function ? function->Name : info->InfoName) + "();";
    if (!object.Comment.empty()) body = object.Comment + "\r\n\r\n" + body;
    if (KeepNames) body = NameLine(object) + "\r\n" + body;
    element->Body = SplitLines(body);

    std::string condition;
    if (const TImpObj* function = info->CondObj; function && function->Parent == &object)
        condition = RebuildText(*function);
    else if (KeepNames)
        condition = elsewhere(info->CondName);
    else if (function && function->Parent)
        condition = "if (#" + ownerId(*function) + "#_condition())";
    else
        condition = "if (" + (function ? function->Name : info->CondName) + "())";
    element->Condition = SplitLines(condition);
}

std::string TImporter::NameLine(const TImpObj& object) const {
    std::string names = object.Name;
    if (object.ObjType == TpDia) {
        // A dialog's own functions are named only where their names are not those that the
        // export gives them anyway: the instance's name with "_condition" and "_info".
        auto own = [&](const TImpObj* function, std::string_view suffix) {
            if (!function || function->Parent != &object ||
                EqualsNoCase1252(function->Name, object.Name + std::string(suffix)))
                return std::string();
            return function->Name;
        };
        const std::string condition = own(object.Info->CondObj, "_condition");
        const std::string information = own(object.Info->InfoObj, "_info");
        if (!information.empty())
            names += "," + condition + "," + information;
        else if (!condition.empty())
            names += "," + condition;
    }
    return std::string(kNameMarkerOpener) + names + "#";
}

} // namespace redewerk
