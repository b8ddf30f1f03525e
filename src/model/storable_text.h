#pragma once

#include "model/text_lines.h"

#include <string>
#include <string_view>

namespace redewerk {

class TProject;
class TPrompter;

// The project file holds every field on one line ended by CR LF and ends its sections with
// marker lines. So a one-line field (a name, a heading, a description...) must hold no CR or
// LF, and no line, of a field or of a line list, may read as a marker; otherwise the file
// would load differently or not at all. Every way a text enters a project keeps to this.

// The line that ends a section, and the one that ends the node list.
inline constexpr std::string_view kSectionEndMarker = "\x02"
                                                      "END";
inline constexpr std::string_view kNodeListEndMarker = "\x02"
                                                       "EOF";

bool IsMarkerLine(std::string_view line);

// A one-line field: no CR, no LF, no marker.
bool IsStorableField(std::string_view text);
// A line of a line list (a body, a condition, the variables): no LF and no marker. A CR
// inside the line is read back as it was written.
bool IsStorableLine(std::string_view line);

// What stands in for the control characters of a text that breaks the rule: names (of nodes,
// and the NPC clear and instance names) take "_", as they become Daedalus symbols; every
// other text takes a blank.
inline constexpr char kNameReplacement = '_';
inline constexpr char kTextReplacement = ' ';

// When the field breaks the rule, replaces each of its control characters (bytes below
// 0x20 other than Tab) by `replacement`. Returns how many characters were replaced.
int MakeStorableField(std::string& text, char replacement);
// The same for each line of a list, with a blank.
int MakeStorableLines(TLines& lines);

// Copies that keep to the rule, for texts the user typed.
std::string StorableField(std::string text, char replacement);
TLines StorableLines(TLines lines);

// Every text of the project: the variables, the NPC table, the node names and each block's
// fields. A node name that now equals a sibling's gets "_2", "_3"... so paths stay unique.
// Returns how many characters were replaced.
int MakeProjectStorable(TProject& project);

// The import's note that it had to replace characters, shown once when `count` is not 0:
// "N Zeichen ersetzt, die eine Projektdatei nicht speichern kann".
void ReportReplacedCharacters(int count, TPrompter& prompter);

} // namespace redewerk
