#include "ui/main_window.h"

#include "codegen/exporter.h"
#include "model/element.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"
#include "model/prompter.h"
#include "ui/block_tree_model.h"
#include "ui/block_tree_view.h"
#include "ui/colour_dialog.h"
#include "ui/edit_actions.h"
#include "ui/export_dialog.h"
#include "ui/export_findings_dialog.h"
#include "ui/help_window.h"
#include "ui/import_dialog.h"
#include "ui/node_name_dialog.h"
#include "ui/npc_list_dialog.h"
#include "ui/quarn_import_dialog.h"
#include "ui/search_dialog.h"
#include "ui/text_codec.h"
#include "ui/variables_window.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace redewerk {
namespace {

QLabel* MakeLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The right side: the header above, the body editor below. However small the window and
// wherever the handle is dragged, the body keeps at least half of the height; the header
// gives way, its condition editor first, then it scrolls.
class TBodySplitter : public QSplitter {
public:
    TBodySplitter() : QSplitter(Qt::Vertical) {
        connect(this, &QSplitter::splitterMoved, this, [this] { KeepBodyHalf(); });
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QSplitter::resizeEvent(event);
        KeepBodyHalf();
    }

private:
    void KeepBodyHalf() {
        const QList<int> parts = sizes();
        if (parts.size() != 2) return;
        const int total = parts[0] + parts[1];
        const int half = (total + 1) / 2;
        if (parts[1] < half) setSizes({total - half, half});
    }
};

} // namespace

TFMain::TFMain(TProject& project, TFileSystem& files, TPrompter& prompter, QWidget* parent)
    : QMainWindow(parent), Project(project), Files(files), Prompter(prompter),
      Model(new TBlockTreeModel(project.Tree, this)),
      Scheduler(SteadyClock,
                TIdleWork{[this] { Colour(Condition, ConditionHighlighter); },
                          [this] { Colour(Body, BodyHighlighter); }, [this] { CheckEditors(); }}),
      ParserNotice(&prompter), BodyParser(&ParserNotice), ConditionParser(&ParserNotice) {
    setWindowTitle(QStringLiteral("Redewerk"));
    setObjectName(QStringLiteral("FMain"));
    BuildLayout();
    BuildTreeMenu();
    BuildTextMenu();
    NodeNameDialog = new TFNodeName(this);
    ColorDialog = new TFColor(ColourTable, this);
    ExportForm = new TFExport(Compiled, Prompter, this);
    NpcListForm = new TFNPCLIST(Project.Npcs, Prompter, this);
    VariablesForm = new TFIntList(Project, this);
    FindingsForm = new TFExportFindings(this);
    SearchForm = new TFSearch(this);
    HelpForm = new TFHelp(this);
    OpenExternally = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    ConnectSignals();
    BuildFileCommands();
    UpdateTitle();
    resize(1100, 760);
}

TFMain::~TFMain() {
    // The model stops observing the tree before the view goes.
    Tree->setModel(nullptr);
}

void TFMain::BuildLayout() {
    auto* rightSplitter = new TBodySplitter;
    auto* top = new QWidget;
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(BuildHeader(), 1);
    topLayout->addWidget(BuildButtons());
    auto* topArea = new QScrollArea;
    topArea->setObjectName(QStringLiteral("HeaderArea"));
    topArea->setFrameShape(QFrame::NoFrame);
    topArea->setWidgetResizable(true);
    topArea->setWidget(top);
    topArea->setFocusPolicy(Qt::NoFocus); // only its fields take the focus
    rightSplitter->addWidget(topArea);

    Body = new TCodeEditor(QStringLiteral("Body"), QStringLiteral("Text"));
    rightSplitter->addWidget(Body);
    rightSplitter->setObjectName(QStringLiteral("BodySplitter"));
    rightSplitter->setChildrenCollapsible(false);
    rightSplitter->setStretchFactor(0, 0);
    rightSplitter->setStretchFactor(1, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(BuildLeftColumn());
    splitter->addWidget(rightSplitter);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 820});
    setCentralWidget(splitter);

    for (QWidget* field :
         std::initializer_list<QWidget*>{Heading, Npc, Nr, Description, Condition, Body})
        field->setContextMenuPolicy(Qt::CustomContextMenu);
    setTabOrder(Tree, Heading);
    setTabOrder(Heading, Npc);
    setTabOrder(Npc, Nr);
    setTabOrder(Nr, Description);
    setTabOrder(Description, Important);
    setTabOrder(Important, Permanent);
    setTabOrder(Permanent, Trade);
    setTabOrder(Trade, Condition);
    setTabOrder(Condition, Body);
}

