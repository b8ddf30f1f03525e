#include "codegen/compiler.h"

#include "model/cp1252.h"
#include "model/element.h"
#include "model/markers.h"
#include "model/name_markers.h"
#include "model/project.h"
#include "model/prompter.h"

#include <algorithm>

namespace redewerk {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Where the current line of the lexer's text ends: the next CR LF from the scan position, or
// the end of the text (the position of the final NUL).
int32_t LineEndOf(const TParser& lexer) {
    int32_t found = lexer.FindFromPos(kCrLf);
    return found ? found : lexer.TextLength() + 1;
}

// The text of the current token as read; identifiers upper-cased.
const std::string& TokenText(const TParser& lexer) {
    if (!lexer.IdentToken.empty()) return lexer.IdentToken;
    if (!lexer.OpToken.empty()) return lexer.OpToken;
    return lexer.ConstToken;
}

// The first byte of the current token (the lexer leaves Pos behind it).
int32_t TokenFirst(const TParser& lexer) {
    return lexer.Pos - static_cast<int32_t>(TokenText(lexer).size());
}

std::string TwoDigits(int number) {
    return number < 10 ? "0" + std::to_string(number) : std::to_string(number);
}

// A description is a string unless it begins with "!": then the rest is a constant.
std::string DescriptionValue(const std::string& description) {
    if (description.starts_with("!")) return description.substr(1);
    return "\"" + description + "\"";
}

// Appends the lines of a text (ended by CR LF or LF, read as SplitLines reads them), each
// after `indent`.
void AppendIndented(std::string_view text, std::string_view indent, TLines& out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        size_t stop = (end > start && end < text.size() && text[end - 1] == '\r') ? end - 1 : end;
        std::string& line = out.emplace_back();
        line.reserve(indent.size() + stop - start);
        line.append(indent).append(text.substr(start, stop - start));
        start = end + 1;
    }
}

// Whether the information function of a Dialog stands elsewhere: nothing of the export runs
// when the dialog is told, so it cannot remember that in a variable of its own.
bool InformationElsewhere(const TElement& element) {
    return element.Kind == ekDialog &&
           !ExternalFunction(element.Body, HasNameLine(element.Body, ekDialog) ? 1 : 0).empty();
}

std::string KnownExpressionOf(const TElement& element, const std::string& name) {
    if (element.Kind == ekDialog && (!element.Permanent || InformationElsewhere(element)))
        return "Npc_KnowsInfo (hero, " + name + ")";
    if (element.Kind == ekCode) return name;
    return "Bekannt_" + name;
}

// The letters "_info" or "_condition" (in any case) that follow a reference to a Dialog in
// `text` at `at` and name one of its functions, as the import writes "#12#_info ();".
std::string_view FunctionSuffixAt(std::string_view text, size_t at) {
    for (std::string_view suffix : {std::string_view("_info"), std::string_view("_condition")}) {
        if (text.size() - at < suffix.size() ||
            !EqualsNoCase1252(text.substr(at, suffix.size()), suffix))
            continue;
        const size_t end = at + suffix.size();
        if (end < text.size() && IsKeepableName(text.substr(end, 1), true)) continue;
        return suffix;
    }
    return {};
}

} // namespace

TDialogFunctions DialogFunctionsOf(const TElement& dialog, const std::string& instanceName) {
    TDialogFunctions functions{instanceName + "_condition", instanceName + "_info"};
    if (!MayHoldNameMarker(dialog.Body) && !MayHoldNameMarker(dialog.Condition)) return functions;
    TBlockNames kept = NamesOf(dialog.Body, ekDialog);
    if (!kept.Condition.empty()) functions.Condition = std::move(kept.Condition);
    if (!kept.Information.empty()) functions.Information = std::move(kept.Information);
    if (std::string_view elsewhere = ExternalFunction(dialog.Condition); !elsewhere.empty()) {
        functions.Condition = elsewhere;
        functions.ConditionElsewhere = true;
    }
    if (std::string_view elsewhere = ExternalFunction(dialog.Body, kept.Empty() ? 0 : 1);
        !elsewhere.empty()) {
        functions.Information = elsewhere;
        functions.InformationElsewhere = true;
    }
    return functions;
}

std::string Tabs(int count) {
    return count > 0 ? std::string(static_cast<size_t>(count), '\t') : "";
}

