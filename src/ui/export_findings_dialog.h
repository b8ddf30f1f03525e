#pragma once

#include "codegen/export_findings.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace redewerk {

// Lists what the generated code holds that the game's compiler would refuse (file, line,
// column, message, block) and asks "Trotzdem exportieren?". "Ja" exports all the same; "Nein",
// Escape and closing write nothing. A double-click on a finding that names a block closes the
// window without exporting and leaves that block to be selected.
class TFExportFindings : public QDialog {
    Q_OBJECT
public:
    explicit TFExportFindings(QWidget* parent = nullptr);

    // Shows the findings modally; true for "Ja".
    bool Review(const std::vector<TExportFinding>& findings);
    // The block of the finding the user double-clicked in the last review, or -1.
    int32_t ChosenBlock() const { return Chosen; }

    QTreeWidget* List() const { return Table; }
    QPushButton* YesButton() const { return Yes; }
    QPushButton* NoButton() const { return No; }

    // Fills the list, as Review does before it shows the window.
    void ShowFindings(const std::vector<TExportFinding>& findings);
    // The finding in `row` was double-clicked.
    void GoToFinding(int row);

private:
    QLabel* Summary;
    QTreeWidget* Table;
    QPushButton* Yes;
    QPushButton* No;
    std::vector<int32_t> RowBlocks; // the block of each row, -1 for none
    int32_t Chosen = -1;
};

} // namespace redewerk
