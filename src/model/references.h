#pragma once

#include "model/text_lines.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TNode;
class TProject;
class TPrompter;

// References between blocks are stored as "#" id "#" (a known-reference as "#!" id "#"), but
// the editor shows them as paths relative to the block being edited: "Tschuess" for a
// sibling, "..\Schmied\Hallo" one folder up, the empty path for the block's own parent. A
// reference that cannot be resolved keeps the user's text behind "INVALID:" and is never
// converted again.

enum class TRefDirection { IdToPath, PathToId };

// The text that stands in a reference to a deleted block.
inline constexpr std::string_view kDeletedReference = "INVALID:Gel\xF6scht!";

// Converts one reference text (without its "#" and without the "!" of a known-reference).
// `context` is the node of the block whose text holds the reference; nullptr counts as the
// top row. From path to id, `registerKnown` appends the target's id to the KnownRefs of the
// context's element. Failures show a "Pfadconverter: " message and give "INVALID:" + text.
std::string ConvertReference(TProject& project, std::string_view text, TRefDirection direction,
                             bool registerKnown, const TNode* context, TPrompter& prompter);

// Converts every reference in the lines (references in comments, strings and spoken lines
// are text, not references). From path to id, known-references are registered.
TLines ConvertReferencesInText(TProject& project, const TLines& lines, TRefDirection direction,
                               const TNode* context, TPrompter& prompter);

// The lines as the editor shows them, each followed by CR LF: every reference as a path
// relative to `context`. Showing a reference never fails, so there is nobody to tell.
std::string ReferencesAsPathsText(TProject& project, const TLines& lines, const TNode* context);

// After blocks were deleted: every reference to one of the freed ids in the bodies and
// conditions of the remaining blocks becomes "INVALID:Gelöscht!" ("!INVALID:..." for a
// known-reference), and the freed ids leave every KnownRefs. Ids are reused, so without this a
// reference would silently move to whatever block takes the id next.
void InvalidateReferencesTo(TProject& project, const std::vector<int32_t>& freedIds);

} // namespace redewerk