bool NeedsKnownVar(const TProject& project, int32_t id) {
    const TElement* element = project.Elements.LiveAt(id);
    if (!element) return false;
    switch (element->Kind) {
    case ekDialog:
        return element->Permanent && element->IsKnownTarget && !InformationElsewhere(*element);
    case ekEvent:
        return !element->Permanent || element->IsKnownTarget;
    case ekChoice:
        return element->IsKnownTarget;
    default:
        return false;
    }
}

std::string KnownExpression(const TProject& project, int32_t id) {
    const TElement* element = project.Elements.LiveAt(id);
    return element ? KnownExpressionOf(*element, InstanceName(project, id)) : std::string();
}

TDialogCompiler::TDialogCompiler(TProject& project, TPrompter& prompter)
    : Project(project), Prompter(prompter), Notice(&prompter), Lexer(&Notice) {}

std::string TDialogCompiler::InstanceName(int32_t id) const {
    if (!Project.Elements.LiveAt(id)) return {};
    if (Index) return Index->NameOf(id);
    std::string& name = Names[id];
    if (name.empty()) name = redewerk::InstanceName(Project, id);
    return name;
}

int32_t TDialogCompiler::FindElementByName(std::string_view name) {
    if (!Index) Index.emplace(Project);
    return Index->Find(name);
}

std::string TDialogCompiler::DialogAncestorName(int32_t id) {
    const TElement* block = Project.Elements.LiveAt(id);
    if (!block) return "INVALID";
    const TElement* current = block;
    for (const TNode* node = block->Node; current->Kind != ekDialog && node && node->Parent();) {
        node = node->Parent();
        if (const TElement* element = node->Element()) current = element;
    }
    if (current->Kind == ekDialog) return InstanceName(current->Id);
    Prompter.ShowMessage("Compiler: Konnte keinen Instanznamen finden um Dialogoption "
                         "anzuh\xE4ngen (bzw. um Info_ClearChoices darauf auszuf\xFChren)!\r" +
                         InstanceName(id));
    return "INVALID";
}

TLines TDialogCompiler::ResolveReferences(const TLines& lines) {
    return SplitLines(ResolveText(JoinLines(lines)));
}

std::string TDialogCompiler::ResolveText(std::string text) {
    if (text.find('#') == std::string::npos) return text;
    std::string result;
    result.reserve(text.size());
    size_t copied = 0;
    for (;;) {
        const size_t open = FindReferenceMarker(text, copied);
        if (open == std::string::npos) break;
        const size_t close = text.find('#', open + 1);
        if (close == std::string::npos) break;
        result.append(text, copied, open - copied);
        copied = close + 1;
        std::string_view inner(text.data() + open + 1, close - open - 1);
        // A kept name is no reference; it goes out as it stands (model/name_markers.h).
        if (inner.starts_with(":") || inner.starts_with("!:")) {
            result.append(text, open, copied - open);
            continue;
        }
        const bool known = inner.starts_with("!");
        if (known) inner.remove_prefix(1);
        if (inner.find("INVALID") != std::string_view::npos || inner.starts_with("+")) {
            result += "#" + std::string(inner) + "#";
            continue;
        }
        int32_t id = 0;
        if (!ParseReferenceId(inner, id))
            throw ECompileError("'" + std::string(inner) +
                                "' ist kein g\xFC"
                                "ltiger Integerwert");
        const TElement* target = Project.Elements.LiveAt(id);
        if (!target) {
            Prompter.ShowMessage("Compiler: Ung\xFC"
                                 "ltiger Verweis auf Baustein!");
            result += "#INVALID:" + std::string(inner) + "#";
            continue;
        }
        if (known) {
            result += KnownExpressionOf(*target, InstanceName(id));
            continue;
        }
        const std::string_view suffix =
            target->Kind == ekDialog ? FunctionSuffixAt(text, copied) : std::string_view();
        if (!suffix.empty()) {
            // A dialog function with a name of its own is called by that name.
            const TDialogFunctions functions = DialogFunctionsOf(*target, InstanceName(id));
            const bool info = suffix == "_info";
            const std::string& function = info ? functions.Information : functions.Condition;
            if (function != InstanceName(id) + std::string(suffix)) {
                result += function;
                copied += suffix.size();
                continue;
            }
        }
        result += InstanceName(id);
    }
    result.append(text, copied);
    return result;
}

TLines TDialogCompiler::CompileBody(const TLines& resolved, int32_t id) {
    return SplitLines(CompileBodyText(JoinLines(resolved), id));
}

