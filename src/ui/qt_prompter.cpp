#include "ui/qt_prompter.h"

#include "ui/get_name_dialog.h"
#include "ui/text_codec.h"

#include <QMessageBox>
#include <QPushButton>

namespace redewerk {

TQtPrompter::TQtPrompter(QWidget* parent) : Parent(parent) {}

TQtPrompter::~TQtPrompter() = default; // the name question belongs to its parent window

void TQtPrompter::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Redewerk"), ToQt(text), QMessageBox::Ok,
                    Parent);
    box.exec();
}

std::string TQtPrompter::AskText(const std::string& message, const std::string& prefilled) {
    if (!NameQuestion) NameQuestion = new TFGetName(Parent);
    return FromQt(NameQuestion->Ask(ToQt(message), ToQt(prefilled)));
}

bool TQtPrompter::AskOkCancel(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text),
                    QMessageBox::Ok | QMessageBox::Cancel, Parent);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool TQtPrompter::AskYesNo(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text),
                    QMessageBox::Yes | QMessageBox::No, Parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

TPrompter::TOverwriteAnswer TQtPrompter::AskOverwrite(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), ToQt(text),
                    QMessageBox::NoButton, Parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&Abbrechen"), QMessageBox::RejectRole);
    QPushButton* all = box.addButton(QStringLiteral("A&lle Ja"), QMessageBox::YesRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) return TOverwriteAnswer::Yes;
    if (box.clickedButton() == all) return TOverwriteAnswer::YesToAll;
    return TOverwriteAnswer::Abort; // abort, or the box was closed
}

TPrompter::TSaveAnswer TQtPrompter::AskSaveChanges(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Redewerk"), ToQt(text),
                    QMessageBox::NoButton, Parent);
    QPushButton* save = box.addButton(QStringLiteral("Speichern"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return TSaveAnswer::Save;
    if (box.clickedButton() == discard) return TSaveAnswer::Discard;
    return TSaveAnswer::Cancel; // cancelled, or the box was closed
}

} // namespace redewerk
