#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace redewerk {

struct TSkippedScript;

// The one summary after an import that left scripts out: "3 von 352 Dateien übersprungen:"
// above one line per script ("DATEI:ZEILE:SPALTE: MELDUNG"), in a text that scrolls and can
// be copied, so that a modder can work through the list in the scripts.
class TFSkippedScripts : public QDialog {
    Q_OBJECT
public:
    explicit TFSkippedScripts(QWidget* parent = nullptr);

    // Fills the window with the scripts left out of `total` listed ones and shows it modally.
    void ShowReport(const std::vector<TSkippedScript>& skipped, size_t total);

    QLabel* Heading() const { return HeadingLabel; }
    QPlainTextEdit* Lines() const { return LineText; }

private:
    QLabel* HeadingLabel;
    QPlainTextEdit* LineText;
};

// "3 von 352 Dateien übersprungen:" (Windows-1252).
std::string SkippedScriptsHeading(size_t skipped, size_t total);

} // namespace redewerk
