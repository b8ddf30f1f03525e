#include "model/storable_text.h"

#include "model/cp1252.h"
#include "model/project.h"
#include "model/prompter.h"

namespace redewerk {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t';
}

int ReplaceControls(std::string& text, char replacement) {
    int replaced = 0;
    for (char& c : text)
        if (IsControl(c)) {
            c = replacement;
            ++replaced;
        }
    return replaced;
}

bool HasSiblingNamed(const TBlockTree& tree, const TNode* node, std::string_view name) {
    for (const auto& sibling : tree.ChildrenOf(node->Parent()))
        if (sibling.get() != node && EqualsNoCase1252(sibling->Text(), name)) return true;
    return false;
}

// Node names are unique among siblings; a replaced name that meets another takes a number.
int MakeNodeNameStorable(TBlockTree& tree, TNode* node) {
    std::string name = node->Text();
    const int replaced = MakeStorableField(name, kNameReplacement);
    if (replaced == 0) return 0;
    std::string candidate = name;
    for (int number = 2; HasSiblingNamed(tree, node, candidate); ++number)
        candidate = name + "_" + std::to_string(number);
    tree.SetText(node, std::move(candidate));
    return replaced;
}

} // namespace

bool IsMarkerLine(std::string_view line) {
    return line == kSectionEndMarker || line == kNodeListEndMarker;
}

bool IsStorableField(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos && !IsMarkerLine(text);
}

bool IsStorableLine(std::string_view line) {
    return line.find('\n') == std::string_view::npos && !IsMarkerLine(line);
}

int MakeStorableField(std::string& text, char replacement) {
    return IsStorableField(text) ? 0 : ReplaceControls(text, replacement);
}

int MakeStorableLines(TLines& lines) {
    int replaced = 0;
    for (std::string& line : lines)
        if (!IsStorableLine(line)) replaced += ReplaceControls(line, kTextReplacement);
    return replaced;
}

std::string StorableField(std::string text, char replacement) {
    MakeStorableField(text, replacement);
    return text;
}

TLines StorableLines(TLines lines) {
    MakeStorableLines(lines);
    return lines;
}

int MakeProjectStorable(TProject& project) {
    int replaced = MakeStorableLines(project.Variables);
    for (auto* names : {&project.Npcs.ClearNames, &project.Npcs.InstanceNames})
        for (std::string& name : *names)
            replaced += MakeStorableField(name, kNameReplacement);
    project.Tree.ForEachPreOrder(
        [&](TNode* node) { replaced += MakeNodeNameStorable(project.Tree, node); });
    project.Elements.ForEach([&](TElement& element) {
        if (element.IsFree()) return;
        replaced += MakeStorableField(element.Heading, kTextReplacement);
        replaced += MakeStorableField(element.Npc, kNameReplacement);
        replaced += MakeStorableField(element.Nr, kTextReplacement);
        replaced += MakeStorableField(element.Description, kTextReplacement);
        replaced += MakeStorableLines(element.Condition);
        replaced += MakeStorableLines(element.Body);
    });
    return replaced;
}

void ReportReplacedCharacters(int count, TPrompter& prompter) {
    if (count > 0)
        prompter.ShowMessage(std::to_string(count) +
                             " Zeichen ersetzt, die eine Projektdatei nicht speichern kann");
}

} // namespace redewerk
