#pragma once

#include <QFrame>
#include <QString>

class QPlainTextEdit;

namespace redewerk {

// The small square at the top right corner of a code editor that shows the last syntax
// check: green with the hint "Syntax ok", red with the error message. It sits where the
// vertical scroll bar would be and moves left of the bar while the bar is shown. Its
// accessible description is its hint, so a screen reader reads the message too.
class TSyntaxPanel : public QFrame {
    Q_OBJECT
public:
    // `name` is the accessible name ("Syntaxprüfung Text", ...).
    TSyntaxPanel(QPlainTextEdit* editor, const QString& name);

    void ShowOk(const QString& hint);
    void ShowError(const QString& message);
    bool IsRed() const { return Red; }
    QString Hint() const { return toolTip(); }

    // Places the panel by the editor's current size and scroll bar.
    void Adjust();

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const QColor& colour, const QString& hint);

    QPlainTextEdit* Editor;
    bool Red = false;
};

} // namespace redewerk
