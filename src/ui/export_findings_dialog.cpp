#include "ui/export_findings_dialog.h"

#include "ui/text_codec.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace redewerk {

TFExportFindings::TFExportFindings(QWidget* parent)
    : QDialog(parent), Summary(new QLabel(this)), Table(new QTreeWidget(this)),
      Yes(new QPushButton(QStringLiteral("Ja"), this)),
      No(new QPushButton(QStringLiteral("Nein"), this)) {
    setObjectName(QStringLiteral("FExportFindings"));
    setWindowTitle(QStringLiteral("Exportieren"));
    Table->setObjectName(QStringLiteral("Findings"));
    Table->setAccessibleName(QStringLiteral("Fehler im erzeugten Code"));
    Table->setHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Zeile"),
                            QStringLiteral("Spalte"), QStringLiteral("Meldung"),
                            QStringLiteral("Baustein")});
    Table->setRootIsDecorated(false);
    Table->setUniformRowHeights(true);
    Table->setAllColumnsShowFocus(true);
    Table->setMinimumSize(760, 220);
    Summary->setBuddy(Table);
    Yes->setObjectName(QStringLiteral("Ja"));
    No->setObjectName(QStringLiteral("Nein"));
    // Writing code that will not compile takes a deliberate "Ja": Escape says no, and Enter
    // in the list goes to the finding.
    No->setDefault(true);
    Yes->setAutoDefault(false);

    auto* question = new QLabel(QStringLiteral("Trotzdem exportieren?"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(question);
    buttons->addStretch(1);
    buttons->addWidget(Yes);
    buttons->addWidget(No);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Summary);
    layout->addWidget(Table, 1);
    layout->addLayout(buttons);

    connect(Yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(No, &QPushButton::clicked, this, &QDialog::reject);
    connect(Table, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { GoToFinding(Table->indexOfTopLevelItem(item)); });
}

void TFExportFindings::ShowFindings(const std::vector<TExportFinding>& findings) {
    Table->clear();
    RowBlocks.clear();
    Chosen = -1;
    QList<QTreeWidgetItem*> rows;
    for (const auto& finding : findings) {
        auto* row = new QTreeWidgetItem({ToQt(finding.File), QString::number(finding.Line),
                                         QString::number(finding.Column), ToQt(finding.Message),
                                         ToQt(finding.Origin)});
        row->setTextAlignment(1, Qt::AlignRight);
        row->setTextAlignment(2, Qt::AlignRight);
        row->setToolTip(3, ToQt(finding.Message));
        rows.append(row);
        RowBlocks.push_back(finding.Id);
    }
    Table->addTopLevelItems(rows);
    for (int column : {0, 1, 2, 3})
        Table->resizeColumnToContents(column);
    if (!rows.isEmpty()) Table->setCurrentItem(rows.first());
    Summary->setText(
        findings.size() == 1
            ? QStringLiteral("Der erzeugte Code enthält einen Fehler, an dem der Compiler des "
                             "Spiels abbrechen würde. Ein Doppelklick zeigt den Baustein.")
            : QStringLiteral("Der erzeugte Code enthält %1 Fehler, an denen der Compiler des "
                             "Spiels abbrechen würde. Ein Doppelklick zeigt den Baustein.")
                  .arg(findings.size()));
}

bool TFExportFindings::Review(const std::vector<TExportFinding>& findings) {
    ShowFindings(findings);
    Table->setFocus();
    return exec() == QDialog::Accepted;
}

void TFExportFindings::GoToFinding(int row) {
    if (row < 0 || static_cast<size_t>(row) >= RowBlocks.size() || RowBlocks[row] < 0) return;
    Chosen = RowBlocks[row];
    reject();
}

} // namespace redewerk
