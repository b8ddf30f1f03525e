#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace redewerk {

class TFileSystem;

// "Hilfe": readme.txt in a window of the program, for a system that has no viewer for it. The
// text is read-only; Ctrl+F shows a search field in which Enter or F3 finds the next match
// and Shift+Enter or Shift+F3 the one before, going round at the ends, without regard to
// letter case. Escape in the field hides it again.
class TFHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFHelp(QWidget* parent = nullptr);

    void ShowText(const QString& text);
    void StartSearch();
    // Selects the next (or previous) match of the search field's text; false when there is
    // none, which the window says beside the field.
    bool FindNext(bool backward = false);

    QPlainTextEdit* Text() const { return Viewer; }
    QLineEdit* SearchField() const { return Search; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HideSearch();

    QPlainTextEdit* Viewer;
    QWidget* SearchRow;
    QLineEdit* Search;
    QLabel* NotFound;
};

// Where "Hilfe" finds readme.txt: beside the program, or where an installation puts it
// (share/redewerk beside the program's bin folder); empty when neither holds it.
QString FindReadme(const QString& programFolder, TFileSystem& files);

} // namespace redewerk