QWidget* TFMain::BuildLeftColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 0, 4);
    Tree = new TBlockTreeView;
    Tree->setObjectName(QStringLiteral("TreeView"));
    Tree->setAccessibleName(QStringLiteral("Bausteine"));
    Tree->SetBlockModel(Model);
    layout->addWidget(Tree, 1);

    InstantCompile = new QCheckBox(QStringLiteral("Vorschau"));
    InstantCompile->setObjectName(QStringLiteral("InstantCompile"));
    InstantCompile->setToolTip(
        QStringLiteral("Aktiviert die Vorschau des markierten Bausteins im Textfeld"));
    LockBody = new QCheckBox(QStringLiteral("Vs. Beibehalten"));
    LockBody->setObjectName(QStringLiteral("LockBody"));
    LockBody->setToolTip(
        QStringLiteral("Soll die Vorschau aktiv bleiben, wenn das Textfeld betreten wird? Muss "
                       "zum Bearbeiten deaktiviert werden."));
    CheckSyntax = new QCheckBox(QStringLiteral("Syntaxüberprüfung"));
    CheckSyntax->setObjectName(QStringLiteral("CheckSyntax"));
    CheckSyntax->setToolTip(QStringLiteral("aktiviert die Syntaxüberprüfung"));

    HelpLabel = new QLabel(QStringLiteral("<u>Hilfe</u>"));
    HelpLabel->setObjectName(QStringLiteral("HelpLabel"));
    HelpLabel->setToolTip(QStringLiteral("Klick mich!"));
    HelpLabel->setCursor(Qt::PointingHandCursor);
    HelpLabel->installEventFilter(this);

    auto* switches = new QHBoxLayout;
    switches->addWidget(HelpLabel);
    switches->addStretch(1);
    for (QCheckBox* box : {InstantCompile, LockBody, CheckSyntax})
        layout->addWidget(box);
    layout->addLayout(switches);
    return column;
}