std::string TDialogCompiler::CompileBodyText(std::string_view resolved, int32_t id) {
    const std::string name = InstanceName(id);
    const TElement* element = Project.Elements.LiveAt(id);
    TParser& lexer = Lexer;
    lexer.SetText(resolved);
    std::string out;
    out.reserve(lexer.Text.size() * 2);
    if (NeedsKnownVar(Project, id)) out += "Bekannt_" + name + " = TRUE;\r\n\r\n";

    int32_t copyFrom = 1; // 1-based, as the lexer's positions
    int speech = 0;
    // The kept names of spoken lines by the 1-based place of their marker, in text order. A
    // name line is no code: the body begins behind it.
    std::vector<std::pair<int32_t, std::string_view>> lineNames;
    size_t nextLineName = 0;
    std::string_view keptName;
    if (element && resolved.find(kNameMarkerOpener) != std::string_view::npos)
        ForEachNameMarker(resolved, NamedBodyOf(element->Kind), [&](const TNameMarker& marker) {
            const int32_t place = static_cast<int32_t>(marker.Start) + 1;
            if (marker.Role == TNameMarkerRole::SpokenLine)
                lineNames.emplace_back(place, marker.Name);
            else if (marker.Role == TNameMarkerRole::Block)
                lexer.Pos = copyFrom = std::min(LineEndOf(lexer) + 2, lexer.TextLength() + 1);
        });
    // Copies the unchanged text from the copy position up to (not including) `position`.
    auto copyUpTo = [&](int32_t position) {
        if (position > copyFrom)
            out.append(lexer.Text, static_cast<size_t>(copyFrom - 1),
                       static_cast<size_t>(position - copyFrom));
    };

    for (;;) {
        lexer.NextToken();
        if (lexer.AtEnd) break;
        const std::string& op = lexer.OpToken;
        if (lexer.IdentToken.starts_with(kNameMarkerOpener)) {
            const int32_t first = TokenFirst(lexer);
            while (nextLineName < lineNames.size() && lineNames[nextLineName].first < first)
                ++nextLineName;
            if (nextLineName < lineNames.size() && lineNames[nextLineName].first == first) {
                // The marker and the blanks after it make way for the spoken line.
                keptName = lineNames[nextLineName].second;
                copyUpTo(first);
                lexer.SkipBlanks();
                copyFrom = lexer.Pos;
            }
        } else if (lexer.IdentToken == "ENDE") {
            copyUpTo(TokenFirst(lexer));
            out += "AI_StopProcessInfos (self);";
            copyFrom = lexer.Pos;
            lexer.NextToken();
            if (lexer.OpToken == ";")
                copyFrom = lexer.Pos;
            else
                lexer.UngetToken();
        } else if (op.starts_with(">>") || op.starts_with("<<")) {
            const bool hero = op[0] == '>';
            lexer.Pos -= static_cast<int32_t>(op.size()) - 2;
            const int32_t marker = lexer.Pos - 2;
            const int32_t lineEnd = LineEndOf(lexer);
            copyUpTo(marker);
            out += "AI_Output (";
            out += hero ? "other, self, \"" : "self, other, \"";
            if (keptName.empty()) {
                out += NewLineName(name, speech);
            } else {
                out += keptName;
                keptName = {};
                ++speech;
            }
            out += "\"); //";
            out.append(lexer.Text, static_cast<size_t>(lexer.Pos - 1),
                       static_cast<size_t>(lineEnd - lexer.Pos));
            copyFrom = lineEnd;
            lexer.Pos = lineEnd;
        } else if (op == "--") {
            const int32_t marker = lexer.Pos - 2;
            const int32_t lineEnd = LineEndOf(lexer);
            lexer.NextToken();
            std::string argument;
            if (lexer.AtEnd || TokenFirst(lexer) > lineEnd) {
                argument = DialogAncestorName(id);
                lexer.UngetToken();
                copyUpTo(marker);
                copyFrom = marker + 2;
            } else {
                while (!lexer.AtEnd && TokenFirst(lexer) < lineEnd) {
                    argument += TokenText(lexer);
                    lexer.NextToken();
                }
                lexer.UngetToken();
                copyUpTo(marker);
                copyFrom = lexer.TokenStart;
            }
            out += "Info_ClearChoices (" + argument + ");";
        } else if (op == "++") {
            const int32_t marker = lexer.Pos - 2;
            const int32_t lineEnd = LineEndOf(lexer);
            // Only the rest of this line can hold the comma of the form "++ dialog, choice".
            const std::string_view rest(lexer.Text.data() + (lexer.Pos - 1),
                                        static_cast<size_t>(lineEnd - lexer.Pos));
            const size_t comma = rest.find(',');
            std::string call = "Info_AddChoice (";
            if (comma != std::string_view::npos) {
                call.append(rest.substr(0, comma));
                lexer.Pos += static_cast<int32_t>(comma) + 1;
            } else {
                call += DialogAncestorName(id);
            }
            call += ", ";
            lexer.NextToken();
            if (lexer.AtEnd || TokenFirst(lexer) > lineEnd) {
                call += ", \"INVALID\", INVALID);";
                lexer.UngetToken();
                copyUpTo(marker);
                copyFrom = lexer.TokenStart;
            } else {
                std::string choice = TokenText(lexer);
                const TElement* target = Project.Elements.LiveAt(FindElementByName(choice));
                if (!target) {
                    call += "\"\", " + choice + ");";
                } else {
                    // The name as the block has it: a kept name keeps its letter case.
                    choice = InstanceName(target->Id);
                    // A Dialog offered as a choice runs its information function.
                    if (target->Kind == ekDialog) {
                        const TDialogFunctions functions = DialogFunctionsOf(*target, choice);
                        choice = functions.Information == choice + "_info" ? choice + "_Info"
                                                                           : functions.Information;
                    }
                    call += DescriptionValue(target->Description) + ", " + choice + ");";
                }
                copyUpTo(marker);
                copyFrom = lexer.Pos;
            }
            out += call;
        }
    }
    copyUpTo(lexer.TextLength() + 1);
    return out;
}

