#include "ui/help_window.h"

#include "model/file_system.h"
#include "ui/text_codec.h"

#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QVBoxLayout>

#ifndef REDEWERK_README_FROM_BIN
#define REDEWERK_README_FROM_BIN "../share/redewerk"
#endif

namespace redewerk {

TFHelp::TFHelp(QWidget* parent)
    : QDialog(parent), Viewer(new QPlainTextEdit(this)), SearchRow(new QWidget(this)),
      Search(new QLineEdit(SearchRow)), NotFound(new QLabel(SearchRow)) {
    setObjectName(QStringLiteral("FHelp"));
    setWindowTitle(QStringLiteral("Hilfe"));
    setModal(false);
    Viewer->setObjectName(QStringLiteral("HelpText"));
    Viewer->setAccessibleName(QStringLiteral("Hilfe"));
    Viewer->setReadOnly(true);
    Viewer->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The text is laid out in columns.
    Viewer->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* label = new QLabel(QStringLiteral("Suchen:"), SearchRow);
    label->setBuddy(Search);
    Search->setObjectName(QStringLiteral("HelpSearch"));
    Search->setAccessibleName(QStringLiteral("Suchen"));
    Search->installEventFilter(this);
    NotFound->setObjectName(QStringLiteral("HelpNotFound"));
    auto* row = new QHBoxLayout(SearchRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(Search, 1);
    row->addWidget(NotFound);
    SearchRow->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Viewer, 1);
    layout->addWidget(SearchRow);

    const auto shortcut = [this](const QKeySequence& keys, auto act) {
        auto* key = new QShortcut(keys, this);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, act);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { StartSearch(); });
    shortcut(QKeySequence(Qt::Key_F3), [this] { FindNext(false); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindNext(true); });
    // Typing searches from the start of the current match on.
    connect(Search, &QLineEdit::textEdited, this, [this] {
        QTextCursor cursor = Viewer->textCursor();
        cursor.setPosition(cursor.selectionStart());
        Viewer->setTextCursor(cursor);
        FindNext(false);
    });
    resize(720, 640);
}

void TFHelp::ShowText(const QString& text) {
    if (Viewer->toPlainText() != text) Viewer->setPlainText(text);
}

void TFHelp::StartSearch() {
    SearchRow->show();
    Search->setFocus(Qt::ShortcutFocusReason);
    Search->selectAll();
}

void TFHelp::HideSearch() {
    SearchRow->hide();
    NotFound->clear();
    Viewer->setFocus(Qt::OtherFocusReason);
}

bool TFHelp::FindNext(bool backward) {
    const QString text = Search->text();
    NotFound->clear();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (Viewer->find(text, flags)) return true;
    // Round the end: once more from the other end of the text.
    const QTextCursor before = Viewer->textCursor();
    QTextCursor cursor = before;
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    Viewer->setTextCursor(cursor);
    if (Viewer->find(text, flags)) return true;
    Viewer->setTextCursor(before);
    NotFound->setText(QStringLiteral("nicht gefunden"));
    return false;
}

bool TFHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Search && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindNext(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) { // hides the field, not the window
            HideSearch();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString FindReadme(const QString& programFolder, TFileSystem& files) {
    const QDir folder(programFolder);
    for (const QString& path :
         {folder.filePath(QStringLiteral("readme.txt")),
          QDir::cleanPath(folder.filePath(QStringLiteral(REDEWERK_README_FROM_BIN "/readme.txt")))})
        if (files.FileExists(PathFromQt(path))) return path;
    return {};
}

} // namespace redewerk
