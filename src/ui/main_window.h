#pragma once

#include "codegen/compiled.h"
#include "daedalus/highlighter.h"
#include "daedalus/parser.h"
#include "daedalus/syntax_checker.h"
#include "model/colours.h"
#include "model/settings.h"
#include "model/text_lines.h"
#include "model/tree_commands.h"
#include "ui/code_editor.h"
#include "ui/idle_scheduler.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QUrl;

namespace redewerk {

class TBlockTreeModel;
class TBlockTreeView;
class TFColor;
class TFExport;
class TFIntList;
class TFNPCLIST;
class TEditActions;
class TFExportFindings;
class TFHelp;
class TFileSystem;
class TFNodeName;
class TFSearch;
class TNode;
class TProject;
class TPrompter;
struct TElement;
struct TSearchPlace;
enum class TSearchField;

// The editor's main window: the block tree with its commands on the left, the header fields,
// the condition editor and the command buttons on the right, the body editor below. It shows
// the selected block and writes each field back when the user leaves it; the rules live in
// the core, the window only binds them to widgets.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    TFMain(TProject& project, TFileSystem& files, TPrompter& prompter, QWidget* parent = nullptr);
    ~TFMain() override;

    // The start-up steps: read the settings file at `settingsPath`, apply them and the
    // colours, clear the editor, show the window and load the project named by the first
    // argument when that is an existing file.
    void Start(const QStringList& arguments, const QString& settingsPath);

    // The project file. Loading asks first when the open project has unsaved changes; false
    // when the user keeps them or the file cannot be read.
    bool LoadProjectFile(const QString& path);
    // Saving writes back the field being edited, which keeps the focus.
    bool SaveProjectFile(const QString& path);
    // "Laden" (Ctrl+O): the open dialog, then loading.
    void LoadClick();
    // "Speichern" (Ctrl+Shift+S): the save dialog, starting at the project's file; true when
    // the project was saved.
    bool SaveClick();
    // Ctrl+S: saves to the project's file without a question; without one yet, as "Speichern".
    bool QuickSave();
    // The file the project was last loaded from or saved to; empty before the first save.
    const QString& ProjectFile() const { return ProjectPath; }
    // A project that replaced the open one has no file yet.
    void ForgetProjectFile();
    // Whether the project differs from the one last loaded or saved. The field being edited
    // is written back first, so text typed into it counts.
    bool HasUnsavedChanges();
    // Before a command loses unsaved changes: "Die Änderungen an NAME speichern?" with
    // "Speichern" (saves, asking for a name when there is none), "Verwerfen" and "Abbrechen".
    // True when the command may go on: nothing unsaved, discarded, or saved.
    bool AskToSaveChanges();
    // The title's change mark compares the project with the one last loaded or saved once
    // the current command is done.
    void ScheduleChangeCheck();
    // "Zuletzt geöffnet", newest first, and the menu of the "Laden" button that offers them.
    const std::vector<std::string>& RecentProjects() const { return Recent; }
    QMenu* RecentMenu() const { return RecentPopup; }

    // Selection: the field being edited is written back into the block that is still
    // selected, then the new node is shown.
    void SelectNode(TNode* node);
    TNode* SelectedNode() const;
    void ShowBlock();
    void ClearEditor();
    // Enter in a header field: on to the next field that can take the focus.
    void MoveFocusToNextField(QWidget* from);
    // Writes back the field that has the focus, as leaving it would.
    void CommitFocusedField();

    // The block editor: the preview, the keys of the code editors, the syntax check.
    TCodeEditor* BodyEditor() const { return Body; }
    TCodeEditor* ConditionEditor() const { return Condition; }
    // Shows the selected block's generated code in the body editor when the preview is on.
    void RefreshPreview();
    // Ctrl+Up / Ctrl+Down in the body editor: on to the previous or next block in tree
    // order, folders skipped; false when there is none.
    bool GotoNeighbourBlock(bool forward);
    // "Gehe zu erstem Fehler": the caret to the error of the code editor that has the focus.
    void GotoErrorClick();
    // The search (Ctrl+F) and find next (F3) of the tree, the header fields and the code
    // editors. Ctrl+F asks for the text, then searches it from the focused field on; F3 in a
    // field with selected text searches that text.
    void StartSearch();
    void FindNext();

    // The idle scheduler and the timer that drives it (active only while work is pending);
    // tests set the clock and run the passes themselves.
    TIdleScheduler& IdleScheduler() { return Scheduler; }
    QTimer* IdleTimer() const { return IdleTick; }
    void SetClock(TClock& clock) { Scheduler.SetClock(clock); }
    void RunIdlePass();
    // The error position the last check of each editor found, -1 for none.
    int32_t BodyErrorPos() const { return BodyParser.ErrorPos; }
    int32_t ConditionErrorPos() const { return ConditionParser.ErrorPos; }

    int FontSize() const { return FontPoints; }
    void SetFontSize(int points); // at least 1
    void ApplyColours();
    TColourTable& Colours() { return ColourTable; }

