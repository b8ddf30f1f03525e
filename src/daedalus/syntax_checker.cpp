#include "daedalus/syntax_checker.h"

#include "model/element.h"
#include "model/name_markers.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace redewerk {

const char* const kSyntaxOk = "Syntax ok";

namespace {

// RunState calls nest once per bracket level of an expression ("((((", "f(g(h(", "a[b[").
// Real scripts stay far below this; the bound keeps a pathological text from exhausting
// the call stack and makes it an ordinary syntax error instead.
constexpr int32_t kMaxRunDepth = 1000;

} // namespace

bool TParser::IsBinaryOperator(std::string_view op) {
    switch (op.size()) {
    case 1:
        return op[0] == '+' || op[0] == '-' || op[0] == '/' || op[0] == '*' || op[0] == '%' ||
               op[0] == '|' || op[0] == '&' || op[0] == '<' || op[0] == '>';
    case 2:
        return op == "<=" || op == ">=" || op == "&&" || op == "||" || op == "==" || op == "!=";
    default:
        return false;
    }
}

bool TParser::IsExpressionOperator(std::string_view op) const {
    return IsBinaryOperator(op) || (ShiftOperators && (op == "<<" || op == ">>"));
}

bool TParser::IsAssignOperator(std::string_view op) {
    if (op == "=") return true;
    if (op.size() != 2 || op[1] != '=') return false;
    return op[0] == '+' || op[0] == '-' || op[0] == '*' || op[0] == '/' || op[0] == '&' ||
           op[0] == '|';
}

bool TParser::IsTypeName(std::string_view name) {
    for (std::string_view type : {"VOID", "INT", "STRING", "FLOAT", "FUNC", "C_NPC", "C_INFO",
                                  "C_MISSION", "C_ITEM", "C_FOCUS", "C_ITEMREACT", "C_SPELL"})
        if (name == type) return true;
    return false;
}

int32_t TParser::ErrorPlace() const {
    int32_t place = std::min(TokenStart - 1, static_cast<int32_t>(Text.size()) - 2);
    return std::max(place, 0);
}

void TParser::RunState(TStat state) {
    PushState(state);
    RunState();
}

void TParser::RunState() {
    if (RunDepth >= kMaxRunDepth) Fail("Ausdruck zu tief verschachtelt.");
    struct TDepthGuard {
        int32_t& Depth;
        explicit TDepthGuard(int32_t& depth) : Depth(depth) { ++Depth; }
        ~TDepthGuard() { --Depth; }
    } guard(RunDepth);
    const size_t height = StateStack.size();
    while (StateStack.size() >= height && !StateStack.empty())
        Step();
}

