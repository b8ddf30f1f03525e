// The main window's block editor part: showing the selected block by its kind, writing the
// fields back when they are left, the preview, moving between blocks, the keys of the fields
// and code editors, colours and focus.
#include "ui/main_window.h"

#include "codegen/compiler.h"
#include "model/element.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/references.h"
#include "model/storable_text.h"
#include "ui/block_tree_model.h"
#include "ui/block_tree_view.h"
#include "ui/npc_list_dialog.h"
#include "ui/palette_colours.h"
#include "ui/text_codec.h"
#include "ui/variables_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>

namespace redewerk {

TNode* TFMain::SelectedNode() const {
    return Project.Selected;
}

TElement* TFMain::SelectedElement() const {
    TElement* element = TProject::ElementOf(Project.Selected);
    return element && !element->IsFree() ? element : nullptr;
}

TElement* TFMain::ShownElement() const {
    return ShownNode && ShownNode == Project.Selected ? SelectedElement() : nullptr;
}

void TFMain::ForgetShownNode(const QModelIndex& parent, int first, int last) {
    for (int row = first; row <= last && ShownNode; ++row) {
        TNode* removed = Model->NodeOf(Model->index(row, 0, parent));
        if (removed == ShownNode || (removed && removed->IsAncestorOf(ShownNode)))
            ShownNode = nullptr;
    }
}

void TFMain::TreeReset() {
    // A new project: nothing shown belongs to it. Its selected node is set only once the
    // project is complete, so it is shown on the next pass of the event loop.
    ClearEditor();
    QTimer::singleShot(0, this, [this] {
        if (Tree->currentIndex().isValid() || !Project.Selected) return;
        if (Project.Tree.AbsoluteIndex(Project.Selected) < 0) return;
        TNode* selected = Project.Selected;
        Project.Selected = nullptr;
        SelectNode(selected);
    });
}

void TFMain::SelectNode(TNode* node) {
    const QModelIndex index = Model->IndexOf(node);
    if (Tree->currentIndex() == index) {
        if (node != Project.Selected) OnCurrentChanged(node);
        return;
    }
    Tree->setCurrentIndex(index);
    if (index.isValid()) Tree->scrollTo(index);
}

void TFMain::OnCurrentChanged(TNode* node) {
    // The focused field still belongs to the block shown so far: it writes itself back
    // there, and the focus goes to the tree before the new block is shown.
    CommitFocusedField();
    Project.Selected = node;
    ShowBlock();
}

void TFMain::ShowBlock() {
    // Typing still in a field belongs to the block shown so far.
    CommitFocusedField();
    setUpdatesEnabled(false);
    TElement* element = SelectedElement();
    if (!element) {
        ClearEditor();
    } else if (element->Kind < ekDialog || element->Kind > ekCode) {
        ShownNode = nullptr;
        Prompter.ShowMessage("Renderer: Ung\xFCltiger Bausteintyp???");
    } else {
        ShownNode = Project.Selected;
        ShowElement(*element);
    }
    RefreshPreview();
    ResetHistories();
    // The same text may need another kind of check for another block.
    Scheduler.RequestCheck();
    WakeScheduler();
    setUpdatesEnabled(true);
}

void TFMain::SetField(QLineEdit* field, QLabel* label, const std::string* text) {
    field->setText(text ? ToQt(*text) : QString());
    field->setEnabled(text != nullptr);
    label->setEnabled(text != nullptr);
}

void TFMain::SetFlag(QCheckBox* flag, const bool* value) {
    flag->setChecked(value && *value);
    flag->setEnabled(value != nullptr);
}

void TFMain::SetCondition(const TElement* element) {
    if (!element) {
        Condition->clear();
        Condition->setEnabled(false);
        ConditionLabel->setEnabled(false);
        return;
    }
    const TLines shown = ConvertReferencesInText(Project, element->Condition,
                                                 TRefDirection::IdToPath, element->Node, Prompter);
    Condition->setPlainText(LinesToQt(shown));
    Condition->setEnabled(true);
    ConditionLabel->setEnabled(true);
}

QString TFMain::BodySource(const TElement& element) {
    return LinesToQt(ConvertReferencesInText(Project, element.Body, TRefDirection::IdToPath,
                                             element.Node, Prompter));
}

void TFMain::ShowInBody(const QString& text, int32_t selStart, int32_t selLength) {
    // Setting the same text again would only cost time and the colours.
    if (EditorText(Body) != text) Body->setPlainText(text);
    const int length = Body->document()->characterCount() - 1;
    const int start = std::clamp(selStart, 0, length);
    QTextCursor cursor = Body->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + std::max(selLength, 0), start, length),
                       QTextCursor::KeepAnchor);
    Body->setTextCursor(cursor);
}

