#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TPrompter;

// A fault found while scanning or checking Daedalus text. It carries only the German message
// (Windows-1252), which the stage that started the work shows or wraps with its own text.
class EParseError : public std::exception {
public:
    explicit EParseError(std::string message) : Text(std::move(message)) {}
    const std::string& Message() const { return Text; }
    const char* what() const noexcept override { return Text.c_str(); }

private:
    std::string Text;
};

// Shows the lexer's internal push-back error at most once. There is no process-wide flag:
// whoever creates parsers (the main window for its editors, an import run, a CLI command)
// owns one notice and hands its address to each parser, so "once" means once per owner,
// which for the editor is once per program run. A parser without a notice stays silent.
class TInternalErrorNotice {
public:
    explicit TInternalErrorNotice(TPrompter* prompter) : Prompter(prompter) {}

    // Shows the message through the prompter the first time, does nothing afterwards.
    void Report();

private:
    TPrompter* Prompter;
    bool Shown = false;
};

// Character classes of the lexer, one table lookup per byte.
namespace lexchars {
enum : uint8_t {
    kBlank = 1,    // space, tab, CR, LF, form feed
    kLetter = 2,   // a-z, A-Z and the seven German letters (Windows-1252)
    kDigit = 4,    // 0-9
    kOperator = 8, // + - / * = % ! | ~ & < >
    kBracket = 16, // ( ) { } [ ] ; ,
    kRefused = 32, // ? $ ' : @ \ ^ `
};

constexpr std::array<uint8_t, 256> MakeTable() {
    std::array<uint8_t, 256> table{};
    for (unsigned char c : std::string_view(" \t\r\n\f"))
        table[c] |= kBlank;
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] |= kLetter;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] |= kLetter;
    for (unsigned char c : {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC})
        table[c] |= kLetter;
    for (int c = '0'; c <= '9'; ++c)
        table[c] |= kDigit;
    for (unsigned char c : std::string_view("+-/*=%!|~&<>"))
        table[c] |= kOperator;
    for (unsigned char c : std::string_view("(){}[];,"))
        table[c] |= kBracket;
    for (unsigned char c : std::string_view("?$':@\\^`"))
        table[c] |= kRefused;
    return table;
}

inline constexpr std::array<uint8_t, 256> kTable = MakeTable();

inline bool Has(char c, uint8_t classes) {
    return (kTable[static_cast<unsigned char>(c)] & classes) != 0;
}
} // namespace lexchars

// The text of the internal error shown on a second push-back in a row.
extern const char* const kInternalParserError;

// The states of the syntax checker's machine, one byte each on the state stack. Each names
// what the machine expects next.
enum TStat : uint8_t {
    STDaed = 0,          // a list of top-level declarations
    STstats = 1,         // a list of statements
    STblock = 2,         // the "{" that opens a block
    STblockend = 3,      // the "}" that closes a block
    STelse = 4,          // after an if block: ";" or ELSE
    STerb = 5,           // "(" parent name ")" of a prototype or instance
    STmorevars = 6,      // "," or ";" after a declared variable
    STvarname = 7,       // a variable name with an optional index
    STVarNameEx = 8,     // an optional index after a name already read
    STexp = 9,           // an expression
    STparams = 10,       // "(" call arguments ")"
    STparamrow = 11,     // one call argument and what follows it
    STdeclparams = 12,   // "(" declared parameters ")"
    STdeclparamrow = 13, // one declared parameter and what follows it
    STIndex = 14,        // "[" expression "]"
    STeof = 15,          // the end of the text
    STsem = 16,          // ";"
    STtype = 17,         // a type name
    STid = 18,           // an identifier
    STcondif = 19,       // the IF that begins a condition text
    STifend = 20,        // after an else block: an optional ";"
};

// The hand-written Daedalus lexer: one in-memory text, one token of look-back. The same class
// carries the syntax checker's state machine (StateStack, Step), so that a subclass that
// records tokens (the script importer) sees every token the machine reads.
//
// Clients (the dialog compiler, the checker, the script importer) read the public fields
// directly. After a NextToken that read a new token exactly one of OpToken, IdentToken and
// ConstToken is non-empty, or none is and AtEnd is set. Positions are 1-based into Text,
// whose last byte is always a NUL appended by SetText; the NUL ends every scanning loop.
//
// The token strings are buffers that are reused from token to token, so reading tokens does
// not allocate once they have grown to the longest token. The three readers return views
// into Text, valid until Text is changed.
//
// A subclass may override only the three readers (the importer records every token with
// them). An override must return the same text and leave Pos where the base reader left it;
// the token's start is then Pos minus the length of the text.
class TParser {
public:
    explicit TParser(TInternalErrorNotice* notice = nullptr) : Notice(notice) {}
    virtual ~TParser() = default;

    // The text followed by one NUL. Whoever edits it in place (the importer) must keep the
    // final NUL, adjust Pos and reset SkipCache to -1.
    std::string Text = std::string(1, '\0');
    int32_t Pos = 1;
    bool TokenPushedBack = false;
    int32_t SkipCache = -1; // where SkipBlanks last stopped; -1 when unknown

    std::string OpToken;    // operator, bracket or separator, as read
    std::string IdentToken; // identifier, ASCII letters upper-cased
    std::string ConstToken; // number, or string literal with its quotes
    bool AtEnd = false;
    int32_t TokenStart = 1; // Pos when the current token's read began, before the blanks

