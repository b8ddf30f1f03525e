#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace redewerk {

// Block references stand between two "#" in body and condition texts. A "#" inside a "//" or
// "/* */" comment, a string literal or a spoken line (">>" or "<<" up to the line end) is
// text, not a reference, so the scan steps over those constructs.

// The 0-based position of the next "#" that opens a reference, searching from `from`, or
// npos. A comment, string or spoken line that is not closed ends the scan without a result.
size_t FindReferenceMarker(std::string_view text, size_t from);

// Calls `replace` with the text between the two "#" of every reference, in order, and puts
// what it returns in place of the whole reference, markers included. A "#" without a closing
// "#" ends the scan; the rest of the text is kept as it is.
std::string ReplaceReferences(std::string_view text,
                              const std::function<std::string(std::string_view inner)>& replace);

// Reads a reference's id: decimal digits, perhaps after a minus, nothing else. False when the
// text is not such a number or does not fit into 32 bits.
bool ParseReferenceId(std::string_view text, int32_t& id);

} // namespace redewerk
