#include "ui/search_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace redewerk {

TFSearch::TFSearch(QWidget* parent) : QDialog(parent), Field(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FSearch"));
    setWindowTitle(QStringLiteral("Suchen..."));
    Field->setObjectName(QStringLiteral("Str"));
    Field->setMinimumWidth(300);
    auto* prompt = new QLabel(QStringLiteral("zu suchenden Text eingeben..."), this);
    prompt->setBuddy(Field);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(Field);
    connect(Field, &QLineEdit::returnPressed, this, &QDialog::accept);
}

bool TFSearch::Ask() {
    Field->selectAll();
    Field->setFocus();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return exec() == QDialog::Accepted;
}

} // namespace redewerk
