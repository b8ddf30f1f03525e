#pragma once

#include "import/dia_element.h"

#include <string>

namespace redewerk {

class TDiaBlockBuilder;
class TProject;
class TPrompter;

// Reads the lines of a ".dia" file one at a time. Each line is handled by the first rule that
// matches it: keyword lines (PERSON, INFO, OPT, FLAGS, NUM, DESC) open elements and fill their
// header; spoken lines, item transfers, animations, mission log commands, $IF blocks and
// choice references become body lines in the editor's own notation; COND lines become
// condition terms. Lines that match no rule are ignored.
class TDiaReader {
public:
    TDiaReader(TProject& project, TPrompter& prompter, TDiaBlockBuilder& builder);

    void HandleLine(std::string line);
    // Commits the element still open at the end of the file.
    void Finish() { Commit(); }

private:
    void Commit();
    // Sets off a new kind of line by an empty line: unless the last line contains `marker`
    // (when one is given) or an opening brace.
    void BlankLineBefore(const std::string& marker);
    void AppendBlankIfNotEmpty();

    void HandleComment(const std::string& line);
    void HandleRawLine(const std::string& rest);
    bool HandleHeaderKeyword(const std::string& keyword, std::string rest);
    void HandleCondition(const std::string& line);
    void HandleItemTransfer(const std::string& line);
    void HandleAnimation(const std::string& line);
    void HandleSpokenLine(const std::string& line);
    bool HandleCommandKeyword(const std::string& keyword, std::string rest);
    void HandleLogEntry(const std::string& keyword, std::string rest);
    void HandleChoiceReference(const std::string& line);
    void HandlePickpocket(std::string rest);

    TProject& Project;
    TPrompter& Prompter;
    TDiaBlockBuilder& Builder;
    QDC_Element Element;
};

// The description of the pickpocket dialog for difficulty `difficulty`.
std::string PickpocketDescription(int difficulty, bool femaleVictim);

} // namespace redewerk
