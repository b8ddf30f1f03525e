#include "import/dia_block_builder.h"

#include "model/cp1252.h"
#include "model/project.h"

namespace redewerk {

TDiaBlockBuilder::TDiaBlockBuilder(TProject& project, TPrompter& prompter, TNode* base)
    : Project(project), Prompter(prompter), Base(base) {}

void IndentBraces(TLines& lines) {
    int depth = 0;
    for (auto& line : lines) {
        bool opens = line.find('{') != std::string::npos;
        if (line.find('}') != std::string::npos) --depth;
        if (depth > 0) line.insert(0, static_cast<size_t>(depth), '\t');
        if (opens) ++depth;
    }
}

TNode* TDiaBlockBuilder::NewNode(TNode* parent, const std::string& text) {
    TNode* node = Project.Tree.AppendChild(parent, text);
    if (!FirstCreated) FirstCreated = node;
    return node;
}

TNode* TDiaBlockBuilder::NewBlock(TNode* parent, const std::string& fileName, int32_t kind) {
    TNode* node = NewNode(parent, FreeChildName(Project.Tree, parent, fileName));
    Project.CreateElement(node, kind);
    Names.Add(node, fileName);
    return node;
}

TLines TDiaBlockBuilder::ResolvePaths(const TLines& lines, const TNode* context) const {
    return Names.ResolvePaths(Project.Tree, lines, context);
}

TNode* TDiaBlockBuilder::FindOrCreateNpcFolder(const std::string& npcName) {
    // Without a PERSON line there is no NPC: a folder without a name would break every path
    // below it, so the blocks go straight to the base.
    if (npcName.empty()) return Base;
    // A clear name the user typed may hold characters that a node name may not.
    const std::string folderName = DiaNodeName(npcName);
    if (TNode* folder = FindChildNoCase(Project.Tree, Base, folderName)) return folder;
    return NewNode(Base, folderName);
}

void TDiaBlockBuilder::Commit(QDC_Element& record) {
    if (record.Name.empty()) return;

    if (!record.IsOption && EqualsNoCase1252(record.Name, "EXIT")) record.Lines.push_back("ENDE");

    std::string npcName = Project.Npcs.ClearNameOf(record.Person, Prompter);
    TNode* npcFolder = FindOrCreateNpcFolder(npcName);

    TNode* node;
    if (record.IsOption) {
        node = NewBlock(LastDialog, record.Name, ekChoice);
    } else {
        node = NewBlock(npcFolder, record.Name, ekDialog);
        LastDialog = node;
        LastDialogName = record.Name;
    }
    Blocks.push_back(node);

    // The hero's first line doubles as the description of the choice.
    if (record.Desc.empty() && !record.Important) {
        for (const auto& line : record.Lines) {
            if (line.starts_with(">>")) {
                record.Desc = line.substr(2);
                break;
            }
        }
    }

    for (size_t i = 0; i < record.Conditions.size(); ++i)
        record.Conditions[i].insert(0, i == 0 ? "if " : "&& ");

    IndentBraces(record.Lines);

    // Written with the file's names like every other reference of the file; they are the node
    // texts unless a block had to take a free name.
    if (record.IsOption && record.AddToParent) {
        if (TElement* dialog = TProject::ElementOf(LastDialog))
            dialog->Body.push_back("++#" + LastDialogName + "\\" + record.Name + "#");
    }

    TElement* element = node->Element();
    element->Npc = npcName;
    element->Nr = std::to_string(record.Num);
    element->Important = record.Important;
    element->Permanent = record.Permanent;
    element->Trade = record.Trade;
    element->Condition = std::move(record.Conditions);
    element->Body = std::move(record.Lines);
    element->Description = record.Desc;

    record.ResetAfterCommit();
}

} // namespace redewerk
