#pragma once

#include "import/progress.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace redewerk {

// "Importieren...": one text line above a bar from 0 to 1000. The import runs on the
// user-interface thread without processing events, so the window repaints itself at every
// step; the window behind it (the main window, where the new nodes appear) is repainted at
// each new stage and at most every 100 ms in between, so that a large import does not spend
// its time drawing the tree.
class TFImportProgress : public QWidget, public TImportProgress {
    Q_OBJECT
public:
    explicit TFImportProgress(QWidget* mainWindow = nullptr);

    void ShowProgress(const std::string& stageText, int step, int count, int barValue) override;

    QLabel* Label() const { return LblProgress; }
    QProgressBar* Bar() const { return ProgressBar; }

private:
    QWidget* MainWindow;
    QLabel* LblProgress;
    QProgressBar* ProgressBar;
    std::string LastStage;
    QElapsedTimer SinceMainRepaint;
};

} // namespace redewerk
