#pragma once

#include <string>

namespace redewerk {

// Every message box, question and name prompt the core needs goes through this interface.
// The Qt editor shows real dialogs, the command-line tool prints to stderr and answers with
// the prefilled default, and tests script the answers.
class TPrompter {
public:
    // The three answers of the overwrite question ("&Ja", "&Abbrechen", "A&lle Ja").
    enum class TOverwriteAnswer { Yes, Abort, YesToAll };
    // The three answers before unsaved changes would be lost.
    enum class TSaveAnswer { Save, Discard, Cancel };

    virtual ~TPrompter() = default;

    // A message box with an OK button. The text is Windows-1252.
    virtual void ShowMessage(const std::string& text) = 0;

    // The name question: a message line and a text field filled with `prefilled`.
    // There is no cancel; the field's text is the answer.
    virtual std::string AskText(const std::string& message, const std::string& prefilled) = 0;

    // A confirmation with OK and Cancel; true for OK. `caption` is the window title.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;

    // A question with Yes and No; true for Yes. `caption` is the window title.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;

    // The confirmation box titled "Bestätigung" with yes, abort and yes-to-all.
    virtual TOverwriteAnswer AskOverwrite(const std::string& text) = 0;

    // The question with "Speichern", "Verwerfen" and "Abbrechen" before unsaved changes would
    // be lost. Only the editor asks it; a prompter that cannot ask keeps the changes.
    virtual TSaveAnswer AskSaveChanges(const std::string& text) {
        (void)text;
        return TSaveAnswer::Cancel;
    }
};

} // namespace redewerk
