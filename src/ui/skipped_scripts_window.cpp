#include "ui/skipped_scripts_window.h"

#include "import/importer.h"
#include "ui/text_codec.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace redewerk {

std::string SkippedScriptsHeading(size_t skipped, size_t total) {
    return std::to_string(skipped) + " von " + std::to_string(total) +
           (total == 1 ? " Datei" : " Dateien") + " \xFC" + "bersprungen:";
}

TFSkippedScripts::TFSkippedScripts(QWidget* parent)
    : QDialog(parent), HeadingLabel(new QLabel(this)), LineText(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("FSkippedScripts"));
    setWindowTitle(QStringLiteral("Importieren"));
    HeadingLabel->setObjectName(QStringLiteral("LblSkipped"));
    LineText->setObjectName(QStringLiteral("SkippedScripts"));
    LineText->setAccessibleName(QStringLiteral("Übersprungene Dateien"));
    LineText->setReadOnly(true);
    LineText->setLineWrapMode(QPlainTextEdit::NoWrap);
    LineText->setMinimumSize(560, 200);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeadingLabel);
    layout->addWidget(LineText, 1);
    layout->addWidget(buttons);
}

void TFSkippedScripts::ShowReport(const std::vector<TSkippedScript>& skipped, size_t total) {
    const QString heading = ToQt(SkippedScriptsHeading(skipped.size(), total));
    HeadingLabel->setText(heading);
    LineText->setAccessibleDescription(heading);
    QStringList lines;
    for (const TSkippedScript& script : skipped)
        lines << ToQt(script.Report());
    LineText->setPlainText(lines.join(QLatin1Char('\n')));
    exec();
}

} // namespace redewerk