    // The settings as the window holds them now, and applying read settings.
    TSettings CollectSettings() const;
    void ApplySettings(const TSettings& settings);
    const QString& SettingsPath() const { return SettingsFile; }

    // Tree commands.
    void OpenTreeMenu(TNode* node); // right click: selects the node, sets the menu anchor
    TNode* NewNode(TNewNodeKind kind, bool asChild);
    void DeleteSelectedNode();
    void StartRename();
    bool DropNode(TNode* dragged, TNode* target, bool asFirstChild);
    void CopyPath();
    void PastePath(bool asCondition);
    int32_t CopiedBlock() const { return CopiedBlockId; }
    void FullExpand();
    void FullCollapse();
    // Sets the enabled state of the text menu's entries, as opening it does.
    void UpdateTextMenu();
    // The context menu for `target` (a header field, a code editor or the variables text),
    // its entries enabled as opening it does: the edit entries, then the program's own.
    QMenu* PrepareTextMenu(QWidget* target);

    TBlockTreeView* TreeView() const { return Tree; }
    TBlockTreeModel* TreeModel() const { return Model; }
    QMenu* TreeMenu() const { return TreePopup; }
    QMenu* TextMenu() const { return TextPopup; }
    QMenu* FieldMenu() const { return FieldPopup; }
    TEditActions* EditActions() const { return EditEntries; }
    TFNodeName* NameDialog() const { return NodeNameDialog; }
    TFColor* ColourDialog() const { return ColorDialog; }
    TFExport* ExportDialog() const { return ExportForm; }
    TFNPCLIST* NpcListDialog() const { return NpcListForm; }
    TFIntList* VariablesWindow() const { return VariablesForm; }
    TFExportFindings* FindingsDialog() const { return FindingsForm; }
    TFSearch* SearchDialog() const { return SearchForm; }
    TFHelp* HelpWindow() const { return HelpForm; }
    // "Hilfe": readme.txt in the system's viewer, or in the program's own window when the
    // system has none; nothing when there is no readme.txt.
    void OpenReadme();
    // Hands a file to the system's viewer; false when there is none. Tests replace it.
    std::function<bool(const QUrl&)> OpenExternally;
    TCompiled& ExportState() { return Compiled; }
    // "Exportieren": the export dialog, then the export of the whole project; findings in the
    // generated code are shown before anything is written.
    void ExportClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    QWidget* BuildLeftColumn();
    QWidget* BuildHeader();
    QWidget* BuildButtons();
    void BuildFileCommands();
    void BuildTreeMenu();
    void BuildTextMenu();
    // The editor the text menu's entries act on: the one it was opened in, or else the code
    // editor that has the focus.
    QPlainTextEdit* TextMenuTarget() const;
    void ShowTextMenu(QWidget* target, const QPoint& at);
    void ConnectSignals();

    TElement* SelectedElement() const;
    // The element whose fields the editor shows, while its node is still the selected one.
    TElement* ShownElement() const;
    void ForgetShownNode(const QModelIndex& parent, int first, int last);
    void TreeReset();
    void OnCurrentChanged(TNode* node);
    void ShowElement(const TElement& element);
    void SetField(QLineEdit* field, QLabel* label, const std::string* text);
    void SetFlag(QCheckBox* flag, const bool* value);
    void SetCondition(const TElement* element);
    // The block's body with its references as paths, as the body editor shows it.
    QString BodySource(const TElement& element);
    // Replaces the body editor's text unless it already holds it, then places the caret.
    void ShowInBody(const QString& text, int32_t selStart, int32_t selLength);
    // The header's line fields; with the two code editors they make up the fields that are
    // written back into the block when they are left.
    bool IsHeaderField(const QWidget* widget) const;
    bool IsEditorField(const QWidget* widget) const;
    void WriteBack(QWidget* field);
    // Entering and leaving the code editors pause and resume their undo histories; the
    // flags keep the two in step whatever order the focus events come in.
    void EnterEditor(TCodeEditor* editor);
    void LeaveField(QWidget* field);
    void BodyEnter();
    bool HandleEditorKey(TCodeEditor* editor, QKeyEvent* key);
    // Registers the known-references of a stored text of the selected block.
    void RegisterKnownRefs(const TLines& stored);
    void StoreConditionFromEditor(TElement& element);
    void ConditionExit();
    void BodyExit();
    // The body editor's text and caret into the block, with the condition's known references.
    void StoreBody(TElement& element);
    void StoreFlag(QCheckBox* flag);
    void ApplyFontSize();
    void RenameRequested(TNode* node, const QString& text);
    void AskName(TNode* node, const QString& name);
    void PreviewSwitched();
    void LockBodySwitched();
    void CheckSyntaxSwitched();
    void ResetHistories();
    void Unblind(TCodeEditor* editor, bool record);

