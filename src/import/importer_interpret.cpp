// The interpretation of imported objects: dialog attributes, dialog statements of functions,
// the references between objects and their conversion into block markers.
#include "import/importer.h"

#include "import/import_text.h"
#include "model/cp1252.h"
#include "model/name_markers.h"

#include <algorithm>

namespace redewerk {
namespace {

bool IsDecimal(std::string_view token) {
    if (token.empty()) return false;
    for (char c : token)
        if (c < '0' || c > '9') return false;
    return true;
}

// "TRUE" or a decimal integer other than 0.
bool IsTrueValue(std::string_view token) {
    if (UpperCaseAscii(token) == "TRUE") return true;
    return IsDecimal(token) && token.find_first_not_of('0') != std::string_view::npos;
}

// A description or caption as the block keeps it: a string literal without its quotes, any
// other value (a constant such as DIALOG_ENDE) with "!" in front.
std::string NormaliseCaption(const std::string& token) {
    if (!token.empty() && token[0] == '"')
        return token.size() >= 2 ? token.substr(1, token.size() - 2) : "";
    return "!" + token;
}

// The prefix of the variable that remembers that a block was told or has run.
constexpr std::string_view kKnownPrefix = "Bekannt_";

bool IsKnownVariable(std::string_view token) {
    return token.size() > kKnownPrefix.size() &&
           UpperCaseAscii(token.substr(0, kKnownPrefix.size())) == "BEKANNT_";
}

void Mark(TImpObj& object) {
    if (object.ObjType == TpVoid) object.ObjType = TpChoice;
}

// True for the information function of a dialog with the trade flag: the block made from
// the two gets the call "B_GiveTradeInv (self);" back from the flag on export. Anywhere else
// nothing would write the call again, so it stays.
bool OwnerTrades(const TImpObj& object) {
    if (object.ObjType != TpInfo) return false;
    // The first dialog that names the function owns it (dialogs are interpreted in order).
    for (const TImpRef* ref : object.RefsIn)
        if (ref->Kind == RfInformation) return ref->Source->Info && ref->Source->Info->Trade;
    return false;
}

} // namespace

bool TImporter::TokenIs(size_t index, std::string_view upperCased) const {
    if (index >= Tokens.size() || Tokens[index].size() != upperCased.size()) return false;
    const std::string& token = Tokens[index];
    for (size_t i = 0; i < token.size(); ++i)
        if (UpperCaseAscii(token[i]) != upperCased[i]) return false;
    return true;
}

int32_t TImporter::TokenEnd(size_t index) const {
    return TokenPos[index] + static_cast<int32_t>(Tokens[index].size());
}

void TImporter::InterpretObject(TImpObj& object) {
    SetText(object.BodyText);
    LastTokenEnd = 1;
    TextGrowth = 0;
    if (object.ObjType == TpCode) {
        // A whole declaration: go to its statement list, if it has one.
        PushState(STDaed);
        do {
            Step();
        } while (!StateStack.empty() && StateStack.back() != STstats);
        if (StateStack.empty()) return;
    } else {
        PushState(STstats);
    }
    std::string carried; // the first token of the next statement, read already
    int32_t carriedPos = 0;
    for (;;) {
        StartRecording();
        if (carriedPos) {
            Tokens.push_back(std::move(carried));
            TokenPos.push_back(carriedPos);
            carriedPos = 0;
        }
        do {
            Step();
        } while (!StateStack.empty() && StateStack.back() != STstats);
        if (StateStack.empty()) break;
        // A statement can end by reading the first token of the next one (an if block closed
        // without ";", an "else if"); pushed back, it belongs to the next statement.
        if (TokenPushedBack && !Tokens.empty() && TokenEnd(Tokens.size() - 1) == LastTokenEnd) {
            carried = std::move(Tokens.back());
            carriedPos = TokenPos.back();
            Tokens.pop_back();
            TokenPos.pop_back();
        }
        if (object.ObjType == TpDia) {
            InterpretAssignment(object);
        } else {
            NoteShift(object);
            InterpretStatement(object);
        }
    }
    // A statement dropped at the end (the trade call) leaves the blanks before it behind;
    // the start stays where it is, the references count from there.
    const size_t end = Text.find_last_not_of(std::string_view("\t\r\n \0", 5));
    object.BodyText.assign(Text, 0, end == std::string::npos ? 0 : end + 1);
}

void TImporter::NoteShift(TImpObj& object) {
    if (object.ShiftPos) return;
    for (size_t k = 0; k < Tokens.size(); ++k)
        if (Tokens[k] == "<<" || Tokens[k] == ">>") {
            object.ShiftPos = ScriptPos(object, TokenPos[k]);
            return;
        }
}

std::string TImporter::ExpressionText(size_t first, size_t end) const {
    std::string text;
    for (size_t k = first; k < end; ++k) {
        if (k > first) {
            // The blanks between two tokens stay; a line break or a comment becomes a blank.
            const std::string_view gap(Text.data() + TokenEnd(k - 1) - 1,
                                       static_cast<size_t>(TokenPos[k] - TokenEnd(k - 1)));
            text += gap.find_first_not_of(" \t") == std::string_view::npos ? gap : " ";
        }
        text += Tokens[k];
    }
    return text;
}

void TImporter::InterpretAssignment(TImpObj& dialog) {
    if (!dialog.Info) dialog.Info = std::make_unique<TDialogInfo>();
    TDialogInfo& info = *dialog.Info;
    const std::string first = Tokens.empty() ? std::string() : Tokens[0];
    const int32_t firstPos = TokenPos.empty() ? 0 : TokenPos[0];
    const std::string attribute = UpperCaseAscii(first);
    const size_t n = Tokens.size();
    if (attribute == "DESCRIPTION" && n > 4 && Tokens[1] == "=" && Tokens[n - 1] == ";") {
        // A description computed by an expression (as B_BuildLearnString gives the text of a
        // teaching offer) becomes a constant description, so it goes out unchanged.
        dialog.ChoiceText = "!" + ExpressionText(2, n - 1);
        return;
    }
    if (n < 4 || Tokens[1] != "=" || Tokens[3] != ";")
        throw TImportError("Seltsames Statement in " + dialog.Name + "\r\n" + "bei " + first +
                               ". So etwas wird nicht unterst\xFCtzt.",
                           firstPos);
    const std::string& value = Tokens[2];
    if (attribute == "NPC") {
        info.Npc = value;
    } else if (attribute == "NR") {
        info.Nr = value;
    } else if (attribute == "CONDITION" || attribute == "INFORMATION") {
        const bool condition = attribute == "CONDITION";
        TImpObj*& object = condition ? info.CondObj : info.InfoObj;
        std::string& name = condition ? info.CondName : info.InfoName;
        if (object || !name.empty())
            throw TImportError("Der Dialog " + dialog.Name + "\r\n" +
                                   (condition ? "hat zwei Conditionfunktionen!?\r\n"
                                              : "hat zwei information-Funktionen!?\r\n") +
                                   "Sorry, aber das ist verwirrend. Stell das richtig!",
                               firstPos);
        if (TImpObj* found = FindObject(value)) {
            AddReference(dialog, *found, TokenPos[2], condition ? RfCondition : RfInformation);
            object = found;
        }
        name = value;
    } else if (attribute == "DESCRIPTION") {
        dialog.ChoiceText = NormaliseCaption(value);
    } else if (attribute == "IMPORTANT" || attribute == "PERMANENT" || attribute == "TRADE") {
        bool flag;
        const std::string upper = UpperCaseAscii(value);
        if (upper == "TRUE" || upper == "FALSE")
            flag = upper == "TRUE";
        else if (IsDecimal(value))
            flag = IsTrueValue(value);
        else
            throw TImportError(
                "Ung\xFCltige Zuweisung an \"important\", \"permanent\" oder \"trade\".\r\n"
                "Es werden nur TRUE, FALSE oder Ganzzahlen akzeptiert.",
                TokenPos[2]);
        (attribute == "IMPORTANT"   ? info.Important
         : attribute == "PERMANENT" ? info.Permanent
                                    : info.Trade) = flag;
    } else {
        throw TImportError("Nicht unterst\xFCtzte Zuweisung in " + dialog.Name + "\r\n" +
                               "Nur Zuweisungen an die Klassenanttribute sind erlaubt.",
                           firstPos);
    }
}

bool TImporter::IsOwnKnownVariable(TImpObj& object, std::string_view variable) {
    const TImpObj* owner = FindObject(variable.substr(kKnownPrefix.size()));
    if (owner == &object) return true;
    // The information function of a dialog carries the dialog's variable.
    return owner && owner->ObjType == TpDia && owner->Info && owner->Info->InfoObj == &object;
}

bool TImporter::AcceptCaption(TImpObj& choice, const std::string& token) {
    const std::string caption = NormaliseCaption(token);
    if (choice.ChoiceText.empty()) {
        choice.ChoiceText = caption;
        return true;
    }
    return choice.ChoiceText == caption;
}

void TImporter::InterpretStatement(TImpObj& object) {
    const auto& t = Tokens;
    const size_t n = t.size();
    auto isLiteral = [&](size_t k) { return k < n && !t[k].empty() && t[k][0] == '"'; };
    auto is = [&](size_t k, std::string_view text) { return k < n && t[k] == text; };
    if (n == 0) return;
    const int32_t start = TokenPos[0];

    if (object.DeclaredInt && object.ObjType == TpInfo && TokenIs(0, "RETURN") && n > 2) {
        DropReturnValue(object);
        return;
    }

    if (TokenIs(0, "AI_STOPPROCESSINFOS") && TokenIs(2, "SELF")) {
        ReplaceStatement("ENDE", true);
        Mark(object);
        return;
    }
    if (TokenIs(0, "AI_OUTPUT") && isLiteral(6) && is(7, ")")) {
        const bool npcSpeaks = TokenIs(2, "SELF") && (TokenIs(4, "OTHER") || TokenIs(4, "HERO"));
        const bool heroSpeaks = (TokenIs(2, "OTHER") || TokenIs(2, "HERO")) && TokenIs(4, "SELF");
        if (npcSpeaks || heroSpeaks) {
            std::string mark = npcSpeaks ? "<<" : ">>";
            if (KeepNames) {
                // The output name goes in front of the spoken line.
                const std::string name = t[6].substr(1, t[6].size() - 2);
                if (!IsKeepableName(name, true))
                    throw TImportError("Der Ausgabename \"" + name +
                                           "\" l\xE4sst sich nicht beibehalten: nur Buchstaben, "
                                           "Ziffern und \"_\".",
                                       TokenPos[6]);
                mark = std::string(kNameMarkerOpener) + name + "#" + mark;
            }
            ReplaceStatement(mark, false);
            TakeOverSpeakerComment();
            Mark(object);
            return;
        }
    }
    if (TokenIs(0, "INFO_ADDCHOICE") && is(3, ",") && is(5, ",") && is(7, ")")) {
        TImpObj* choice = FindObject(t[6]);
        // A dialog's information function, or a function with parameters, is no option of
        // its own: the call stays code with its text, and its names become references.
        const bool option = choice && choice->ObjType != TpInfo && choice->ObjType != TpCode;
        if (option && AcceptCaption(*choice, t[4])) {
            // The references are checked where the names stand (a fault is placed there)
            // and then moved into the rewritten statement.
            const std::string dialogName = t[2];
            TImpObj* dialog = FindObject(dialogName);
            TImpRef* dialogRef =
                dialog ? &AddReference(object, *dialog, TokenPos[2], RfChoiceDialog) : nullptr;
            TImpRef& choiceRef = AddReference(object, *choice, TokenPos[6], RfChoiceFunc);
            ReplaceStatement("++" + dialogName + ", " + t[6], true);
            if (dialogRef) dialogRef->Pos = start + 2;
            choiceRef.Pos = start + static_cast<int32_t>(dialogName.size()) + 4;
            Mark(object);
            return;
        }
    }
    if (TokenIs(0, "INFO_CLEARCHOICES") && is(3, ")")) {
        const std::string dialogName = t[2];
        TImpObj* dialog = FindObject(dialogName);
        TImpRef* dialogRef =
            dialog ? &AddReference(object, *dialog, TokenPos[2], RfClearChoices) : nullptr;
        ReplaceStatement("--" + dialogName, true);
        if (dialogRef) dialogRef->Pos = start + 2;
        Mark(object);
        return;
    }
    if (start == 1 && n == 4 && IsKnownVariable(t[0]) && is(1, "=") && TokenIs(2, "TRUE") &&
        is(3, ";") && IsOwnKnownVariable(object, t[0])) {
        // The first line that an export writes into the body of a block asked as known; the
        // block's known references bring it back.
        ReplaceStatement("", false);
        int32_t blanks = Pos;
        while (IsBlank(At(blanks)))
            ++blanks;
        Text.erase(static_cast<size_t>(Pos - 1), static_cast<size_t>(blanks - Pos));
        TextGrowth -= blanks - Pos;
        return;
    }
    if (TokenIs(0, "B_GIVETRADEINV") && TokenIs(2, "SELF") && OwnerTrades(object)) {
        // The dialog's trade flag writes the call anew on export. The blanks and comments
        // after it go with it.
        Pos = LastTokenEnd;
        SkipCache = -1;
        SkipBlanks();
        LastTokenEnd = Pos;
        ReplaceStatement("", false);
        return;
    }
    ScanReferences(object);
}

void TImporter::ReplaceStatement(const std::string& text, bool keepLine) {
    // The statement ends with its last token, even when the machine has skipped the blanks
    // and comments after it already.
    Pos = std::min(Pos, LastTokenEnd);
    const int32_t start = TokenPos.empty() ? Pos : TokenPos[0];
    std::string replacement = text;
    if (keepLine) {
        // Whatever follows on the line (a comment, another statement) goes to a line of its
        // own.
        const int32_t lineBreak = FindFromPos("\r\n");
        const int32_t restEnd = lineBreak ? lineBreak : static_cast<int32_t>(Text.size());
        if (!TrimImportText(std::string_view(Text).substr(Pos - 1, restEnd - Pos)).empty())
            replacement += "\r\n";
    }
    Text.replace(static_cast<size_t>(start - 1), static_cast<size_t>(Pos - start), replacement);
    TextGrowth += static_cast<int32_t>(replacement.size()) - (Pos - start);
    Pos = start + static_cast<int32_t>(replacement.size());
    SkipCache = -1;
}

void TImporter::DropReturnValue(TImpObj& object) {
    // A "func int" that is a dialog's information goes out as "func void": its returns lose
    // their value. A value that calls something stays as a statement before the return.
    bool call = false;
    for (size_t k = 1; k + 1 < Tokens.size(); ++k)
        call = call || Tokens[k] == "(";
    if (!call) {
        ReplaceStatement("return;", false);
        return;
    }
    const int32_t keyword = TokenPos[1] - TokenPos[0]; // "return" and the blanks after it
    Text.erase(static_cast<size_t>(TokenPos[0] - 1), static_cast<size_t>(keyword));
    Tokens.erase(Tokens.begin());
    TokenPos.erase(TokenPos.begin());
    for (int32_t& pos : TokenPos)
        pos -= keyword;
    const std::string_view again = " return;";
    const int32_t end = TokenEnd(Tokens.size() - 1);
    Text.insert(static_cast<size_t>(end - 1), again);
    Pos = LastTokenEnd = end + static_cast<int32_t>(again.size());
    TextGrowth += static_cast<int32_t>(again.size()) - keyword;
    SkipCache = -1;
    ScanReferences(object);
}

void TImporter::TakeOverSpeakerComment() {
    // The comment after the call becomes the spoken text; the output name is dropped (or
    // kept in front of the line), the block compiler numbers the lines anew. Only a comment that
    // follows the call with nothing but blanks between counts: code before a later "//" on the line
    // (another call, the "};" of a one-line block, a string holding "//") would go with it.
    const int32_t lineBreak = FindFromPos("\r\n");
    int32_t slashes = Pos;
    while (At(slashes) == ' ' || At(slashes) == '\t')
        ++slashes;
    if (Text.compare(static_cast<size_t>(slashes - 1), 2, "//") == 0) {
        const int32_t removed = slashes + 2 - Pos;
        Text.erase(static_cast<size_t>(Pos - 1), static_cast<size_t>(removed));
        TextGrowth -= removed;
        Pos = lineBreak ? lineBreak - removed : static_cast<int32_t>(Text.size());
    } else {
        Text.insert(static_cast<size_t>(Pos - 1), "\r\n");
        TextGrowth += 2;
        Pos += 2;
    }
    SkipCache = -1;
}

void TImporter::ScanReferences(TImpObj& object) {
    const size_t n = Tokens.size();
    for (size_t k = 0; k < n; ++k) {
        TImpObj* target = FindObject(Tokens[k]);
        if (!target) {
            const std::string_view token = Tokens[k];
            // A member of an instance ("DIA_Wirt_Hallo.permanent") names the instance.
            const size_t dot = token.find('.');
            if (dot != std::string::npos)
                if (TImpObj* owner = FindObject(token.substr(0, dot)))
                    AddReference(object, *owner, TokenPos[k], RfMention);
            // The variable that an export writes for a dialog or an option asked as known.
            if (dot == std::string::npos && IsKnownVariable(token))
                if (TImpObj* known = FindObject(token.substr(kKnownPrefix.size())))
                    AddReference(object, *known,
                                 TokenPos[k] + static_cast<int32_t>(kKnownPrefix.size()),
                                 RfKnownVar);
            continue;
        }
        const bool nextIs = k + 1 < n;
        if (nextIs && Tokens[k + 1] == "(") {
            AddReference(object, *target, TokenPos[k], RfCall);
        } else if (k > 4 && TokenIs(k - 4, "NPC_KNOWSINFO") && nextIs && Tokens[k + 1] == ")") {
            AddReference(object, *target, TokenPos[k], RfKnowsInfo);
            // No comment may stay inside the call, which the conversion takes apart.
            for (size_t j = k - 4; j <= k; ++j)
                for (int32_t p = TokenEnd(j); p < TokenPos[j + 1]; ++p)
                    Text[static_cast<size_t>(p - 1)] = ' ';
        } else {
            AddReference(object, *target, TokenPos[k], RfMention);
        }
    }
}

TImpRef& TImporter::AddReference(TImpObj& source, TImpObj& target, int32_t pos, TImpRefKind kind) {
    TImpRef& ref = References.emplace_back();
    ref.Pos = pos;
    ref.Source = &source;
    ref.Target = &target;
    ref.Kind = kind;
    source.RefsOut.push_back(&ref);
    target.RefsIn.push_back(&ref);
    CheckReference(ref);
    return ref;
}

void TImporter::ConvertReferences(TImpObj& object) {
    std::string& body = object.BodyText;
    // Everything from here on has been edited already; a reference reaching into it is
    // stale and stays as it is.
    size_t untouched = body.size();
    for (auto it = object.RefsOut.rbegin(); it != object.RefsOut.rend(); ++it) {
        const TImpRef& ref = **it;
        const TImpObj& target = *ref.Target;
        if (target.ObjType == TpInt || target.ObjType == TpVoid || target.ObjType == TpCode)
            continue;
        // Only a Dialog or an Option has a known variable.
        if (ref.Kind == RfKnownVar && target.ObjType != TpDia && target.ObjType != TpChoice)
            continue;
        int32_t id = target.ElementId;
        std::string suffix;
        if (target.ObjType == TpCondition || target.ObjType == TpInfo) {
            const TImpObj* root = target.Root();
            id = root ? root->ElementId : -1;
            if (target.ObjType == TpCondition)
                suffix = "_condition";
            else if (ref.Kind != RfChoiceFunc)
                suffix = "_info";
        }
        if (id < 0) continue;
        size_t pos = static_cast<size_t>(ref.Pos - 1);
        if (ref.Pos < 1 || pos + target.Name.size() > untouched) continue;
        const bool known = ref.Kind == RfKnowsInfo || ref.Kind == RfKnownVar;
        std::string marker = (known ? "#!" : "#") + std::to_string(id) + "#" + suffix;
        body.erase(pos, target.Name.size());
        if (ref.Kind == RfKnownVar) {
            // "Bekannt_" and the name as a whole become the known-test marker.
            pos -= kKnownPrefix.size();
            body.erase(pos, kKnownPrefix.size());
        }

        if (ref.Kind == RfKnowsInfo) {
            // Npc_KnowsInfo (npc, NAME) as a whole becomes the known-test marker.
            const size_t open = body.rfind('(', pos);
            const size_t p =
                open == std::string::npos ? std::string::npos : body.find_last_of("pP", open);
            if (p != std::string::npos && p > 0) {
                body.erase(p - 1, pos - (p - 1));
                pos = p - 1;
                const size_t close = body.find(')', pos);
                if (close != std::string::npos) body.erase(pos, close - pos + 1);
            }
        } else if (ref.Kind == RfChoiceDialog && ref.Source->Root() == &target) {
            // Offered in the dialog's own tree: "++" is followed by the option directly.
            marker.clear();
            if (body.compare(pos, 2, ", ") == 0) body.erase(pos, 2);
        } else if (ref.Kind == RfClearChoices && ref.Source->Root() == &target) {
            marker.clear(); // "--" alone clears the choices of the own dialog
        }
        body.insert(pos, marker);
        untouched = pos;
    }
}

int32_t TImporter::ConditionLength(const std::string& body) {
    StartRecording();
    SetText(body);
    PushState(STstats);
    do {
        Step();
    } while (!StateStack.empty());
    const auto& t = Tokens;
    const size_t n = t.size();
    if (n == 3 && TokenIs(0, "RETURN") && t[2] == ";" && IsTrueValue(t[1])) return 0;
    if (n >= 7 && TokenIs(0, "IF") && t[n - 6] == "{" && TokenIs(n - 5, "RETURN") &&
        IsTrueValue(t[n - 4]) && t[n - 3] == ";" && t[n - 2] == "}" && t[n - 1] == ";") {
        bool nested = false;
        for (size_t k = 1; k + 7 <= n && !nested; ++k)
            nested = t[k] == "{";
        if (!nested) return TokenEnd(n - 7) - 1;
    }
    return -1;
}

bool TImporter::SimplifyCondition(TImpObj& condition) {
    const int32_t length = ConditionLength(condition.BodyText);
    if (length >= 0) {
        condition.BodyText.resize(static_cast<size_t>(length));
        return true;
    }
    condition.ObjType = TpInt;
    condition.Parent = nullptr;
    return false;
}

} // namespace redewerk
