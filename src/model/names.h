#pragma once

#include <string_view>

namespace redewerk {

// True when the name contains a character that node names may not hold: node paths,
// instance names and references all rely on names made of letters, digits and "_".
// The refused characters: > * ~ blank ? , : ; ! & . | " § % \ / ( ) [ ] + - < # ä ö ü Ä Ö Ü ß
bool HasSpecialChars(std::string_view name);

} // namespace redewerk
