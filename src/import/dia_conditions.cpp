#include "import/dia_conditions.h"

#include "import/dia_node_names.h"
#include "import/dia_words.h"
#include "model/cp1252.h"

#include <vector>

namespace redewerk {
namespace {

enum class TConditionKind { Unknown, Code, Dialog, Item, Function };

TConditionKind KindOf(const std::string& keyword) {
    std::string upper = UpperCaseAscii(keyword);
    if (upper == "CONDCODE") return TConditionKind::Code;
    if (upper == "CONDDIA") return TConditionKind::Dialog;
    if (upper == "CONDITEM") return TConditionKind::Item;
    if (upper == "CONDFUNC") return TConditionKind::Function;
    return TConditionKind::Unknown;
}

// Removes the first "!" of the text; true when there was one.
bool TakeNegation(std::string& text) {
    size_t mark = text.find('!');
    if (mark == std::string::npos) return false;
    text.erase(mark, 1);
    return true;
}

// "ItemName" or "ItemName, Count", optionally negated by a "!".
std::string ItemTerm(std::string text) {
    bool negated = TakeNegation(text);
    std::string item = TakeWord(text);
    StripLeadingBlanks(text);
    std::string term;
    if (!text.empty() && text.front() == ',') {
        text.erase(0, 1);
        term = "(Npc_HasItems (hero, " + item + ") >= " + TakeWord(text) + ")";
    } else {
        term = "(Npc_HasItems (hero, " + item + ") > 0)";
    }
    return negated ? "!" + term : term;
}

// "Dialog" (of the current NPC) or "Instance, Dialog", optionally negated by a "!". The term
// holds a known-reference whose path climbs from the block to the node that holds the NPC
// folders and descends into the named NPC's folder; both names are written as the importer
// names the folder and the block. `ownFolder` is the clear name of the current NPC: without
// one, the blocks sit where the NPC folders would be, one level higher.
std::string DialogTerm(std::string text, const std::string& ownFolder, bool inOption,
                       const TClearNameLookup& clearNameOf) {
    bool negated = TakeNegation(text);
    std::string folder = ownFolder;
    std::string dialog;
    size_t comma = text.find(',');
    if (comma != std::string::npos) {
        std::string before = text.substr(0, comma);
        std::string after = text.substr(comma + 1);
        folder = clearNameOf(TakeWord(before));
        dialog = TakeWord(after);
    } else {
        dialog = TakeWord(text);
    }
    std::string path;
    if (inOption) path += "..\\";
    if (!ownFolder.empty()) path += "..\\";
    if (!folder.empty()) path += DiaNodeName(folder) + "\\";
    path += DiaNodeName(dialog);
    return (negated ? "(!#!" : "(#!") + path + "#)";
}

} // namespace

TDiaCondition BuildDiaCondition(const std::string& line, const std::string& person, bool inOption,
                                const TClearNameLookup& clearNameOf) {
    TDiaCondition result;
    std::string rest = line;
    std::string keyword = TakeWord(rest);
    TConditionKind kind = KindOf(keyword);
    if (kind == TConditionKind::Unknown)
        result.Error = "Importer: Ung\xFC"
                       "ltige Conditionart (" +
                       keyword + ")!";

    rest = TrimBlanks(rest);
    if (!rest.empty() && rest.front() == ':') rest.erase(0, 1);
    if (!rest.empty() && rest.back() == ';') rest.pop_back();

    std::string ownFolder;
    if (kind == TConditionKind::Dialog) ownFolder = clearNameOf(person);
    std::vector<std::string> terms;
    size_t start = 0;
    while (true) {
        size_t end = rest.find(';', start);
        std::string alternative = rest.substr(start, end == std::string::npos ? end : end - start);
        StripLeadingBlanks(alternative);
        switch (kind) {
        case TConditionKind::Code:
            terms.push_back("(" + alternative + ")");
            break;
        case TConditionKind::Function:
            terms.push_back(alternative + "()");
            break;
        case TConditionKind::Item:
            terms.push_back(ItemTerm(alternative));
            break;
        case TConditionKind::Dialog:
            terms.push_back(DialogTerm(alternative, ownFolder, inOption, clearNameOf));
            break;
        case TConditionKind::Unknown:
            terms.emplace_back();
            break;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }

    if (terms.size() == 1) {
        result.Term = terms.front();
    } else {
        result.Term = "(";
        for (size_t i = 0; i < terms.size(); ++i) {
            if (i > 0) result.Term += " || ";
            result.Term += terms[i];
        }
        result.Term += ")";
    }
    return result;
}

} // namespace redewerk