    // The idle work and what the checks show.
    void ConnectScheduler();
    void WakeScheduler();
    void Colour(TCodeEditor* editor, THighlighter& highlighter);
    void CheckEditors();
    void Check(TCodeEditor* editor, TParser& parser, TCheckMode mode, int32_t blockKind);
    void GotoError(TCodeEditor* editor);
    void SyntaxPanelClick(TCodeEditor* editor);
    TParser& ParserOf(const TCodeEditor* editor);
    // What the project file would hold, without the selection, as a fingerprint.
    size_t ProjectFingerprint();
    void MarkSaved();
    // The title: the file name (or "Unbenannt"), "*" in front while there are unsaved changes.
    void SetChangeMark(bool changed);
    void UpdateTitle();
    // Typing in a field or editor: the mark at once, checked exactly once the field is left.
    void NoteTyping();
    void RememberRecent(const QString& path);
    void UpdateRecentMenu();
    void OptionsClick();
    // The search from the caret of the focused field; a match is selected, nothing found is
    // said in the status bar.
    void FindNextMatch();
    void ShowMatch(const TSearchPlace& place);
    // The widgets that show the searched fields, in the order of TSearchField; the tree
    // stands for the node name.
    std::array<QWidget*, 7> SearchWidgets() const;
    std::optional<TSearchField> SearchFieldOf(const QWidget* widget) const;

    TProject& Project;
    TFileSystem& Files;
    TPrompter& Prompter;
    TBlockTreeModel* Model;
    TBlockTreeView* Tree = nullptr;
    QMenu* TreePopup = nullptr;
    QMenu* TextPopup = nullptr;
    QMenu* FieldPopup = nullptr; // the header fields' context menu
    QMenu* RecentPopup = nullptr;
    TEditActions* EditEntries = nullptr;
    QAction* SelectAllAction = nullptr;
    QAction* PastePathAction = nullptr;
    QAction* PasteConditionAction = nullptr;
    QAction* GotoErrorAction = nullptr;

    QCheckBox* InstantCompile = nullptr; // "Vorschau"
    QCheckBox* LockBody = nullptr;       // "Vs. Beibehalten"
    QCheckBox* CheckSyntax = nullptr;    // "Syntaxüberprüfung"
    QLabel* HelpLabel = nullptr;

    QLineEdit* Heading = nullptr;
    QLineEdit* Npc = nullptr;
    QLineEdit* Nr = nullptr;
    QLineEdit* Description = nullptr;
    QLabel* HeadingLabel = nullptr;
    QLabel* NpcLabel = nullptr;
    QLabel* NrLabel = nullptr;
    QLabel* DescriptionLabel = nullptr;
    QLabel* ConditionLabel = nullptr;
    QCheckBox* Important = nullptr;
    QCheckBox* Permanent = nullptr;
    QCheckBox* Trade = nullptr;
    TCodeEditor* Condition = nullptr;
    TCodeEditor* Body = nullptr;

    QToolButton* LoadButton = nullptr; // with "Zuletzt geöffnet" as its drop-down menu
    QPushButton* SaveButton = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* QdcImportButton = nullptr;
    QPushButton* ImportButton = nullptr;
    QPushButton* NpcListButton = nullptr;
    QPushButton* VariablesButton = nullptr;

    TFNodeName* NodeNameDialog = nullptr;
    TFColor* ColorDialog = nullptr;
    TFExport* ExportForm = nullptr;
    TFNPCLIST* NpcListForm = nullptr;
    TFIntList* VariablesForm = nullptr;
    TFExportFindings* FindingsForm = nullptr;
    TFSearch* SearchForm = nullptr;
    std::string SearchText; // empty while there is nothing to search for
    TFHelp* HelpForm = nullptr;
    TCompiled Compiled; // the export's options and results, for the whole run

    // The block editor's state.
    bool BodyEntered = false;      // the body editor has been entered and not left
    bool ConditionEntered = false; // likewise the condition editor
    bool BodyShowsCode = false;    // the body editor shows the preview, not the block's text
    bool SuppressPreview = false;  // set while Ctrl+Up/Down moves between blocks
    TSteadyClock SteadyClock;
    TIdleScheduler Scheduler;
    QTimer* IdleTick = nullptr;
    TInternalErrorNotice ParserNotice;
    TParser BodyParser;
    TParser ConditionParser;
    THighlighter BodyHighlighter;
    THighlighter ConditionHighlighter;
    TColourFormats ColourFormats;

    int FontPoints = 8;
    TColourTable ColourTable = DefaultColours();
    TSettings Stored;     // what was read at start; keeps the options no window edits yet
    QString SettingsFile; // remembered at start, written at exit
    QString OpenFileName; // the open dialog's file name
    QString SaveFileName; // the save dialog's file name
    QString ProjectPath;  // the project's file, empty before the first save
    std::vector<std::string> Recent; // native paths
    size_t SavedFingerprint = 0;     // of the project as last loaded or saved
    bool Changed = false;            // the title's change mark
    bool FieldTyped = false;         // typed into the field that has the focus, not written back
    bool ChangeCheckPending = false;
    int32_t CopiedBlockId = -1;
    QWidget* TextMenuEditor = nullptr; // the field or editor whose context menu is open
    // The node whose block the fields show; only it receives their write-back, so a field
    // left after its node was removed or the project replaced writes nowhere.
    TNode* ShownNode = nullptr;
};

} // namespace redewerk