void TParser::Step() {
    if (StateStack.empty()) return;
    SkipBlanks();
    NextToken();
    switch (StateStack.back()) {
    case STDaed:
        StepDeclarationOrStatement(true);
        break;
    case STstats:
        StepDeclarationOrStatement(false);
        break;
    case STblock:
        if (!IsOp("{"))
            Fail("\xD6"
                 "ffnende Klammer \"{\" erwartet, aber nicht gefunden");
        PopState();
        PushState(STblockend);
        PushState(STstats);
        break;
    case STblockend:
        if (!IsOp("}"))
            Fail("G\xFCltiges Statement oder schlie\xDF"
                 "ende Klammer \"}\" erwartet.");
        PopState();
        break;
    case STelse:
        if (IsOp(";")) {
            PopState();
        } else if (IsIdent("ELSE")) {
            PopState();
            NextToken();
            if (IsOp("{")) {
                PushState(STifend);
                PushState(STblock);
                UngetToken();
            } else if (IsIdent("IF")) {
                UngetToken(); // the IF starts a new if statement in the enclosing list
            } else {
                Fail("if-Statement oder \xF6"
                     "ffnende Klammer \"{\" erwartet.");
            }
        } else {
            StepAfterIf();
        }
        break;
    case STifend:
        if (IsOp(";"))
            PopState();
        else
            StepAfterIf();
        break;
    case STerb:
        if (!IsOp("("))
            Fail("\xD6"
                 "ffnende Klammer \"(\" erwartet. Von irgendwo muss geerbt werden.");
        RunState(STid);
        NextToken();
        if (!IsOp(")"))
            Fail("Schlie\xDF"
                 "ende Klammer \")\" erwartet.");
        PopState();
        break;
    case STmorevars:
        if (IsOp(";"))
            PopState();
        else if (IsOp(","))
            PushState(STvarname); // STmorevars stays below for the next separator
        else
            Fail("Komma oder Semikolon nach Parameterdeklaration erwartet.");
        break;
    case STvarname:
        if (!IsIdent()) Fail("Bezeichner erwartet.");
        NextToken();
        PopState();
        if (IsOp("[")) PushState(STIndex);
        UngetToken();
        break;
    case STVarNameEx:
        PopState();
        if (IsOp("[")) PushState(STIndex);
        UngetToken();
        break;
    case STIndex:
        if (!IsOp("["))
            Fail("\xD6"
                 "ffnende Klammer \"[\" erwartet.");
        RunState(STexp);
        NextToken();
        if (!IsOp("]"))
            Fail("Schlie\xDF"
                 "ende Klammer \"]\" erwartet.");
        PopState();
        break;
    case STexp:
        StepExpression();
        break;
    case STparams:
        StepParameterList(
            STparamrow,
            "\xD6"
            "ffnende Klammer \"(\" f\xFCr Parameterliste erwartet aber nicht gefunden.",
            "Schlie\xDF"
            "ende Klammer nach Aufrufparametern erwartet.");
        break;
    case STparamrow:
        UngetToken();
        RunState(STexp);
        StepParameterEnd("Schlie\xDF"
                         "ende Klammer \")\" oder Komma in Parameterliste erwartet.");
        break;
    case STdeclparams:
        StepParameterList(STdeclparamrow,
                          "\xD6"
                          "ffnende Klammer f\xFCr Parameterliste erwartet.",
                          "Schlie\xDF"
                          "ende Klammer der Parameterliste erwartet.");
        break;
    case STdeclparamrow:
        PushState(STvarname);
        PushState(STtype);
        if (!IsIdent("VAR")) Fail("\"var\" in Parameterliste erwartet aber nicht gefunden.");
        RunState(); // the type
        RunState(); // the name
        StepParameterEnd("Schlie\xDF"
                         "ende Klammer \")\" oder Komma in Parameterliste erwartet!");
        break;
    case STsem:
        if (!IsOp(";")) Fail("Semikolon \";\" erwartet.");
        PopState();
        break;
    case STtype:
        if (!IsIdent()) Fail("Datentyp erwartet aber nichts gefunden.");
        if (!IsTypeName(IdentToken)) Fail("Ung\xFCltiger Datentyp: " + IdentToken);
        PopState();
        break;
    case STid:
        if (!IsIdent()) Fail("Identifier erwartet aber keinen gefunden.");
        PopState();
        break;
    case STeof:
        if (!AtEnd) Fail("Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.");
        PopState();
        break;
    case STcondif:
        if (IsIdent("IF")) {
            PopState();
        } else if (AtEnd) {
            PopState(); // an empty condition: STcondif and the STexp below it
            PopState();
        } else {
            Fail("if-Statement in der condition erwartet.");
        }
        break;
    }
}

// Call arguments and declared parameters share their frame: "(" and either ")" at once or
// the rows of `row` up to ")". Only the row state and the messages differ.
void TParser::StepParameterList(TStat row, const char* noOpening, const char* noClosing) {
    if (!IsOp("(")) Fail(noOpening);
    NextToken();
    if (!IsOp(")")) {
        UngetToken();
        RunState(row);
        NextToken();
    }
    if (!IsOp(")")) Fail(noClosing);
    PopState();
}

// After one argument or parameter: "," keeps the row state for the next one, ")" ends the
// row and is left for the list to read.
void TParser::StepParameterEnd(const char* noSeparator) {
    NextToken();
    if (IsOp(")")) {
        UngetToken();
        PopState();
    } else if (!IsOp(",")) {
        Fail(noSeparator);
    }
}

// STDaed and STstats share the declarations of variables and constants.
void TParser::StepDeclarationOrStatement(bool declarations) {
    if (IsIdent("VAR")) {
        PushState(STmorevars);
        PushState(STvarname);
        PushState(STtype);
        return;
    }
    if (IsIdent("CONST")) {
        StepConstant();
        return;
    }
    if (!declarations) {
        StepStatement();
        return;
    }
    if (IsIdent("PROTOTYPE")) {
        for (TStat state : {STsem, STblock, STerb, STid})
            PushState(state);
    } else if (IsIdent("INSTANCE")) {
        RunState(STid);
        NextToken();
        while (IsOp(",")) {
            RunState(STid);
            NextToken();
        }
        UngetToken();
        RunState(STerb);
        NextToken();
        if (IsOp(";")) return; // an instance without a body
        UngetToken();
        PushState(STsem);
        PushState(STblock);
    } else if (IsIdent("CLASS")) {
        for (TStat state : {STsem, STblock, STid})
            PushState(state);
    } else if (IsIdent("FUNC")) {
        for (TStat state : {STsem, STblock, STdeclparams, STid, STtype})
            PushState(state);
    } else {
        UngetToken(); // not a declaration, the end included
        PopState();
    }
}