QWidget* TFMain::BuildHeader() {
    auto* header = new QWidget;
    auto* grid = new QGridLayout(header);
    grid->setContentsMargins(4, 4, 4, 0);

    // Each field is named to screen readers by its label.
    const auto makeField = [&](QLineEdit*& field, const char* name, const QString& label,
                               const QString& hint) {
        field = new QLineEdit;
        field->setObjectName(QString::fromLatin1(name));
        field->setAccessibleName(label);
        field->setToolTip(hint);
        field->installEventFilter(this);
    };
    makeField(Heading, "Heading", QStringLiteral("Überschrift (optional)"),
              QStringLiteral("dient allein der Übersicht"));
    makeField(Npc, "Npc", QStringLiteral("NPC"),
              QStringLiteral("der Name des NPCs dem dieser Dialog gehört"));
    makeField(Nr, "nr", QStringLiteral("nr"),
              QStringLiteral("entscheidet über die Reihenfolge der Dialoge im Dialogmanager"));
    makeField(Description, "description", QStringLiteral("Description"),
              QStringLiteral("Text, der im InfoManager des Spiels erscheint"));
    Nr->setMaximumWidth(90);

    HeadingLabel = MakeLabel(Heading->accessibleName(), Heading, header);
    NpcLabel = MakeLabel(Npc->accessibleName(), Npc, header);
    NrLabel = MakeLabel(Nr->accessibleName(), Nr, header);
    DescriptionLabel = MakeLabel(Description->accessibleName(), Description, header);

    Important = new QCheckBox(QStringLiteral("important"));
    Important->setObjectName(QStringLiteral("important"));
    Permanent = new QCheckBox(QStringLiteral("permanent"));
    Permanent->setObjectName(QStringLiteral("permanent"));
    Trade = new QCheckBox(QStringLiteral("trade"));
    Trade->setObjectName(QStringLiteral("trade"));
    Trade->setToolTip(QStringLiteral("Ist der Dialog ein Handelsdialog?"));

    Condition = new TCodeEditor(QStringLiteral("condition"), QStringLiteral("condition"));
    Condition->setMinimumHeight(90);
    ConditionLabel = MakeLabel(QStringLiteral("condition"), Condition, header);

    grid->addWidget(HeadingLabel, 0, 0);
    grid->addWidget(Heading, 0, 1, 1, 3);
    grid->addWidget(NpcLabel, 1, 0);
    grid->addWidget(Npc, 1, 1);
    grid->addWidget(NrLabel, 1, 2);
    grid->addWidget(Nr, 1, 3);
    grid->addWidget(DescriptionLabel, 2, 0);
    grid->addWidget(Description, 2, 1, 1, 3);
    auto* flags = new QHBoxLayout;
    for (QCheckBox* flag : {Important, Permanent, Trade})
        flags->addWidget(flag);
    flags->addStretch(1);
    grid->addLayout(flags, 3, 1, 1, 3);
    grid->addWidget(ConditionLabel, 4, 0, Qt::AlignTop);
    grid->addWidget(Condition, 4, 1, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    return header;
}

QWidget* TFMain::BuildButtons() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 4, 0);
    const auto makeButton = [&](QPushButton*& button, const QString& caption, const QString& hint) {
        button = new QPushButton(caption);
        button->setObjectName(caption);
        button->setToolTip(hint);
        layout->addWidget(button);
    };
    // "Laden" opens the dialog; its arrow offers the projects opened last.
    LoadButton = new QToolButton;
    LoadButton->setText(QStringLiteral("Laden"));
    LoadButton->setObjectName(QStringLiteral("Laden"));
    LoadButton->setAccessibleName(QStringLiteral("Laden"));
    LoadButton->setToolTip(QStringLiteral("eine .dlx Datei laden"));
    LoadButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    LoadButton->setPopupMode(QToolButton::MenuButtonPopup);
    LoadButton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    RecentPopup = new QMenu(QStringLiteral("Zuletzt geöffnet"), LoadButton);
    RecentPopup->setObjectName(QStringLiteral("RecentMenu"));
    LoadButton->setMenu(RecentPopup);
    layout->addWidget(LoadButton);
    makeButton(SaveButton, QStringLiteral("Speichern"),
               QStringLiteral("Projekt als .dlx Datei speichern"));
    makeButton(ExportButton, QStringLiteral("Exportieren"),
               QStringLiteral("Projekt als als Daedalus Code exportieren"));
    makeButton(QdcImportButton, QStringLiteral("QDC-Import"),
               QStringLiteral("Quarn Dialog Creator Datei importieren"));
    makeButton(ImportButton, QStringLiteral("Importieren"),
               QStringLiteral("Gothic Dialoge importieren"));
    makeButton(NpcListButton, QStringLiteral("Npc-Liste"),
               QStringLiteral("Zuordnung von Npc zu Instanzname"));
    makeButton(VariablesButton, QStringLiteral("Variablen"),
               QStringLiteral("für globale Variablen und Markos"));
    layout->addStretch(1);
    return column;
}

