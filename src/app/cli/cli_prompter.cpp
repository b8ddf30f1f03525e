#include "app/cli/cli_prompter.h"

#include "model/cp1252.h"

#include <ostream>

namespace redewerk {
namespace {

// Messages are written for message boxes, with CR LF inside; a terminal wants LF alone.
std::string ForTerminal(const std::string& text) {
    std::string out;
    const std::string utf8 = Cp1252ToUtf8(text);
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            out += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

} // namespace

void TCliPrompter::ShowMessage(const std::string& text) {
    Err << ForTerminal(text) << "\n";
}

std::string TCliPrompter::AskText(const std::string& message, const std::string& prefilled) {
    Err << ForTerminal(message) << ": " << ForTerminal(prefilled) << "\n";
    return prefilled;
}

bool TCliPrompter::AskOkCancel(const std::string& text, const std::string&) {
    Err << ForTerminal(text) << " [OK]\n";
    return true;
}

bool TCliPrompter::AskYesNo(const std::string& text, const std::string&) {
    Err << ForTerminal(text) << " [Ja]\n";
    return true;
}

TPrompter::TOverwriteAnswer TCliPrompter::AskOverwrite(const std::string& text) {
    Err << ForTerminal(text)
        << (OverwriteAnswer == TOverwriteAnswer::Abort ? " [Abbrechen]\n" : " [Ja]\n");
    return OverwriteAnswer;
}

} // namespace redewerk