    // The checker's pending states, top at the back.
    std::vector<TStat> StateStack;
    // 0-based place of the error of the last CheckSyntax, -1 after a clean check. The editor
    // moves the caret there on "Gehe zu erstem Fehler". SetText leaves it alone.
    int32_t ErrorPos = -1;
    // Whether "<<" and ">>" are shift operators inside expressions, as in script files and
    // conditions. In a block's body they are speaker marks wherever they stand (the compiler
    // turns every one into a spoken line), so there an expression never contains them.
    bool ShiftOperators = false;

    // Text := s + NUL; Pos, TokenStart := 1; SkipCache := -1; no pushed-back token; empty
    // state stack. The token fields are left as they are.
    void SetText(std::string_view s);

    // Moves Pos over blanks (space, tab, CR, LF, form feed), "/* */" and "//" comments.
    void SkipBlanks();
    // Makes the next token current, or re-delivers the pushed-back one.
    void NextToken();
    // Pushes the current token back. A second push-back in a row reports an internal error
    // through the notice, but the call never fails.
    void UngetToken();

    // Each reader skips blanks, reads one token of its kind at Pos, leaves Pos after it and
    // returns its bytes unchanged. Each raises EParseError when no such token stands there.
    virtual std::string_view ReadIdentifier();
    virtual std::string_view ReadOperator();
    virtual std::string_view ReadConstant();

    // The position of the next line feed at or after Pos, else the position of the final NUL.
    int32_t LineEnd() const;
    // The position of the next occurrence of `what` at or after Pos, 0 when there is none.
    int32_t FindFromPos(std::string_view what) const;
    // The same from a given 1-based position.
    int32_t FindFrom(std::string_view what, int32_t from) const;

    // Length of the text without the final NUL.
    int32_t TextLength() const { return static_cast<int32_t>(Text.size()) - 1; }
    // The byte at a 1-based position.
    char At(int32_t position) const { return Text[static_cast<size_t>(position - 1)]; }

    bool IsOp(std::string_view s) const { return OpToken == s; }
    bool IsIdent(std::string_view upperCased) const { return IdentToken == upperCased; }
    bool IsIdent() const { return !IdentToken.empty(); }
    bool IsConst() const { return !ConstToken.empty(); }

    // Character classes of the lexer.
    static bool IsBlank(char c) { return lexchars::Has(c, lexchars::kBlank); }
    static bool IsLetter(char c) { return lexchars::Has(c, lexchars::kLetter); }
    static bool IsDigit(char c) { return lexchars::Has(c, lexchars::kDigit); }
    static bool IsOperatorChar(char c) { return lexchars::Has(c, lexchars::kOperator); }
    static bool IsBracketChar(char c) { return lexchars::Has(c, lexchars::kBracket); }

    // --- The syntax checker's state machine (syntax_checker.cpp) ---
    //
    // Drive it by pushing start states and calling Step until the stack is empty (CheckSyntax
    // does so), or declaration by declaration: push STDaed and call Step until the stack
    // holds at most one state. Pos then stands after the declaration's last token; when the
    // last step re-read a pushed-back token (as after "var int a;"), also after the blanks
    // and comments that follow it, because every Step skips blanks first. STDaed pops itself
    // at the end of the text and also before anything that does not start a declaration
    // (leaving that token pushed back): check AtEnd to tell the two apart. Statement by
    // statement works the same way with STstats, which is on top again after each statement.
    // Errors are raised as EParseError.

    void PushState(TStat state) { StateStack.push_back(state); }
    void PopState() { StateStack.pop_back(); }
    // Pushes `state` and runs it (and whatever it pushes) to its end.
    void RunState(TStat state);
    // Performs Step while the stack is at least as high as now: runs the state on top and
    // whatever it pushes until that state has been consumed.
    void RunState();
    // One step of the machine: skips blanks, reads a token and acts on the state on top.
    // Does nothing when the stack is empty.
    void Step();

    // The 0-based place where an error found now is marked: where the scan for the current
    // token began, but never beyond the last character of the text.
    int32_t ErrorPlace() const;

    // Fifteen binary operators: + - / * % | & < > <= >= && || == !=
    static bool IsBinaryOperator(std::string_view op);
    // A binary operator, or a shift operator where ShiftOperators allows it.
    bool IsExpressionOperator(std::string_view op) const;
    // "=" and the two-byte "+=", "-=", "*=", "/=", "&=", "|=".
    static bool IsAssignOperator(std::string_view op);
    // The twelve type names (upper-cased): VOID, INT, STRING, FLOAT, FUNC, C_NPC, ...
    static bool IsTypeName(std::string_view upperCased);

protected:
    [[noreturn]] static void Fail(std::string message);

private:
    void StepDeclarationOrStatement(bool declarations);
    void StepStatement();
    void StepConstant();
    void StepAfterIf();
    bool CanStartStatement() const;
    void StepChoiceLine();
    void StepClearChoicesLine();
    void StepParameterList(TStat row, const char* noOpening, const char* noClosing);
    void StepParameterEnd(const char* noSeparator);
    void StepExpression();

    TInternalErrorNotice* Notice;
    int32_t RunDepth = 0; // nesting of RunState, bounded so that no input exhausts the stack
};

} // namespace redewerk
