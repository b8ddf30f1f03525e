#include "ui/get_name_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace redewerk {

TFGetName::TFGetName(QWidget* parent)
    : QDialog(parent), Message(new QLabel(this)), InstanceField(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Namen eingeben..."));
    setObjectName(QStringLiteral("FGetName"));
    InstanceField->setObjectName(QStringLiteral("Instance"));
    InstanceField->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Message);
    layout->addWidget(InstanceField);
    connect(InstanceField, &QLineEdit::returnPressed, this, &QDialog::accept);
}

QString TFGetName::Ask(const QString& message, const QString& prefilled) {
    Message->setText(message);
    InstanceField->setAccessibleName(message); // the field's only label is the message
    InstanceField->setText(prefilled);
    InstanceField->selectAll();
    InstanceField->setFocus();
    exec();
    return InstanceField->text();
}

} // namespace redewerk
