#include "import/dia_reader.h"

#include "import/dia_block_builder.h"
#include "import/dia_conditions.h"
#include "import/dia_node_names.h"
#include "import/dia_words.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "model/prompter.h"

namespace redewerk {
namespace {

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Takes the keyword's colon off the front of a keyword line's remainder.
std::string ValueAfterColon(std::string rest) {
    SkipSeparator(rest, ':');
    return rest;
}

} // namespace

std::string PickpocketDescription(int difficulty, bool femaleVictim) {
    const char* how;
    if (difficulty < 20)
        how = "ein Kinderspiel";
    else if (difficulty < 40)
        how = "einfach";
    else if (difficulty < 60)
        how = "gewagt";
    else if (difficulty < 80)
        how = "schwierig";
    else if (difficulty < 100)
        how = "verdammt schwierig";
    else
        how = "fast unm\xF6glich";
    return std::string("(Es w\xE4re ") + how + (femaleVictim ? " ihren" : " seinen") +
           " Geldbeutel zu stehlen)";
}

TDiaReader::TDiaReader(TProject& project, TPrompter& prompter, TDiaBlockBuilder& builder)
    : Project(project), Prompter(prompter), Builder(builder) {}

void TDiaReader::Commit() {
    Builder.Commit(Element);
}

void TDiaReader::BlankLineBefore(const std::string& marker) {
    if (Element.Lines.empty()) return;
    const std::string& last = Element.Lines.back();
    if ((marker.empty() || !Contains(last, marker)) && !Contains(last, "{"))
        Element.Lines.emplace_back();
}

void TDiaReader::AppendBlankIfNotEmpty() {
    if (!Element.Lines.empty()) Element.Lines.emplace_back();
}

void TDiaReader::HandleLine(std::string line) {
    StripLeadingBlanks(line);
    if (line.starts_with('#')) return HandleComment(line);
    if (line.starts_with('!')) return HandleRawLine(line.substr(1));

    std::string rest = line;
    std::string keyword = UpperCaseAscii(TakeWord(rest));
    if (HandleHeaderKeyword(keyword, rest)) return;

    if (StartsWithNoCase(line, "COND")) return HandleCondition(line);
    if (line.starts_with("<<") || line.starts_with(">>")) return HandleItemTransfer(line);
    if (line.starts_with("<!") || line.starts_with(">!")) return HandleAnimation(line);
    if (line.starts_with('<') || line.starts_with('>')) return HandleSpokenLine(line);
    if (HandleCommandKeyword(keyword, rest)) return;
    if (line.starts_with("%%")) {
        AppendBlankIfNotEmpty();
        Element.Lines.push_back("--");
        return;
    }
    if (line.starts_with('%')) return HandleChoiceReference(line);
}

void TDiaReader::HandleComment(const std::string& line) {
    Element.Lines.push_back("//" + line.substr(1));
}

void TDiaReader::HandleRawLine(const std::string& rest) {
    // The trade inventory is given by the dialog's trade flag.
    if (Contains(rest, "B_GiveTradeInv")) return;
    if (!Element.Name.empty())
        Element.Lines.push_back(rest);
    else
        Project.Variables.push_back(rest);
}

bool TDiaReader::HandleHeaderKeyword(const std::string& keyword, std::string rest) {
    if (keyword == "PERSON") {
        Commit();
        Element.Name.clear();
        rest = ValueAfterColon(rest);
        Element.Person = TakeWord(rest);
    } else if (keyword == "INFO") {
        Commit();
        Element.IsOption = false;
        Element.AddToParent = false;
        rest = ValueAfterColon(rest);
        Element.Name = DiaNodeName(TakeWord(rest));
        if (EqualsNoCase1252(Element.Name, "EXIT")) {
            Element.Permanent = true;
            Element.Num = 999;
            Element.Desc = "!DIALOG_ENDE";
        } else if (EqualsNoCase1252(Element.Name, "PICKPOCKET")) {
            HandlePickpocket(rest);
        }
    } else if (keyword == "OPT") {
        Commit();
        Element.IsOption = true;
        rest = ValueAfterColon(rest);
        Element.Name = DiaNodeName(TakeWord(rest));
        if (EqualsNoCase1252(Element.Name, "BACK")) {
            Element.Desc = "!DIALOG_BACK";
            Element.Lines.push_back("--");
        }
    } else if (keyword == "FLAGS") {
        Element.Important = ContainsNoCase(rest, "IMPORTANT");
        Element.Permanent = ContainsNoCase(rest, "PERMANENT");
        Element.Trade = ContainsNoCase(rest, "TRADE");
    } else if (keyword == "NUM") {
        rest = ValueAfterColon(rest);
        if (!ParseDecimal(TakeWord(rest), Element.Num))
            Prompter.ShowMessage("Importer: Ung\xFClitige \"NUM:\" Angabe? Suche nach "
                                 "eventuellen Fehler mit dem QDC!");
    } else if (keyword == "DESC") {
        Element.Desc = TrimBlanks(ValueAfterColon(rest));
    } else {
        return false;
    }
    return true;
}

void TDiaReader::HandleCondition(const std::string& line) {
    TDiaCondition condition =
        BuildDiaCondition(line, Element.Person, Element.IsOption, [&](const std::string& name) {
            return Project.Npcs.ClearNameOf(name, Prompter);
        });
    if (!condition.Error.empty()) Prompter.ShowMessage(condition.Error);
    Element.Conditions.push_back(condition.Term);
}

void TDiaReader::HandleItemTransfer(const std::string& line) {
    bool npcGives = line[0] == '<';
    std::string rest = line.substr(2);
    std::string item = TakeWord(rest);
    std::string count = "1";
    size_t comma = rest.find(',');
    if (comma != std::string::npos) {
        std::string after = rest.substr(comma + 1);
        count = TakeWord(after);
    }
    BlankLineBefore("B_GiveInvItems");
    std::string args = item + ", " + count + ");";
    if (npcGives) {
        Element.Lines.push_back("CreateInvItems (self, " + args);
        Element.Lines.push_back("B_GiveInvItems (self, other, " + args);
    } else {
        Element.Lines.push_back("B_GiveInvItems (other, self, " + args);
    }
}

void TDiaReader::HandleAnimation(const std::string& line) {
    bool npcPlays = line[0] == '<';
    std::string rest = line.substr(2);
    std::string animation = TakeWord(rest);
    BlankLineBefore("AI_PlayAni");
    Element.Lines.push_back(std::string("AI_PlayAni (") + (npcPlays ? "self" : "other") + ", \"" +
                            animation + "\");");
}

void TDiaReader::HandleSpokenLine(const std::string& line) {
    if (!Element.Lines.empty()) {
        const std::string& last = Element.Lines.back();
        if (!Contains(last, ">>") && !Contains(last, "<<") && !Contains(last, "{"))
            Element.Lines.emplace_back();
    }
    Element.Lines.push_back(line[0] + line);
}

bool TDiaReader::HandleCommandKeyword(const std::string& keyword, std::string rest) {
    auto& lines = Element.Lines;
    if (keyword == "$EXP") {
        BlankLineBefore("B_GivePlayerXP");
        lines.push_back("B_GivePlayerXP (" + TrimBlanks(ValueAfterColon(rest)) + ");");
    } else if (keyword == "$STARTMIS") {
        std::string mission = TrimBlanks(ValueAfterColon(rest));
        BlankLineBefore("");
        lines.push_back("Log_CreateTopic(TOPIC_" + mission + ", LOG_MISSION);");
        lines.push_back("Log_SetTopicStatus (TOPIC_" + mission + ", LOG_RUNNING);");
        lines.emplace_back();
        lines.push_back("MIS_" + mission + " = LOG_RUNNING;");
    } else if (keyword == "$LOGMISS" || keyword == "$LOGNOTE") {
        HandleLogEntry(keyword, rest);
    } else if (keyword == "$MISSUCC" || keyword == "$MISFAIL" || keyword == "$MISOBSO") {
        std::string mission = TrimBlanks(ValueAfterColon(rest));
        std::string status = keyword == "$MISSUCC"   ? "LOG_SUCCESS"
                             : keyword == "$MISFAIL" ? "LOG_FAILED"
                                                     : "LOG_OBSOLETE";
        BlankLineBefore("");
        lines.push_back("Log_SetTopicStatus(TOPIC_" + mission + ", " + status + ");");
        lines.push_back("MIS_" + mission + " = " + status + ";");
    } else if (keyword == "$IF") {
        AppendBlankIfNotEmpty();
        lines.push_back("if (" + TrimBlanks(ValueAfterColon(rest)) + ")");
        lines.push_back("{");
    } else if (keyword == "$ELSEIF") {
        lines.push_back("}");
        lines.push_back("else if (" + TrimBlanks(ValueAfterColon(rest)) + ")");
        lines.push_back("{");
    } else if (keyword == "$ELSE") {
        lines.push_back("}");
        lines.push_back("else");
        lines.push_back("{");
    } else if (keyword == "$ENDIF") {
        lines.push_back("};");
    } else if (keyword == "$END") {
        AppendBlankIfNotEmpty();
        lines.push_back("AI_StopProcessInfos (self);");
    } else {
        return false;
    }
    return true;
}

void TDiaReader::HandleLogEntry(const std::string& keyword, std::string rest) {
    rest = ValueAfterColon(rest);
    std::string topic = TakeWord(rest);
    SkipSeparator(rest, ',');
    std::string text = TrimBlanks(rest);
    BlankLineBefore("");
    if (keyword == "$LOGNOTE")
        Element.Lines.push_back("LOG_CreateTopic (TOPIC_" + topic + ", LOG_NOTE);");
    Element.Lines.push_back("B_LogEntry (TOPIC_" + topic + ", \"" + text + "\");");
}

void TDiaReader::HandleChoiceReference(const std::string& line) {
    // The names become path components, so they are written as the blocks are named.
    std::string rest = line.substr(1);
    std::string first = DiaNodeName(TakeWord(rest));
    size_t comma = rest.find(',');
    if (comma != std::string::npos) rest.erase(comma, 1);
    std::string second = DiaNodeName(TakeWord(rest));

    if (first.empty() && second.empty()) {
        Element.AddToParent = true;
        return;
    }
    std::string path;
    if (second.empty())
        path = Element.IsOption ? first : Element.Name + "\\" + first;
    else
        path = (Element.IsOption ? "..\\" : "") + first + "\\" + second;

    if (!Element.Lines.empty() && !Contains(Element.Lines.back(), "++"))
        Element.Lines.emplace_back();
    Element.Lines.push_back("++#" + path + "#");
}

void TDiaReader::HandlePickpocket(std::string rest) {
    size_t w = rest.find_first_of("Ww");
    bool female = w != std::string::npos;
    if (female) rest.erase(w, 1);
    int32_t difficulty = 0;
    int32_t gold = 0;
    std::string difficultyWord = TakeWord(rest);
    std::string goldWord = TakeWord(rest);
    if (!ParseDecimal(difficultyWord, difficulty) || !ParseDecimal(goldWord, gold)) {
        Prompter.ShowMessage("Importer: Ung\xFC"
                             "ltiger Pickpocket Dialog!? Suche nach "
                             "eventuellen Fehler mit dem QDC!");
        return;
    }
    Element.Num = 900;
    Element.Permanent = true;
    Element.Lines.push_back("++#" + Element.Name + "\\BACK#");
    Element.Lines.push_back("++#" + Element.Name + "\\DoIt#");
    Element.Conditions.push_back("(C_Beklauen(" + std::to_string(difficulty) + ", " +
                                 std::to_string(gold) + "))");
    Element.Desc = PickpocketDescription(difficulty, female);
    Commit();

    HandleLine("opt: BACK");
    Commit();

    HandleLine("opt: DoIt");
    Element.Lines.push_back("B_Beklauen();");
    Element.Lines.push_back("--");
    Element.Desc = "(Taschendiebstahl versuchen)";
}

} // namespace redewerk
