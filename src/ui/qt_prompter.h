#pragma once

#include "model/prompter.h"

class QWidget;

namespace redewerk {

class TFGetName;

// The editor's prompter: message boxes and questions as modal Qt dialogs over the main
// window, the name question as the window "Namen eingeben...".
class TQtPrompter : public TPrompter {
public:
    explicit TQtPrompter(QWidget* parent = nullptr);
    ~TQtPrompter() override;

    void SetParent(QWidget* parent) { Parent = parent; }

    void ShowMessage(const std::string& text) override;
    std::string AskText(const std::string& message, const std::string& prefilled) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    TOverwriteAnswer AskOverwrite(const std::string& text) override;
    TSaveAnswer AskSaveChanges(const std::string& text) override;

private:
    QWidget* Parent;
    TFGetName* NameQuestion = nullptr; // created on first use, kept for the whole run
};

} // namespace redewerk