void TFMain::ShowElement(const TElement& element) {
    const bool dialog = element.Kind == ekDialog;
    const bool event = element.Kind == ekEvent;
    const bool choice = element.Kind == ekChoice;
    SetField(Heading, HeadingLabel, &element.Heading);
    SetField(Npc, NpcLabel, dialog ? &element.Npc : nullptr);
    SetField(Nr, NrLabel, dialog ? &element.Nr : nullptr);
    SetField(Description, DescriptionLabel, dialog || choice ? &element.Description : nullptr);
    SetCondition(dialog || event ? &element : nullptr);
    // With the preview on, the generated code follows at once; the block's own text would
    // only be set to be replaced.
    if (!InstantCompile->isChecked() || SuppressPreview) {
        ShowInBody(BodySource(element), element.BodySelStart, element.BodySelLength);
        BodyShowsCode = false;
    }
    Body->setEnabled(true);
    SetFlag(Permanent, dialog || event ? &element.Permanent : nullptr);
    SetFlag(Important, dialog || event ? &element.Important : nullptr);
    SetFlag(Trade, dialog ? &element.Trade : nullptr);
    if (dialog) {
        Condition->setToolTip(
            QStringLiteral("Unter welchen Bedingungen ist der Dialog anwählbar?"));
        Permanent->setToolTip(QStringLiteral("Ist der Dialog immer wieder anwählbar?"));
        Important->setToolTip(QStringLiteral("Wird der Dialog vom NPC selbst gestartet?"));
    } else if (event) {
        Condition->setToolTip(
            QStringLiteral("Unter welchen Bedingungen kann das Event ausgelöst werden?"));
        Permanent->setToolTip(QStringLiteral("Kann das Event mehr als einmal ausgelöst werden?"));
        Important->setToolTip(
            QStringLiteral("Soll das Event ohne zutun des Helden ausgelöst werden können?"));
    }
}

void TFMain::ClearEditor() {
    ShownNode = nullptr;
    for (auto [field, label] : {std::pair{Heading, HeadingLabel}, std::pair{Npc, NpcLabel},
                                std::pair{Nr, NrLabel}, std::pair{Description, DescriptionLabel}})
        SetField(field, label, nullptr);
    SetCondition(nullptr);
    Body->clear();
    BodyShowsCode = false;
    Body->setEnabled(false);
    for (QCheckBox* flag : {Important, Permanent, Trade})
        SetFlag(flag, nullptr);
    ResetHistories();
}

void TFMain::ResetHistories() {
    Body->History().Reset();
    Condition->History().Reset();
}

void TFMain::Unblind(TCodeEditor* editor, bool record) {
    if (!editor->History().Unblind(record))
        Prompter.ShowMessage("Internal Error: Active Undo-Handler can not be un-blinded!");
}

bool TFMain::IsHeaderField(const QWidget* widget) const {
    return widget == Heading || widget == Npc || widget == Nr || widget == Description;
}

bool TFMain::IsEditorField(const QWidget* widget) const {
    return IsHeaderField(widget) || widget == Condition || widget == Body;
}

