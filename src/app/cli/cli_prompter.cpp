#include "app/cli/cli_prompter.h"

#include "model/cp1252.h"

#include <ostream>

namespace redewerk {

void TCliPrompter::ShowMessage(const std::string& text) {
    ++Messages;
    Err << Cp1252ToUtf8(text) << "\n";
}

std::string TCliPrompter::AskText(const std::string& message, const std::string& prefilled) {
    Err << Cp1252ToUtf8(message) << ": " << Cp1252ToUtf8(prefilled) << "\n";
    return prefilled;
}

bool TCliPrompter::AskOkCancel(const std::string& text, const std::string&) {
    Err << Cp1252ToUtf8(text) << " [OK]\n";
    return true;
}

bool TCliPrompter::AskYesNo(const std::string& text, const std::string&) {
    Err << Cp1252ToUtf8(text) << " [Ja]\n";
    return true;
}

TPrompter::TOverwriteAnswer TCliPrompter::AskOverwrite(const std::string& text) {
    Err << Cp1252ToUtf8(text)
        << (OverwriteAnswer == TOverwriteAnswer::Abort ? " [Abbrechen]\n" : " [Ja]\n");
    return OverwriteAnswer;
}

} // namespace redewerk