void TFMain::ConnectSignals() {
    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(Model->NodeOf(current)); });
    connect(Model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &TFMain::ForgetShownNode);
    connect(Model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ShownNode = nullptr; });
    connect(Model, &QAbstractItemModel::modelReset, this, &TFMain::TreeReset);
    connect(Model, &TBlockTreeModel::RenameRequested, this, &TFMain::RenameRequested);
    connect(Tree, &TBlockTreeView::DeletePressed, this, &TFMain::DeleteSelectedNode);
    connect(Tree, &TBlockTreeView::RenamePressed, this, &TFMain::StartRename);
    connect(Tree, &TBlockTreeView::FontSizeStep, this,
            [this](int step) { SetFontSize(FontPoints + step); });
    connect(Tree, &TBlockTreeView::NodeDropped, this, &TFMain::DropNode);
    connect(Tree, &TBlockTreeView::MenuRequested, this, [this](TNode* node, const QPoint& at) {
        OpenTreeMenu(node);
        TreePopup->popup(at);
    });
    connect(Tree, &TBlockTreeView::SearchPressed, this, &TFMain::StartSearch);
    connect(Tree, &TBlockTreeView::FindNextPressed, this, &TFMain::FindNext);
    // Every change of the tree (tree commands, imports) may change the project.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(Model, signal, this, &TFMain::ScheduleChangeCheck);
    connect(Model, &QAbstractItemModel::rowsMoved, this, &TFMain::ScheduleChangeCheck);
    connect(Model, &QAbstractItemModel::dataChanged, this, &TFMain::ScheduleChangeCheck);
    connect(Model, &QAbstractItemModel::modelReset, this, &TFMain::ScheduleChangeCheck);

    for (QCheckBox* flag : {Important, Permanent, Trade})
        connect(flag, &QCheckBox::clicked, this, [this, flag] { StoreFlag(flag); });
    for (QPlainTextEdit* editor : {Condition, Body})
        editor->installEventFilter(this);
    // The header fields have a menu of their own; the variables window shares the code
    // editors' text menu.
    for (QLineEdit* field : {Heading, Npc, Nr, Description}) {
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field](const QPoint& pos) { ShowTextMenu(field, field->mapToGlobal(pos)); });
        connect(field, &QLineEdit::textEdited, this, &TFMain::NoteTyping);
    }
    for (QPlainTextEdit* editor :
         std::initializer_list<QPlainTextEdit*>{Condition, Body, VariablesForm->Text()}) {
        connect(editor, &QWidget::customContextMenuRequested, this,
                [this, editor](const QPoint& pos) {
                    ShowTextMenu(editor, editor->viewport()->mapToGlobal(pos));
                });
    }
    // What the program itself shows in a code editor is no change; only what is typed while
    // its history records.
    for (TCodeEditor* editor : {Condition, Body})
        connect(editor, &TCodeEditor::Edited, this, [this, editor] {
            if (!editor->History().Paused() && !editor->isReadOnly()) NoteTyping();
        });
    // The variables text is the project's at once.
    connect(VariablesForm, &TFIntList::Edited, this, [this] { SetChangeMark(true); });
    connect(InstantCompile, &QCheckBox::toggled, this, &TFMain::PreviewSwitched);
    connect(LockBody, &QCheckBox::toggled, this, &TFMain::LockBodySwitched);
    connect(CheckSyntax, &QCheckBox::toggled, this, &TFMain::CheckSyntaxSwitched);
    ConnectScheduler();
    connect(LoadButton, &QToolButton::clicked, this, &TFMain::LoadClick);
    connect(SaveButton, &QPushButton::clicked, this, &TFMain::SaveClick);
    connect(ExportButton, &QPushButton::clicked, this, &TFMain::ExportClick);
    connect(NpcListButton, &QPushButton::clicked, this, [this] {
        NpcListForm->exec();
        ScheduleChangeCheck(); // the NPC table belongs to the project
    });
    connect(VariablesButton, &QPushButton::clicked, VariablesForm, &TFIntList::ShowAbove);
    ConnectScriptImport(*this, ImportButton, Project, Files, Prompter);
    ConnectQuarnImport(*this, QdcImportButton, Project, Files, Prompter);
}

void TFMain::Start(const QStringList& arguments, const QString& settingsPath) {
    SettingsFile = settingsPath;
    ApplySettings(ReadSettingsFile(PathFromQt(settingsPath), Files, Prompter));
    ApplyColours();
    ClearEditor();
    if (Stored.Maximised)
        showMaximized();
    else
        show();
    MarkSaved(); // the project as it is now is nothing the user would lose
    if (!arguments.isEmpty() && QFileInfo(arguments.first()).isFile()) {
        OpenFileName = arguments.first();
        LoadProjectFile(arguments.first());
    }
}

void TFMain::ApplySettings(const TSettings& settings) {
    Stored = settings;
    // A negative delay in the file means no delay, not one of 49 days.
    Scheduler.HighlightDelay = static_cast<uint32_t>(std::max(0, settings.HighlightDelay));
    Scheduler.ParserDelay = static_cast<uint32_t>(std::max(0, settings.ParserDelay));
    // Each switch runs its handler as a click would; the syntax check's runs in any case,
    // which shows or hides the panels and asks for a check.
    InstantCompile->setChecked(settings.Preview);
    LockBody->setEnabled(settings.Preview);
    LockBody->setChecked(settings.Preview && settings.KeepPreview);
    CheckSyntax->setChecked(settings.SyntaxCheck);
    CheckSyntaxSwitched();
    ColourTable = settings.Colours;
    Compiled.ProjectName = settings.ProjectName;
    Compiled.Folder = settings.ExportFolder; // a native file name
    ExportForm->WriteEventFile()->setChecked(settings.SeparateEvents);
    ExportForm->WriteStoryGlobals()->setChecked(settings.SeparateVariables);
    ExportForm->WriteNpcGlobals()->setChecked(settings.NpcGlobals);
    ExportForm->UpdateOutputUnits()->setChecked(settings.UpdateOutputUnits);
    ExportForm->OutputUnitsFile()->setText(PathToQt(settings.OutputUnitsFile));
    if (!settings.ExportFolder.empty() && QFileInfo(PathToQt(settings.ExportFolder)).isDir())
        ExportForm->StartFolder = PathToQt(settings.ExportFolder);
    if (auto* import = findChild<TFImport*>())
        import->FolderForEach()->setChecked(settings.SeparateFolders);
    OpenFileName = PathToQt(settings.OpenPath);
    SaveFileName = PathToQt(settings.SavePath);
    Recent = settings.RecentProjects;
    UpdateRecentMenu();
    FontPoints = std::max(1, settings.FontSize);
    ApplyFontSize();
}