void TFMain::CommitFocusedField() {
    QWidget* focused = focusWidget();
    if (IsHeaderField(focused)) LeaveField(focused);
    // An editor may still count as entered although the focus moved while the window was
    // inactive: it is left all the same, so that its text is written back.
    if (BodyEntered) LeaveField(Body);
    if (ConditionEntered) LeaveField(Condition);
    if (IsEditorField(focused)) {
        // Leaving the field now must not write it back a second time.
        focused->removeEventFilter(this);
        Tree->setFocus(Qt::OtherFocusReason);
        focused->installEventFilter(this);
    }
}

void TFMain::EnterEditor(TCodeEditor* editor) {
    if (editor == Body && !BodyEntered) {
        BodyEntered = true;
        BodyEnter();
    } else if (editor == Condition && !ConditionEntered) {
        ConditionEntered = true;
        Unblind(Condition, true);
    }
}

void TFMain::LeaveField(QWidget* field) {
    FieldTyped = false; // what was typed is written back now
    if (field == Body) {
        if (!BodyEntered) return;
        BodyEntered = false;
        BodyExit();
        return;
    }
    if (field == Condition) {
        if (!ConditionEntered) return;
        ConditionEntered = false;
        ConditionExit();
        return;
    }
    WriteBack(field);
}

void TFMain::WriteBack(QWidget* field) {
    TElement* element = ShownElement();
    if (!element || !field->isEnabled()) return;
    if (field == Heading)
        element->Heading = StorableField(FromQt(Heading->text()), kTextReplacement);
    else if (field == Npc)
        element->Npc = StorableField(FromQt(Npc->text()), kNameReplacement);
    else if (field == Nr)
        element->Nr = StorableField(FromQt(Nr->text()), kTextReplacement);
    else if (field == Description)
        element->Description = StorableField(FromQt(Description->text()), kTextReplacement);
    RefreshPreview();
    ScheduleChangeCheck();
}

void TFMain::RegisterKnownRefs(const TLines& stored) {
    // Converting to paths and back registers each known-reference again; the converted
    // text itself is not kept.
    ConvertReferencesInText(Project,
                            ConvertReferencesInText(Project, stored, TRefDirection::IdToPath,
                                                    Project.Selected, Prompter),
                            TRefDirection::PathToId, Project.Selected, Prompter);
}

void TFMain::StoreConditionFromEditor(TElement& element) {
    element.Condition =
        ConvertReferencesInText(Project, StorableLines(LinesFromQt(EditorText(Condition))),
                                TRefDirection::PathToId, Project.Selected, Prompter);
}

// Both editors' known references live in one list of the element, so leaving either editor
// rebuilds the whole list from both texts.
void TFMain::ConditionExit() {
    // Paused first: showing the stored text again is no step of its own.
    Condition->History().Blind();
    TElement* element = ShownElement();
    if (element && Condition->isEnabled()) {
        element->KnownRefs.clear();
        RegisterKnownRefs(element->Body);
        StoreConditionFromEditor(*element);
        // The paths in their normal form, the caret where it was.
        const int caret = Condition->textCursor().position();
        const QString typed = EditorText(Condition);
        SetCondition(element);
        if (EditorText(Condition) == typed) {
            QTextCursor cursor = Condition->textCursor();
            cursor.setPosition(caret);
            Condition->setTextCursor(cursor);
        }
        ScheduleChangeCheck();
    }
    RefreshPreview();
}

void TFMain::BodyEnter() {
    TElement* element = ShownElement();
    if (element && InstantCompile->isChecked() && !LockBody->isChecked()) {
        // The block's own text replaces the preview while the user edits it.
        ShowInBody(BodySource(*element), element->BodySelStart, element->BodySelLength);
        BodyShowsCode = false;
    }
    Unblind(Body, true);
}

void TFMain::StoreBody(TElement& element) {
    const QTextCursor cursor = Body->textCursor();
    element.BodySelStart = cursor.selectionStart();
    element.BodySelLength = cursor.selectionEnd() - cursor.selectionStart();
    element.KnownRefs.clear();
    if (Condition->isEnabled()) {
        StoreConditionFromEditor(element);
    } else {
        // A Choice keeps a condition it got from an import although the editor does not
        // show it: register its known references without touching it.
        RegisterKnownRefs(element.Condition);
    }
    element.Body = ConvertReferencesInText(Project, StorableLines(LinesFromQt(EditorText(Body))),
                                           TRefDirection::PathToId, Project.Selected, Prompter);
}

