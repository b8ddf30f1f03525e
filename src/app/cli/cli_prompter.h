#pragma once

#include "model/prompter.h"

#include <iosfwd>

namespace redewerk {

// The command line's answer source: messages and questions go to stderr in UTF-8, and each
// question is answered with its default (the prefilled text, OK, Yes), so that a build
// pipeline never waits for input. The overwrite answer is set by the command.
class TCliPrompter : public TPrompter {
public:
    explicit TCliPrompter(std::ostream& err,
                          TOverwriteAnswer overwriteAnswer = TOverwriteAnswer::Abort)
        : Err(err), OverwriteAnswer(overwriteAnswer) {}

    void ShowMessage(const std::string& text) override;
    std::string AskText(const std::string& message, const std::string& prefilled) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    TOverwriteAnswer AskOverwrite(const std::string& text) override;

private:
    std::ostream& Err;
    TOverwriteAnswer OverwriteAnswer;
};

} // namespace redewerk