// "const" type name "=" value ";", where the value of an array constant is a list of
// expressions in braces ("const int PREISE[3] = {10, 20, 30};").
void TParser::StepConstant() {
    RunState(STtype);
    RunState(STvarname);
    NextToken();
    if (!IsOp("=")) Fail("\"=\" erwartet zur Initialisierung der Konstante.");
    PushState(STsem);
    NextToken();
    if (!IsOp("{")) {
        UngetToken();
        PushState(STexp);
        return;
    }
    do {
        RunState(STexp);
        NextToken();
    } while (IsOp(","));
    if (!IsOp("}"))
        Fail("Schlie\xDF"
             "ende Klammer \"}\" oder Komma in der Initialisierungsliste erwartet.");
}

// Whether the current token can begin a statement, or end the statement list: what may
// follow a statement.
bool TParser::CanStartStatement() const {
    return AtEnd || IsOp("}") || IsIdent() || IsOp("++") || IsOp("--") ||
           OpToken.starts_with("<<") || OpToken.starts_with(">>");
}

// The ";" after an if statement may be left out when the next statement or the end of the
// block follows, as the game's compiler allows; the token is left for the statement list.
void TParser::StepAfterIf() {
    if (!CanStartStatement()) {
        if (StateStack.back() == STifend) Fail("Semikolon \";\" erwartet.");
        Fail("Anschlie\xDF"
             "endes IF-Statement oder \";\" erwartet.");
    }
    UngetToken();
    PopState();
}

void TParser::StepStatement() {
    if (AtEnd) {
        PopState();
    } else if (IsIdent("IF")) {
        for (TStat state : {STelse, STblock, STexp})
            PushState(state);
    } else if (IsIdent("ENDE")) {
        NextToken(); // an optional ";"
        if (IsOp(";")) PushState(STsem);
        UngetToken();
    } else if (IsIdent("RETURN")) {
        NextToken();
        if (IsOp(";")) return;
        UngetToken();
        PushState(STsem);
        PushState(STexp);
    } else if (IsOp("++")) {
        StepChoiceLine();
    } else if (IsOp("--")) {
        StepClearChoicesLine();
    } else if (OpToken.starts_with("<<") || OpToken.starts_with(">>")) {
        Pos = LineEnd(); // a speaker line: the rest of the line is free text
    } else if (IsIdent()) {
        NextToken();
        if (IsOp("(")) { // a call statement
            UngetToken();
            RunState(STparams);
            PushState(STsem);
            // The result may be used in an expression whose value is dropped
            // ("B_Hole (self) == 1;"); the game's compiler accepts that.
            SkipBlanks();
            NextToken();
            if (IsExpressionOperator(OpToken))
                PushState(STexp);
            else
                UngetToken();
            return;
        }
        UngetToken();
        RunState(STVarNameEx);
        NextToken();
        // An assignment, or an expression whose value is dropped ("Some_Var == TRUE;").
        if (!IsAssignOperator(OpToken) && !IsExpressionOperator(OpToken))
            Fail("Zuweisung erwartet, aber kein Zuweisungsoperator gefunden!");
        PushState(STsem);
        PushState(STexp);
    } else {
        UngetToken();
        PopState();
    }
}

// "++" choice or "++" dialog "," choice, all on the line of the "++".
void TParser::StepChoiceLine() {
    const int32_t lineEnd = LineEnd();
    ReadIdentifier();
    if (Pos > lineEnd) Fail("Identifier erwartet nach \"++\" Operator.");
    NextToken();
    if (IsOp(",")) {
        ReadIdentifier();
        if (Pos > lineEnd)
            Fail("Ein \"++\"-Statement darf sich nicht \xFC"
                 "ber mehrere Zeilen erstrecken.");
        return; // a ";" after this form is not consumed
    }
    if (IsOp(";") && Pos <= lineEnd) return;
    UngetToken();
}

