#include "ui/variables_window.h"

#include "model/project.h"
#include "model/storable_text.h"
#include "ui/text_codec.h"
#include "ui/text_editing.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace redewerk {

TFIntList::TFIntList(TProject& project, QWidget* parent)
    : QDialog(parent), Project(project), Lines(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("FIntList"));
    setWindowTitle(QStringLiteral("Variablen und Makros"));
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    Lines->setObjectName(QStringLiteral("VariablesText"));
    Lines->setAccessibleName(QStringLiteral("Variablen und Makros"));
    Lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    Lines->setTabChangesFocus(false);
    Lines->setContextMenuPolicy(Qt::CustomContextMenu);
    const QFont code = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Lines->setFont(code);
    Lines->setTabStopDistance(QFontMetricsF(code).horizontalAdvance(QLatin1Char(' ')) * 4);
    Lines->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lines);
    connect(Lines, &QPlainTextEdit::textChanged, this, &TFIntList::StoreText);
    resize(560, 420);
    ShowProjectText();
}

void TFIntList::ShowAbove() {
    show();
    raise();
}

void TFIntList::ShowProjectText() {
    Showing = true;
    Lines->setPlainText(LinesToQt(Project.Variables));
    Showing = false;
}

void TFIntList::StoreText() {
    if (Showing) return;
    Project.Variables = StorableLines(LinesFromQt(EditorText(Lines)));
    emit Edited();
}

bool TFIntList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Lines && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            AutoIndentNewLine(Lines);
            return true;
        }
        // Ctrl+Alt+0 (AltGr+0) on a German keyboard: the brace is typed after the dedent.
        if (key->text() == QStringLiteral("}")) DedentBeforeBrace(Lines);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace redewerk
