#include "ui/node_name_dialog.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace redewerk {

TFNodeName::TFNodeName(QWidget* parent) : QDialog(parent), Field(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FNodeName"));
    setWindowTitle(QStringLiteral("Namen für Objekt wählen..."));
    Field->setObjectName(QStringLiteral("Name"));
    Field->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Field);
    connect(Field, &QLineEdit::returnPressed, this, &QDialog::accept);
}

void TFNodeName::Ask(const QString& name, std::function<bool(const QString&)> validate) {
    Validate = std::move(validate);
    Field->setText(name);
    Field->selectAll();
    Field->setFocus();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    Validate = nullptr;
}

void TFNodeName::done(int result) {
    if (Validate && !Validate(Field->text())) {
        Field->setFocus();
        Field->selectAll();
        return; // stays open
    }
    QDialog::done(result);
}

} // namespace redewerk
