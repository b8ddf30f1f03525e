#pragma once

#include <functional>
#include <string>

namespace redewerk {

// The clear name of an NPC instance name, as the NPC table gives it (it may ask the user).
using TClearNameLookup = std::function<std::string(const std::string& instanceName)>;

// The condition term of one COND line and, for an unknown condition kind, its message.
struct TDiaCondition {
    std::string Term;
    std::string Error;
};

// Builds the term of a COND line (leading blanks already stripped). The keyword picks the kind:
// CONDCODE "(code)", CONDFUNC "func()", CONDITEM an Npc_HasItems test of the hero, CONDDIA a
// known-reference to another dialog written as a path. Alternatives separated by ";" are joined
// with "||". `person` is the instance name of the current NPC; `inOption` tells that the line
// belongs to an option, whose node lies one level deeper than a dialog's.
TDiaCondition BuildDiaCondition(const std::string& line, const std::string& person, bool inOption,
                                const TClearNameLookup& clearNameOf);

} // namespace redewerk
