#pragma once

#include <string>

namespace redewerk {

// Told how a long import advances, so that a window (or the command line) can show it.
// The importers run synchronously on the calling thread; an implementation that shows a
// window must repaint it itself, because no events are processed during the run.
class TImportProgress {
public:
    virtual ~TImportProgress() = default;

    // `stageText` is the text of the current stage ("Daten einlesen..."); `step` and `count`
    // tell which of `count` steps starts now (count <= 0: the stage has no counted steps);
    // `barValue` is the bar's position from 0 to 1000.
    virtual void ShowProgress(const std::string& stageText, int step, int count, int barValue) = 0;
};

// The label shown for a progress report: the stage text, followed by " (step/count)" when
// the stage counts its steps.
inline std::string ProgressLabel(const std::string& stageText, int step, int count) {
    if (count <= 0) return stageText;
    return stageText + " (" + std::to_string(step) + "/" + std::to_string(count) + ")";
}

} // namespace redewerk
