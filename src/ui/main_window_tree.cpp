// The main window's tree commands: the tree's context menu, new nodes and their names,
// renaming, deleting, drag and drop, and copying and pasting block paths.
#include "ui/main_window.h"

#include "model/element.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/references.h"
#include "ui/block_tree_model.h"
#include "ui/block_tree_view.h"
#include "ui/edit_actions.h"
#include "ui/node_name_dialog.h"
#include "ui/text_codec.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

namespace redewerk {

void TFMain::BuildTreeMenu() {
    TreePopup = new QMenu(this);
    TreePopup->setObjectName(QStringLiteral("TreePopup"));
    for (bool asChild : {false, true}) {
        QMenu* sub = TreePopup->addMenu(asChild ? QStringLiteral("Neues &Unterobjekt")
                                                : QStringLiteral("&Neu"));
        for (TNewNodeKind kind : kNewNodeKinds)
            sub->addAction(ToQt(NewNodeCaption(kind)), this,
                           [this, kind, asChild] { NewNode(kind, asChild); });
    }
    TreePopup->addAction(QStringLiteral("Pfad &kopieren"), this, &TFMain::CopyPath);
    TreePopup->addAction(QStringLiteral("&Löschen"), this, &TFMain::DeleteSelectedNode);
    TreePopup->addAction(QStringLiteral("Alles &ausklappen"), this, &TFMain::FullExpand);
    TreePopup->addAction(QStringLiteral("Alles &einklappen"), this, &TFMain::FullCollapse);
}

void TFMain::BuildTextMenu() {
    EditEntries = new TEditActions(this);
    SelectAllAction = new QAction(QStringLiteral("Alles &markieren"), this);
    connect(SelectAllAction, &QAction::triggered, this, [this] {
        if (auto* field = qobject_cast<QLineEdit*>(TextMenuEditor))
            field->selectAll();
        else if (QPlainTextEdit* editor = TextMenuTarget())
            editor->selectAll();
    });
    // A header field's menu: the edit entries and "Alles markieren".
    FieldPopup = new QMenu(this);
    FieldPopup->setObjectName(QStringLiteral("FieldPopup"));
    EditEntries->AddTo(FieldPopup);
    FieldPopup->addSeparator();
    FieldPopup->addAction(SelectAllAction);

    TextPopup = new QMenu(this);
    TextPopup->setObjectName(QStringLiteral("TextPopup"));
    EditEntries->AddTo(TextPopup);
    TextPopup->addSeparator();
    TextPopup->addAction(SelectAllAction);
    PastePathAction =
        TextPopup->addAction(QStringLiteral("Pfad &einfügen"), this, [this] { PastePath(false); });
    PasteConditionAction = TextPopup->addAction(QStringLiteral("Pfad als &Bedingung einfügen"),
                                                this, [this] { PastePath(true); });
    GotoErrorAction = TextPopup->addAction(QStringLiteral("&Gehe zu erstem Fehler"));
    TextPopup->addAction(QStringLiteral("&Ansicht"), this, &TFMain::OptionsClick);
}

QPlainTextEdit* TFMain::TextMenuTarget() const {
    if (TextMenuEditor) return qobject_cast<QPlainTextEdit*>(TextMenuEditor);
    QWidget* focused = focusWidget();
    return focused == Condition ? Condition : focused == Body ? Body : nullptr;
}

QMenu* TFMain::PrepareTextMenu(QWidget* target) {
    TextMenuEditor = target;
    EditEntries->SetTarget(target);
    if (qobject_cast<QLineEdit*>(target)) return FieldPopup;
    UpdateTextMenu();
    return TextPopup;
}

void TFMain::ShowTextMenu(QWidget* target, const QPoint& at) {
    PrepareTextMenu(target)->exec(at);
    TextMenuEditor = nullptr;
}

void TFMain::UpdateTextMenu() {
    // Opened in another window (the variables window shares this menu), there is no block
    // to refer from.
    const bool pasteable =
        isActiveWindow() && CheckCopiedBlock(Project, CopiedBlockId, Prompter, false);
    PastePathAction->setEnabled(pasteable);
    PasteConditionAction->setEnabled(pasteable);
    // Going to the error needs a check of the text as it stands.
    const QPlainTextEdit* target = TextMenuTarget();
    if (target == Body || target == Condition)
        GotoErrorAction->setEnabled(!Scheduler.Pending() &&
                                    ParserOf(target == Body ? Body : Condition).ErrorPos >= 0);
}

void TFMain::OpenTreeMenu(TNode* node) {
    if (node) SelectNode(node);
    Project.MenuAnchor = Project.Selected;
}

TNode* TFMain::NewNode(TNewNodeKind kind, bool asChild) {
    CommitFocusedField();
    TNode* node = CreateNewNode(Project, kind, asChild);
    if (node->Parent()) Tree->expand(Model->IndexOf(node->Parent()));
    Tree->setFocus();
    SelectNode(node);
    AskName(node, ToQt(ProposedName(kind)));
    FinishNewNode(Project, node, kind);
    ShowBlock();
    return node;
}

void TFMain::AskName(TNode* node, const QString& name) {
    NodeNameDialog->Ask(name, [this, node](const QString& text) {
        return ValidateName(Project.Tree, node, FromQt(text), Prompter);
    });
}

void TFMain::StartRename() {
    const QModelIndex index = Tree->currentIndex();
    if (index.isValid()) Tree->edit(index);
}

void TFMain::RenameRequested(TNode* node, const QString& text) {
    const std::string name = FromQt(text);
    if (CheckNodeName(Project.Tree, node, name) == TNameProblem::None) {
        ValidateName(Project.Tree, node, name, Prompter);
        if (node == Project.Selected) ShowBlock(); // paths relative to it may read differently
        return;
    }
    // The label editor is still closing: the message and the name dialog come right after.
    QTimer::singleShot(0, this, [this, node, text] {
        if (Project.Tree.AbsoluteIndex(node) < 0) return; // gone meanwhile
        Prompter.ShowMessage(NameProblemMessage(CheckNodeName(Project.Tree, node, FromQt(text))));
        AskName(node, text);
        if (node == Project.Selected) ShowBlock();
    });
}

void TFMain::DeleteSelectedNode() {
    CommitFocusedField();
    std::vector<int32_t> freed;
    if (!redewerk::DeleteSelectedNode(Project, Prompter, &freed)) return;
    // Ids are reused: references to the deleted blocks must not move to the next new block.
    InvalidateReferencesTo(Project, freed);
    Project.Selected = Tree->CurrentNode();
    ShowBlock(); // the next node, or an empty editor when none is left
}

bool TFMain::DropNode(TNode* dragged, TNode* target, bool asFirstChild) {
    CommitFocusedField();
    if (!redewerk::DropNode(Project.Tree, dragged, target, asFirstChild)) return false;
    if (asFirstChild) {
        Tree->expand(Model->IndexOf(target));
        SelectNode(target);
    }
    ShowBlock(); // the paths of the moved blocks changed
    return true;
}

void TFMain::CopyPath() {
    redewerk::CopyPath(Project, CopiedBlockId, Prompter);
}

void TFMain::PastePath(bool asCondition) {
    if (!CheckCopiedBlock(Project, CopiedBlockId, Prompter, true)) return;
    QPlainTextEdit* editor = TextMenuTarget();
    if (!editor || !editor->isEnabled()) return;
    const std::string path =
        ConvertReference(Project, std::to_string(CopiedBlockId), TRefDirection::IdToPath, false,
                         Project.Selected, Prompter);
    editor->insertPlainText(ToQt((asCondition ? "#!" : "#") + path + "#"));
}

void TFMain::FullExpand() {
    Tree->expandAll();
}

void TFMain::FullCollapse() {
    Tree->collapseAll();
}

} // namespace redewerk