TSettings TFMain::CollectSettings() const {
    TSettings settings = Stored;
    settings.Preview = InstantCompile->isChecked();
    settings.KeepPreview = LockBody->isChecked();
    settings.SyntaxCheck = CheckSyntax->isChecked();
    settings.FontSize = FontPoints;
    settings.Maximised = isMaximized();
    settings.Colours = ColourTable;
    settings.OpenPath = PathFromQt(OpenFileName);
    settings.SavePath = PathFromQt(SaveFileName);
    settings.RecentProjects = Recent;
    settings.ExportFolder = PathFromQt(ExportForm->Folder()->text());
    settings.ProjectName = FromQt(ExportForm->FileName()->text());
    settings.SeparateEvents = ExportForm->WriteEventFile()->isChecked();
    settings.SeparateVariables = ExportForm->WriteStoryGlobals()->isChecked();
    settings.NpcGlobals = ExportForm->WriteNpcGlobals()->isChecked();
    settings.UpdateOutputUnits = ExportForm->UpdateOutputUnits()->isChecked();
    settings.OutputUnitsFile = PathFromQt(ExportForm->OutputUnitsFile()->text());
    if (const auto* import = findChild<TFImport*>())
        settings.SeparateFolders = import->FolderForEachChecked();
    return settings;
}

void TFMain::ExportClick() {
    CommitFocusedField();
    ExportForm->FileName()->setText(ToQt(Compiled.ProjectName));
    ExportForm->Folder()->setText(PathToQt(Compiled.Folder));
    ExportForm->FileName()->setFocus();
    // "Abbrechen" leaves the name, the folder and the options as they were.
    if (ExportForm->exec() != QDialog::Accepted) return;
    Compiled.ProjectFile = PathFromQt(ProjectPath);
    int32_t chosen = -1; // the block of a finding the user double-clicked
    const TExportReport report = ExportProject(
        Project, Compiled, Files, Prompter, [&](const std::vector<TExportFinding>& findings) {
            const bool writeAnyway = FindingsForm->Review(findings);
            chosen = FindingsForm->ChosenBlock();
            return writeAnyway;
        });
    if (report.Result == TExportResult::Exported) {
        QString done = QStringLiteral("Exportiert: %1 Dateien nach %2")
                           .arg(report.WrittenFiles.size())
                           .arg(PathToQt(Compiled.Folder));
        if (report.OutputUnits)
            done += QStringLiteral("; ") + ToQt(OutputUnitSummary(report.OutputUnits->Merge));
        statusBar()->showMessage(done, 8000);
    }
    if (report.OutputUnits) ShowOutputUnitReport(*report.OutputUnits, Files, Prompter);
    if (const TElement* element = Project.Elements.LiveAt(chosen)) SelectNode(element->Node);
    ScheduleChangeCheck(); // the export may have asked for NPC instance names
}

void TFMain::OptionsClick() {
    ColorDialog->exec();
    ApplyColours();
    Scheduler.ColourBoth();
    WakeScheduler();
}

void TFMain::SetFontSize(int points) {
    FontPoints = std::max(1, points);
    ApplyFontSize();
}

void TFMain::ApplyFontSize() {
    const TBusyScope busy(Scheduler); // a new font is no edit
    QFont treeFont = Tree->font();
    treeFont.setPointSize(FontPoints);
    Tree->setFont(treeFont);
    QFont code = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    code.setPointSize(FontPoints);
    for (QPlainTextEdit* editor : {Condition, Body}) {
        editor->setFont(code); // keeps the caret and the selection
        editor->setTabStopDistance(QFontMetricsF(code).horizontalAdvance(QLatin1Char(' ')) * 4);
    }
}

} // namespace redewerk
