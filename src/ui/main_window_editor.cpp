// The main window's block editor part: showing the selected block by its kind, writing the
// fields back when they are left, the keys of the header fields, colours and focus.
#include "ui/main_window.h"

#include "model/element.h"
#include "model/project.h"
#include "model/prompter.h"
#include "model/references.h"
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
    setUpdatesEnabled(false);
    TElement* element = SelectedElement();
    if (!element) {
        ClearEditor();
    } else if (element->Kind < ekDialog || element->Kind > ekCode) {
        ShownNode = nullptr;
        Prompter.ShowMessage("Renderer: Ung\xFCltiger Bausteintyp???");
    } else {
        ShowElement(*element);
        ShownNode = Project.Selected;
    }
    setUpdatesEnabled(true);
    // The block editor regenerates the preview and resets both undo histories here.
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

void TFMain::ShowElement(const TElement& element) {
    const bool dialog = element.Kind == ekDialog;
    const bool event = element.Kind == ekEvent;
    const bool choice = element.Kind == ekChoice;
    SetField(Heading, HeadingLabel, &element.Heading);
    SetField(Npc, NpcLabel, dialog ? &element.Npc : nullptr);
    SetField(Nr, NrLabel, dialog ? &element.Nr : nullptr);
    SetField(Description, DescriptionLabel, dialog || choice ? &element.Description : nullptr);
    SetCondition(dialog || event ? &element : nullptr);
    const TLines body = ConvertReferencesInText(Project, element.Body, TRefDirection::IdToPath,
                                                element.Node, Prompter);
    Body->setPlainText(LinesToQt(body));
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
    Body->setEnabled(false);
    for (QCheckBox* flag : {Important, Permanent, Trade})
        SetFlag(flag, nullptr);
}

bool TFMain::IsHeaderField(const QWidget* widget) const {
    return widget == Heading || widget == Npc || widget == Nr || widget == Description;
}

bool TFMain::IsEditorField(const QWidget* widget) const {
    return IsHeaderField(widget) || widget == Condition || widget == Body;
}

void TFMain::CommitFocusedField() {
    QWidget* focused = focusWidget();
    if (IsEditorField(focused)) {
        WriteBack(focused);
        // Leaving the field now must not write it back a second time.
        focused->removeEventFilter(this);
        Tree->setFocus(Qt::OtherFocusReason);
        focused->installEventFilter(this);
    }
}

void TFMain::WriteBack(QWidget* field) {
    TElement* element = ShownElement();
    if (!element || !field->isEnabled()) return;
    if (field == Heading)
        element->Heading = FromQt(Heading->text());
    else if (field == Npc)
        element->Npc = FromQt(Npc->text());
    else if (field == Nr)
        element->Nr = FromQt(Nr->text());
    else if (field == Description)
        element->Description = FromQt(Description->text());
    else if (field == Condition)
        ConditionExit();
    else if (field == Body)
        BodyExit();
    // The block editor refreshes the preview here.
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
        ConvertReferencesInText(Project, LinesFromQt(EditorText(Condition)),
                                TRefDirection::PathToId, Project.Selected, Prompter);
}

// Both editors' known references live in one list of the element, so leaving either editor
// rebuilds the whole list from both texts.
void TFMain::ConditionExit() {
    TElement* element = ShownElement();
    element->KnownRefs.clear();
    RegisterKnownRefs(element->Body);
    StoreConditionFromEditor(*element);
    SetCondition(element); // the paths in their normal form
}

void TFMain::BodyExit() {
    TElement* element = ShownElement();
    TNode* node = Project.Selected;
    const QTextCursor cursor = Body->textCursor();
    element->BodySelStart = cursor.selectionStart();
    element->BodySelLength = cursor.selectionEnd() - cursor.selectionStart();
    element->KnownRefs.clear();
    if (Condition->isEnabled()) {
        StoreConditionFromEditor(*element);
    } else {
        // A Choice keeps a condition it got from an import although the editor does not
        // show it: register its known references without touching it.
        RegisterKnownRefs(element->Condition);
    }
    const QString typed = EditorText(Body);
    element->Body = ConvertReferencesInText(Project, LinesFromQt(typed), TRefDirection::PathToId,
                                            node, Prompter);
    const TLines shown =
        ConvertReferencesInText(Project, element->Body, TRefDirection::IdToPath, node, Prompter);
    const QString text = LinesToQt(shown);
    if (text != typed) {
        Body->setPlainText(text);
        QTextCursor restored = Body->textCursor();
        restored.setPosition(
            std::min<int>(element->BodySelStart, Body->document()->characterCount() - 1));
        Body->setTextCursor(restored);
    }
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
    // The block editor refreshes the preview here.
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

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool headerField = IsHeaderField(widget);
    const bool editorField = IsEditorField(widget);
    if (event->type() == QEvent::FocusOut && editorField) {
        // A popup menu or another window taking the focus does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            WriteBack(widget);
    } else if (event->type() == QEvent::KeyPress && editorField) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        if (headerField && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            MoveFocusToNextField(widget);
            return true;
        }
        if (ctrl && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            SetFontSize(FontPoints + (key->key() == Qt::Key_Plus ? 1 : -1));
            return true;
        }
        // The search keys (Ctrl+F, F3) and the code editors' own keys are handled here once
        // the search and the block editor exist.
    } else if (event->type() == QEvent::MouseButtonRelease && widget == HelpLabel) {
        OpenReadme();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::ApplyColours() {
    const QPalette base = QApplication::palette();
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
