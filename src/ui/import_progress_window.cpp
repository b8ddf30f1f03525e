#include "ui/import_progress_window.h"

#include "ui/text_codec.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace redewerk {

TFImportProgress::TFImportProgress(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      MainWindow(mainWindow), LblProgress(new QLabel(QStringLiteral("Progress..."), this)),
      ProgressBar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("FImportProgress"));
    setWindowTitle(QStringLiteral("Importieren..."));
    setWindowModality(Qt::NonModal);
    LblProgress->setObjectName(QStringLiteral("LBL_Progress"));
    LblProgress->setAlignment(Qt::AlignCenter);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 1000);
    ProgressBar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblProgress);
    layout->addWidget(ProgressBar);
    setMinimumWidth(360);
}

void TFImportProgress::ShowProgress(const std::string& stageText, int step, int count,
                                    int barValue) {
    LblProgress->setText(ToQt(ProgressLabel(stageText, step, count)));
    ProgressBar->setValue(barValue);
    if (isVisible()) repaint();
    if (!MainWindow || !MainWindow->isVisible()) return;
    if (stageText != LastStage || !SinceMainRepaint.isValid() ||
        SinceMainRepaint.elapsed() >= 100) {
        LastStage = stageText;
        MainWindow->repaint();
        SinceMainRepaint.start();
    }
}

} // namespace redewerk