std::string TDialogCompiler::NewLineName(const std::string& instanceName, int& counter) {
    if (!KeptLineNames) {
        // Every marker right before a spoken line counts, also one that a comment holds: a
        // name too many only skips a number. Hashes spare the preview of a large project the
        // copies of all names.
        KeptLineNames.emplace();
        Project.Elements.ForEach([&](const TElement& element) {
            if (element.IsFree()) return;
            for (const std::string& line : element.Body)
                for (size_t open = line.find(kNameMarkerOpener); open != std::string::npos;
                     open = line.find(kNameMarkerOpener, open + 2)) {
                    const size_t close = line.find('#', open + 2);
                    if (close == std::string::npos) break;
                    size_t after = close + 1;
                    while (after < line.size() && (line[after] == ' ' || line[after] == '\t'))
                        ++after;
                    if (line.compare(after, 2, ">>") == 0 || line.compare(after, 2, "<<") == 0)
                        KeptLineNames->push_back(HashNoCaseAscii(
                            std::string_view(line).substr(open + 2, close - open - 2)));
                }
        });
        std::sort(KeptLineNames->begin(), KeptLineNames->end());
    }
    // A new line never takes a name that another line keeps.
    std::string lineName;
    do {
        lineName = instanceName + "_" + TwoDigits(counter++);
    } while (std::binary_search(KeptLineNames->begin(), KeptLineNames->end(),
                                HashNoCaseAscii(lineName)));
    return lineName;
}

const std::string& TDialogCompiler::NpcInstanceName(const std::string& clearName) {
    auto found = NpcInstanceNames.find(clearName);
    if (found != NpcInstanceNames.end()) return found->second;
    std::string instanceName = Project.Npcs.InstanceNameOf(clearName, Prompter);
    return NpcInstanceNames.emplace(clearName, std::move(instanceName)).first->second;
}

bool TDialogCompiler::HoldsCode(const TLines& lines) {
    Lexer.SetText(JoinLines(lines));
    Lexer.SkipBlanks();
    return Lexer.Pos <= Lexer.TextLength();
}

void TDialogCompiler::WriteHeading(const std::string& heading, const std::string& indent,
                                   TLines& out) const {
    const std::string rule = indent + "//" + std::string(40, '*');
    out.push_back(rule);
    std::string_view rest = heading;
    // Pieces of 30 characters, each carried on to the next blank so words stay whole.
    while (rest.size() > 30) {
        size_t blank = rest.find(' ', 30);
        size_t length = blank == std::string_view::npos ? rest.size() : blank + 1;
        out.push_back(indent + "//   " + std::string(rest.substr(0, length)));
        rest.remove_prefix(length);
    }
    if (!rest.empty()) out.push_back(indent + "//   " + std::string(rest));
    out.push_back(rule);
    out.push_back(indent);
}