// "--" with an optional dialog name and an optional ";" on the same line.
void TParser::StepClearChoicesLine() {
    const int32_t lineEnd = LineEnd();
    NextToken();
    if ((!IsIdent() && !IsOp(";")) || Pos > lineEnd) {
        UngetToken();
        return;
    }
    if (IsOp(";")) return;
    NextToken();
    if (!IsOp(";")) UngetToken();
}

// An operand with its unary prefixes, then optionally a binary operator; the right operand
// is read by the next step with the same STexp on top. There is no precedence.
void TParser::StepExpression() {
    if (IsOp("(")) {
        RunState(); // the inner expression consumes this STexp entry
        NextToken();
        if (!IsOp(")"))
            Fail("Schlie\xDF"
                 "ende Klammer \")\" erwartet.");
        NextToken();
        if (IsExpressionOperator(OpToken))
            PushState(STexp);
        else
            UngetToken();
        return;
    }
    if (IsOp("-") || IsOp("!") || IsOp("+") || IsOp("~")) return;
    if (!IsIdent() && !IsConst()) Fail("Identifier oder Literal erwartet.");
    const bool identifier = IsIdent();
    NextToken();
    UngetToken();
    if (identifier) {
        if (IsOp("["))
            RunState(STIndex);
        else if (IsOp("("))
            RunState(STparams);
    }
    NextToken();
    if (IsExpressionOperator(OpToken)) return;
    UngetToken();
    PopState();
}

TCheckMode BodyCheckMode(int32_t elementKind, bool important, bool lockBody, bool instantCompile,
                         bool bodyHasFocus) {
    if (elementKind == ekCode) return TCheckMode::Declarations;
    if (elementKind == ekEvent && important) return TCheckMode::Statements;
    if (!lockBody && (!instantCompile || bodyHasFocus)) return TCheckMode::Statements;
    return TCheckMode::Declarations;
}

namespace {

// Where in a text of `mode` name markers may stand.
TNamedText NamedTextOf(TCheckMode mode, int32_t blockKind) {
    switch (mode) {
    case TCheckMode::Condition:
        return NamedConditionOf(blockKind);
    case TCheckMode::Statements:
        return blockKind == ekDialog ? TNamedText::DialogBody : TNamedText::Body;
    default:
        return TNamedText::Code;
    }
}

// The check of a text without name markers.
TCheckResult CheckBlanked(TParser& parser, std::string_view text, TCheckMode mode) {
    parser.SetText(text);
    parser.ShiftOperators = mode != TCheckMode::Statements;
    parser.PushState(STeof);
    switch (mode) {
    case TCheckMode::Condition:
        parser.PushState(STexp);
        parser.PushState(STcondif);
        break;
    case TCheckMode::Statements:
        parser.PushState(STstats);
        break;
    case TCheckMode::Declarations:
        parser.PushState(STDaed);
        break;
    }
    TCheckResult result;
    try {
        while (!parser.StateStack.empty())
            parser.Step();
        result.Message = kSyntaxOk;
    } catch (const EParseError& error) {
        result.Ok = false;
        result.Message = error.Message();
        result.ErrorPos = parser.ErrorPlace();
    }
    parser.StateStack.clear();
    parser.ErrorPos = result.ErrorPos;
    return result;
}

} // namespace

TCheckResult CheckSyntax(TParser& parser, std::string_view text, TCheckMode mode,
                         int32_t blockKind) {
    // A kept name is no Daedalus: each one in its place is blanked out for the state machine,
    // which keeps every other place where it is. The first one out of place is an error,
    // unless the machine finds one before it.
    std::string blanked;
    std::optional<TNameMarkerFault> fault;
    if (text.find(kNameMarkerOpener) != std::string_view::npos) {
        blanked.assign(text);
        fault = ForEachNameMarker(text, NamedTextOf(mode, blockKind), [&](const TNameMarker& m) {
            blanked.replace(m.Start, m.Length, m.Length, ' ');
        });
        text = blanked;
    }
    TCheckResult result = CheckBlanked(parser, text, mode);
    if (fault && (result.Ok || result.ErrorPos >= static_cast<int32_t>(fault->Pos))) {
        result.Ok = false;
        result.Message = fault->Message;
        result.ErrorPos = parser.ErrorPos = static_cast<int32_t>(fault->Pos);
    }
    return result;
}

TCheckResult CheckSyntax(std::string_view text, TCheckMode mode, TInternalErrorNotice* notice,
                         int32_t blockKind) {
    TParser parser(notice);
    return CheckSyntax(parser, text, mode, blockKind);
}

} // namespace redewerk
