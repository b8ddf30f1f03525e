#pragma once

#include "import/import_records.h"

#include <string>
#include <string_view>

namespace redewerk {

// The text without tab, CR, LF, space and NUL at both ends.
std::string_view TrimImportText(std::string_view text);

// Removes the indentation of a function body, so that it reads as a block's text: the tabs
// that all lines after the first begin with (blank lines aside) go from every line. When they
// share none, one level goes: from each line one leading tab, or up to the indent width of
// spaces (and a tab after them). The width is the indentation of the second line (halved when
// the first line opens a brace), 4 when that gives nothing. Every line is ended by CR LF.
std::string Unindent(std::string_view text);

// The text that becomes a block's body or condition: a function frame around the body of a
// parameterless function that stays code, the whole declaration of other code, the
// unindented body of dialogs and their functions; the comment before the declaration in
// front.
std::string RebuildText(const TImpObj& object);

} // namespace redewerk
