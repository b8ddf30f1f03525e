#pragma once

#include "daedalus/parser.h"
#include "model/element.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace redewerk {

// What kind of text the editor checks.
enum class TCheckMode {
    Condition,    // empty, or IF followed by one expression
    Statements,   // a statement list, as in a dialog's body
    Declarations, // top-level declarations, as in a Code block or a script file
};

// The hint of a status panel after a clean check.
extern const char* const kSyntaxOk;

// The outcome of one check. ErrorPos is the 0-based place in the text where the editor marks
// the error (three characters from there), -1 after a clean check.
struct TCheckResult {
    bool Ok = true;
    std::string Message; // "Syntax ok", or the German message of the first error
    int32_t ErrorPos = -1;
};

// The mode for the body editor: a statement list while the user edits the body of a block
// that is not a Code block (the body is not locked, and the preview is off or the body editor
// has the focus), and always for an important Event, which compiles without a function
// frame; otherwise a declaration list: a Code block, or the generated preview of a block.
TCheckMode BodyCheckMode(int32_t elementKind, bool important, bool lockBody, bool instantCompile,
                         bool bodyHasFocus);

// Checks a whole text with the parser's state machine, from an empty stack, up to the end of
// the text or the first error, and sets the parser's ErrorPos. Only parse errors are caught;
// the parser keeps its buffers, so an editor reuses one parser for every check.
// The text belongs to a block of `blockKind` (a script counts as a Dialog's body): the kept
// names it may hold (model/name_markers.h) depend on that, and are no Daedalus.
TCheckResult CheckSyntax(TParser& parser, std::string_view text, TCheckMode mode,
                         int32_t blockKind = ekDialog);

// The same with a parser of its own.
TCheckResult CheckSyntax(std::string_view text, TCheckMode mode,
                         TInternalErrorNotice* notice = nullptr, int32_t blockKind = ekDialog);

} // namespace redewerk
