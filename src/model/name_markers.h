#pragma once

#include "model/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace redewerk {

// A block's code is named after the block's path. A block may instead carry the names its
// code had in the script it was imported from, so that its export can replace that script in
// a mod: other scripts call the old instances and functions, and the game finds a spoken
// line's sound and subtitle by its output name. A name marker "#:" NAME "#" says so:
//
//   #:DIA_Wirt_Hallo#                    alone in the first line of a body: the name of the
//                                        block (a Dialog's instance, the function of a
//                                        Dialogoption or an Event)
//   #:DIA_Wirt_Hallo,DIA_Wirt_Frage,#    a Dialog may add the names of its condition and
//                                        information functions (empty: NAME_condition and
//                                        NAME_info)
//   #:DIA_Wirt_Hallo_15_00#>>Hallo!      right before ">>" or "<<": the output name of
//                                        the spoken line; two lines may share one
//   #:DIA_Wirt_Hallo_Condition()#        alone in a Dialog's condition, or alone in its
//                                        body after the name line: the condition or
//                                        information function stands elsewhere (in a Code
//                                        block, in another script) and the export writes
//                                        none of its own
//
// Like a reference, a "#" inside a comment, a string or a spoken line is text. A marker is
// never a reference: the path conversion, the compiler's reference resolution and the search
// leave it as it is.

// The two bytes that open a name marker.
inline constexpr std::string_view kNameMarkerOpener = "#:";

// Whether `name` can be kept: letters (the seven German ones included), digits and "_", not
// empty. The name of a block or function does not begin with a digit; that of a spoken line
// may.
bool IsKeepableName(std::string_view name, bool spokenLine = false);

// The names a block's name line gives; an empty one is derived from the block's path.
struct TBlockNames {
    std::string Block;
    std::string Condition;   // a Dialog's condition function
    std::string Information; // a Dialog's information function

    bool Empty() const { return Block.empty(); }
};

// The names that the first line of the body of a block of `kind` gives when it is a valid
// name line; all empty otherwise. Only a Dialog names functions; a Code block has no name.
TBlockNames NamesOf(const TLines& body, int32_t kind);
// Whether the body of a block of `kind` begins with a name line; the code follows it.
bool HasNameLine(const TLines& body, int32_t kind);
// The block's own name from the name line of its body (in the body's first line); empty
// without one.
std::string_view KeptName(const TLines& body, int32_t kind);

// The function a Dialog's condition, or its body after the name line, stands for when the
// lines from `first` on hold nothing but "#:NAME()#" (blanks and comments aside); empty
// otherwise.
std::string_view ExternalFunction(const TLines& lines, size_t first = 0);

// The kinds of text a marker may stand in; each allows other markers.
enum class TNamedText {
    Body,            // the body of a Dialogoption or an Event
    DialogBody,      // the body of a Dialog
    Condition,       // the condition of an Event
    DialogCondition, // the condition of a Dialog
    Code,            // a Code block or a script: no markers
};

// The kind of text the body and the condition of a block of `kind` are.
TNamedText NamedBodyOf(int32_t kind);
TNamedText NamedConditionOf(int32_t kind);

// What a marker in its place means.
enum class TNameMarkerRole { Block, SpokenLine, External };

// One name marker: its 0-based place in the text (both "#" included), what it means and the
// name it holds (for Block the whole list of names, commas included).
struct TNameMarker {
    size_t Start = 0;
    size_t Length = 0;
    TNameMarkerRole Role = TNameMarkerRole::Block;
    std::string_view Name;
};

// A marker that stands where none may, or holds a name that cannot be kept.
struct TNameMarkerFault {
    size_t Pos = 0; // 0-based, the marker's first "#"
    std::string Message;
};

// Goes through the name markers of a text (lines ended by CR LF or by LF alone), giving each
// one that stands in its place to `found`, in order. The first marker out of place ends the
// walk with its fault.
std::optional<TNameMarkerFault>
ForEachNameMarker(std::string_view text, TNamedText where,
                  const std::function<void(const TNameMarker&)>& found);

// Whether a text holds a name marker anywhere; a quick test before any closer look.
bool MayHoldNameMarker(const TLines& lines);

} // namespace redewerk
