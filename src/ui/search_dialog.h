#pragma once

#include <QDialog>

class QLineEdit;

namespace redewerk {

// "Suchen...": asks for the text to search for. The field keeps its text from one search to
// the next, so Ctrl+F and Enter search the same text again.
class TFSearch : public QDialog {
    Q_OBJECT
public:
    explicit TFSearch(QWidget* parent = nullptr);

    // Shows the dialog modally with the whole text selected. True when the user pressed Enter
    // in the field; closing the dialog any other way searches nothing.
    bool Ask();

    QLineEdit* Str() const { return Field; }

private:
    QLineEdit* Field;
};

} // namespace redewerk
