#pragma once

#include "model/text_lines.h"

#include <string>
#include <vector>

namespace redewerk {

class TPrompter;

// Maps the clear names that users give NPCs to the instance names the scripts need.
// Unsorted, duplicates allowed, lookups take the first exact (case-sensitive) match.
// Both directions learn new pairs, asking the user where no name can be derived.
class TNpcList {
public:
    std::vector<std::string> ClearNames;
    std::vector<std::string> InstanceNames; // entry i belongs to ClearNames[i]

    // May ask "Instanzname von " + clear name and learns the answer.
    std::string InstanceNameOf(const std::string& clearName, TPrompter& prompter);
    // Derives the clear name from the text after the last underscore, or asks
    // "Klarname von " + instance name when that is shorter than 3 characters.
    std::string ClearNameOf(const std::string& instanceName, TPrompter& prompter);

    void Add(std::string clearName, std::string instanceName);

    // The table as the NPC list window shows it: one "clear name=instance name" per entry.
    TLines AsLines() const;
    // Rebuilds the table from such lines, in their order. Empty lines are skipped; the first
    // "=" separates, and nothing is trimmed. A line without "=" is left out with the message
    // "NpcListe: In jeder Zeile muss: = enthalten sein." (one per line); false when any was.
    // A name that a project file could not hold gets "_" for its control characters.
    bool RebuildFromLines(const TLines& lines, TPrompter& prompter);
    int Count() const { return static_cast<int>(ClearNames.size()); }
    void Clear();
};

} // namespace redewerk
