#pragma once

#include "gamefiles/output_units.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace redewerk {

// Gathers the spoken lines of Daedalus scripts: every call AI_Output (a, b, "NAME"); with
// the comment after it as the subtitle. The lexer finds the calls, so calls inside comments
// and strings do not count, and AI_Output may be written in any letter case. The subtitle is
// the rest of the line after "//" without the blanks around it; a call without a comment has
// an empty subtitle.
//
// Each name is taken once, with its first text, in the order in which the names first
// occur: scripts in the order they are added, each from top to bottom. A name that occurs
// again with another text gives a warning that names both places.
class TOutputUnitCollector {
public:
    // Adds the calls of one script (Windows-1252 text); `fileName` names it in messages.
    // A lexical fault adds nothing of the script and gives false with the message in `error`
    // ("file:line: message").
    bool AddScript(std::string_view text, const std::string& fileName, std::string& error);

    const std::vector<TOutputUnit>& Units() const { return Found; }
    // "file:line: Warnung: ...", in the order found.
    const std::vector<std::string>& Warnings() const { return Warned; }

private:
    struct TPlace {
        std::string File;
        int32_t Line = 0;
    };
    struct TCall {
        TOutputUnit Unit;
        int32_t Line = 0;
    };

    void Take(TCall call, const std::string& fileName);

    std::vector<TOutputUnit> Found;
    std::vector<TPlace> Places; // where each of Found was first seen
    std::unordered_map<std::string, size_t> ByKey;
    std::vector<std::string> Warned;
};

// "file:line" as messages name a place.
std::string PlaceText(const std::string& fileName, int32_t line);

} // namespace redewerk
