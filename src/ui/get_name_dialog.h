#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace redewerk {

// The name question "Namen eingeben...": a message line and one text field. There is no
// cancel; however the window is closed, the field's text is the answer.
class TFGetName : public QDialog {
    Q_OBJECT
public:
    explicit TFGetName(QWidget* parent = nullptr);

    // Shows the question modally and returns the field's text when it closes.
    QString Ask(const QString& message, const QString& prefilled);

    QLineEdit* Instance() const { return InstanceField; }

public slots:
    void reject() override { accept(); }

private:
    QLabel* Message;
    QLineEdit* InstanceField;
};

} // namespace redewerk
