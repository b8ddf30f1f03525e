#pragma once

#include "model/colours.h"

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;

namespace redewerk {

// "Farbwahl": one button per colour class beside its caption, each showing its colour.
// A button opens the system colour chooser; a chosen colour is stored at once. There is no
// OK or Cancel: the owner applies the colours when the dialog closes.
class TFColor : public QDialog {
    Q_OBJECT
public:
    TFColor(TColourTable& colours, QWidget* parent = nullptr);

    // Asks for a colour; returns an invalid colour when the user cancels. Tests replace it.
    std::function<QColor(const QColor& initial, const QString& caption)> PickColour;

    QPushButton* Button(TColourClass colourClass) const;
    // Shows the current colours on the buttons.
    void Refresh();
    void PickFor(TColourClass colourClass);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TColourTable& Colours;
    std::vector<QPushButton*> Buttons;
};

} // namespace redewerk