void TFMain::BodyExit() {
    Body->History().Blind();
    // Locked, the body shows the generated code and nothing was typed.
    if (LockBody->isChecked()) return;
    if (TElement* element = ShownElement()) {
        StoreBody(*element);
        ScheduleChangeCheck();
        if (!InstantCompile->isChecked())
            ShowInBody(BodySource(*element), element->BodySelStart, element->BodySelLength);
    }
    RefreshPreview();
}

void TFMain::StoreFlag(QCheckBox* flag) {
    TElement* element = ShownElement();
    if (!element || !flag->isEnabled()) return;
    if (flag == Important)
        element->Important = flag->isChecked();
    else if (flag == Permanent)
        element->Permanent = flag->isChecked();
    else if (flag == Trade)
        element->Trade = flag->isChecked();
    RefreshPreview();
    ScheduleChangeCheck();
}

void TFMain::RefreshPreview() {
    if (SuppressPreview || !InstantCompile->isChecked()) return;
    Project.ComputeKnownTargets();
    TElement* element = ShownElement();
    if (!element) return;
    // The preview never replaces text the user is typing.
    if (BodyEntered && !LockBody->isChecked()) return;
    TDialogCompiler compiler(Project, Prompter);
    TLines declarations;
    TLines code;
    try {
        code = compiler.Compile(element->Id, declarations);
    } catch (const ECompileError& error) {
        // No code to show: the block's own text rather than what the editor showed before.
        Prompter.ShowMessage(error.Message());
        ShowInBody(BodySource(*element), element->BodySelStart, element->BodySelLength);
        BodyShowsCode = false;
        return;
    }
    Body->setPlainText(LinesToQt(code));
    BodyShowsCode = true;
}

void TFMain::PreviewSwitched() {
    const bool on = InstantCompile->isChecked();
    // "Vs. Beibehalten" only means something while the preview is on.
    LockBody->setEnabled(on);
    if (!on) {
        if (TElement* element = ShownElement(); element && BodyShowsCode)
            ShowInBody(BodySource(*element), element->BodySelStart, element->BodySelLength);
        BodyShowsCode = false;
        LockBody->setChecked(false);
    }
    RefreshPreview();
}

void TFMain::LockBodySwitched() {
    if (LockBody->isChecked()) {
        // Switched on while the body is being edited: its text is kept before the preview
        // takes the editor.
        if (TElement* element = ShownElement(); element && BodyEntered) {
            StoreBody(*element);
            ScheduleChangeCheck();
        }
        Body->setReadOnly(true);
        Body->History().Blind();
        RefreshPreview();
    } else {
        // Switched off while the body has the focus: what is edited is the block's text.
        if (TElement* element = ShownElement(); element && BodyEntered && BodyShowsCode) {
            ShowInBody(BodySource(*element), element->BodySelStart, element->BodySelLength);
            BodyShowsCode = false;
        }
        Body->setReadOnly(false);
        Unblind(Body, false);
    }
}

namespace {

// The next (previous) node of the tree in pre-order, collapsed branches included.
TNode* NextInTree(const TBlockTree& tree, TNode* node, bool forward) {
    if (forward) {
        if (node->ChildCount() > 0) return node->Child(0);
        for (; node; node = node->Parent()) {
            const auto& siblings = tree.ChildrenOf(node->Parent());
            const int row = node->Row();
            if (row + 1 < static_cast<int>(siblings.size()))
                return siblings[static_cast<size_t>(row + 1)].get();
        }
        return nullptr;
    }
    const int row = node->Row();
    if (row == 0) return node->Parent();
    TNode* previous = tree.ChildrenOf(node->Parent())[static_cast<size_t>(row - 1)].get();
    while (previous->ChildCount() > 0)
        previous = previous->Child(previous->ChildCount() - 1);
    return previous;
}

} // namespace

