#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

namespace redewerk {

// "Namen für Objekt wählen...": asks for a node's name. Every attempt to close it (Enter,
// Escape, the close button) runs the validator, and it closes only when that accepts the
// name, so it cannot be left without a valid, unique name.
class TFNodeName : public QDialog {
    Q_OBJECT
public:
    explicit TFNodeName(QWidget* parent = nullptr);

    // Shows the dialog modally with `name` in the field until `validate` accepts a name.
    void Ask(const QString& name, std::function<bool(const QString&)> validate);

    QLineEdit* NameField() const { return Field; }

public slots:
    void done(int result) override;

private:
    QLineEdit* Field;
    std::function<bool(const QString&)> Validate;
};

} // namespace redewerk
