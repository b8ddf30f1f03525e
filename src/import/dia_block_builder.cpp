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

TNode* TDiaBlockBuilder::FindOrCreateNpcFolder(const std::string& npcName) {
    // Without a PERSON line there is no NPC: a folder without a name would break every path
    // below it, so the blocks go straight to the base.
    if (npcName.empty()) return Base;
    for (const auto& child : Project.Tree.ChildrenOf(Base))
        if (EqualsNoCase1252(child->Text(), npcName)) return child.get();
    return NewNode(Base, npcName);
}

void TDiaBlockBuilder::Commit(QDC_Element& record) {
    if (record.Name.empty()) return;

    if (!record.IsOption && EqualsNoCase1252(record.Name, "EXIT")) record.Lines.push_back("ENDE");

    std::string npcName = Project.Npcs.ClearNameOf(record.Person, Prompter);
    TNode* npcFolder = FindOrCreateNpcFolder(npcName);

    TNode* node;
    if (record.IsOption) {
        node = NewNode(LastDialog, record.Name);
        Project.CreateElement(node, ekChoice);
    } else {
        node = NewNode(npcFolder, record.Name);
        Project.CreateElement(node, ekDialog);
        LastDialog = node;
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

    if (record.IsOption && record.AddToParent) {
        if (TElement* dialog = TProject::ElementOf(LastDialog))
            dialog->Body.push_back("++#" + LastDialog->Text() + "\\" + node->Text() + "#");
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