TLines TDialogCompiler::Compile(int32_t id, TLines& knownDeclarations) {
    const TElement* element = Project.Elements.LiveAt(id);
    if (!element) return {};
    const std::string name = InstanceName(id);
    const TLines condition = ResolveReferences(element->Condition);
    // The body stays one text until its lines are written out with their indent.
    std::string body = ResolveText(JoinLines(element->Body));
    try {
        body = CompileBodyText(body, id);
    } catch (const EParseError& error) {
        // One block the lexer cannot read must not stop the export: it is reported and its
        // body goes out with only its references resolved.
        Prompter.ShowMessage("Konnte \"" + (element->Node ? element->Node->Path() : name) +
                             "\" nicht kompilieren.\r\n" + error.Message());
        if (HasNameLine(element->Body, element->Kind)) body.erase(0, body.find("\r\n") + 2);
    }

    TLines out;
    const bool loopEvent = element->Kind == ekEvent && element->Important;
    if (!element->Heading.empty()) WriteHeading(element->Heading, Tabs(loopEvent ? 1 : 0), out);
    if (NeedsKnownVar(Project, id)) knownDeclarations.push_back("var int Bekannt_" + name + ";");

    switch (element->Kind) {
    case ekDialog:
        CompileDialog(*element, name, DialogFunctionsOf(*element, name), condition, body, out);
        break;
    case ekEvent:
    case ekChoice:
        CompileFunction(*element, name, condition, body, out);
        break;
    default:
        AppendIndented(body, "", out);
        out.emplace_back();
        break;
    }
    return out;
}

void TDialogCompiler::CompileDialog(const TElement& element, const std::string& name,
                                    const TDialogFunctions& functions, const TLines& condition,
                                    const std::string& body, TLines& out) {
    const std::string& npc = NpcInstanceName(element.Npc);
    out.push_back("instance " + name + " (C_INFO)");
    out.push_back("{");
    out.push_back("\tnpc\t\t\t= " + npc + ";");
    out.push_back("\tnr\t\t\t= " + element.Nr + ";");
    out.push_back("\tcondition\t= " + functions.Condition + ";");
    out.push_back("\tinformation\t= " + functions.Information + ";");
    if (element.Permanent) out.push_back("\tpermanent\t= TRUE;");
    if (element.Important) out.push_back("\timportant\t= TRUE;");
    if (element.Trade) out.push_back("\ttrade\t\t= TRUE;");
    if (!element.Important)
        out.push_back("\tdescription\t= " + DescriptionValue(element.Description) + ";");
    out.push_back("};");
    out.emplace_back();

    // A function that stands elsewhere is only named.
    if (!functions.ConditionElsewhere) {
        out.push_back("FUNC int " + functions.Condition + "()");
        out.push_back("{");
        for (const auto& line : condition)
            out.push_back("\t" + line);
        const bool braces = HoldsCode(condition);
        if (braces) out.push_back("\t{");
        out.push_back(braces ? "\t\treturn TRUE;" : "\treturn TRUE;");
        if (braces) out.push_back("\t};");
        out.push_back("};");
        out.emplace_back();
    }

    if (!functions.InformationElsewhere) {
        out.push_back("FUNC void " + functions.Information + "()");
        out.push_back("{");
        AppendIndented(body, "\t", out);
        if (element.Trade) {
            out.push_back("\t");
            out.push_back("\tB_GiveTradeInv (self);");
        }
        out.push_back("};");
    }
    out.push_back("\t");
}

void TDialogCompiler::CompileFunction(const TElement& element, const std::string& name,
                                      const TLines& condition, const std::string& body,
                                      TLines& out) const {
    const bool isEvent = element.Kind == ekEvent;
    const bool framed = !(isEvent && element.Important);
    const bool once = isEvent && !element.Permanent;
    const std::string d = Tabs(once ? 2 : 1);
    if (framed) {
        out.push_back("FUNC void " + name + "()");
        out.push_back("{");
    }
    if (once) {
        out.push_back("\tif (Bekannt_" + name + " == FALSE)");
        out.push_back("\t{");
    }
    for (const auto& line : condition)
        out.push_back(d + line);
    if (!condition.empty()) out.push_back(d + "{");
    AppendIndented(body, d + "\t", out);
    if (!condition.empty()) out.push_back(d + "};");
    if (once) out.push_back("\t};");
    if (framed) out.push_back("};");
    out.push_back("\t");
}

} // namespace redewerk