bool TFMain::GotoNeighbourBlock(bool forward) {
    if (!Project.Selected) return false;
    TNode* found = Project.Selected;
    do {
        found = NextInTree(Project.Tree, found, forward);
    } while (found && !(found->Element() && !found->Element()->IsFree()));
    if (!found) return false;
    // With the preview on, the body goes straight to the next block's own text.
    if (!LockBody->isChecked()) SuppressPreview = true;
    CommitFocusedField();
    SelectNode(found);
    SuppressPreview = false;
    Body->setFocus(Qt::OtherFocusReason);
    return true;
}

void TFMain::MoveFocusToNextField(QWidget* from) {
    QWidget* next = nullptr;
    if (from == Heading) {
        for (QWidget* candidate :
             std::initializer_list<QWidget*>{Npc, Description, Condition, Body})
            if (candidate->isEnabled()) {
                next = candidate;
                break;
            }
    } else if (from == Npc) {
        next = Nr;
    } else if (from == Nr) {
        next = Description;
    } else if (from == Description) {
        next = Condition->isEnabled() ? static_cast<QWidget*>(Condition) : Body;
    }
    if (next) next->setFocus(Qt::TabFocusReason);
}

bool TFMain::HandleEditorKey(TCodeEditor* editor, QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    const bool ctrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    switch (key->key()) {
    case Qt::Key_E:
        if (!ctrl) return false;
        GotoError(editor);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ctrl) return false;
        // The line break is dropped; the body moves on to the tree, the condition to the body.
        if (editor == Condition)
            Body->setFocus(Qt::OtherFocusReason);
        else if (!Body->isReadOnly())
            Tree->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return ctrl && editor == Body && GotoNeighbourBlock(key->key() == Qt::Key_Down);
    default:
        return false;
    }
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool editorField = IsEditorField(widget);
    auto* codeEditor =
        widget == Body || widget == Condition ? static_cast<TCodeEditor*>(widget) : nullptr;
    if (event->type() == QEvent::FocusIn && codeEditor) {
        EnterEditor(codeEditor);
    } else if (event->type() == QEvent::FocusOut && editorField) {
        // A popup menu or another window taking the focus does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            LeaveField(widget);
    } else if (event->type() == QEvent::KeyPress && editorField) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        const bool ctrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
        if (!codeEditor && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            MoveFocusToNextField(widget);
            return true;
        }
        if (ctrl && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            SetFontSize(FontPoints + (key->key() == Qt::Key_Plus ? 1 : -1));
            return true;
        }
        if (ctrl && key->key() == Qt::Key_F) {
            StartSearch();
            return true;
        }
        if (key->key() == Qt::Key_F3 && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
            FindNext();
            return true;
        }
        if (codeEditor && HandleEditorKey(codeEditor, key)) return true;
    } else if (event->type() == QEvent::MouseButtonRelease && widget == HelpLabel) {
        OpenReadme();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::ApplyColours() {
    const QPalette base = QApplication::palette();
    for (int colourClass = 0; colourClass < kColourClassCount; ++colourClass) {
        QTextCharFormat format;
        format.setForeground(ToQColor(ColourTable[static_cast<size_t>(colourClass)], base));
        ColourFormats[static_cast<size_t>(colourClass)] = format;
    }
    const QColor back = ToQColor(ColourTable[clBack], base);
    const QColor text = ToQColor(ColourTable[clDef], base);
    const QColor disabled = ToQColor(kClBtnFace, base);
    const auto paint = [&](QWidget* widget) {
        QPalette palette = widget->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Base, back);
            palette.setColor(group, QPalette::Text, text);
        }
        palette.setColor(QPalette::Disabled, QPalette::Base, disabled);
        widget->setPalette(palette);
    };
    for (QWidget* widget :
         std::initializer_list<QWidget*>{Tree, Heading, Npc, Nr, Description, Condition, Body,
                                         NpcListForm->Text(), VariablesForm->Text()})
        paint(widget);
}

} // namespace redewerk
