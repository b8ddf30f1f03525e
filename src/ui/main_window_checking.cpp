// The main window's syntax feedback: the idle scheduler that re-colours and re-checks the two
// code editors once the user pauses, the status panels, and going to the error.
#include "ui/main_window.h"

#include "model/element.h"
#include "model/prompter.h"
#include "ui/palette_colours.h"
#include "ui/syntax_panel.h"
#include "ui/text_codec.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTextCursor>
#include <QTimer>

namespace redewerk {
namespace {

// The pause between two idle passes while work is pending.
constexpr int kIdleInterval = 30;

} // namespace

void TFMain::ConnectScheduler() {
    IdleTick = new QTimer(this);
    IdleTick->setObjectName(QStringLiteral("IdleTimer"));
    connect(IdleTick, &QTimer::timeout, this, &TFMain::RunIdlePass);
    connect(Body, &TCodeEditor::Edited, this, [this] {
        Scheduler.BodyEdited();
        WakeScheduler();
    });
    connect(Condition, &TCodeEditor::Edited, this, [this] {
        Scheduler.ConditionEdited();
        WakeScheduler();
    });
    for (TCodeEditor* editor : {Condition, Body}) {
        connect(editor, &TCodeEditor::UnblindFailed, this, [this] {
            Prompter.ShowMessage("Internal Error: Active Undo-Handler can not be un-blinded!");
        });
        connect(editor->Panel(), &TSyntaxPanel::Clicked, this,
                [this, editor] { SyntaxPanelClick(editor); });
    }
    connect(GotoErrorAction, &QAction::triggered, this, &TFMain::GotoErrorClick);
}

void TFMain::WakeScheduler() {
    // The first pass as soon as the event queue is empty, the next ones every 30 ms.
    if (Scheduler.Pending() && !IdleTick->isActive()) IdleTick->start(0);
}

void TFMain::RunIdlePass() {
    if (Scheduler.Pass())
        IdleTick->stop(); // at rest until the next edit
    else if (IdleTick->interval() != kIdleInterval)
        IdleTick->setInterval(kIdleInterval);
}

void TFMain::Colour(TCodeEditor* editor, THighlighter& highlighter) {
    const QPalette palette = QApplication::palette();
    highlighter.Highlight(editor->Bytes(), ColourTable,
                          [&](TColour colour) { return FromQColor(ToQColor(colour, palette)); });
    editor->ApplyColours(highlighter.Runs(), ColourFormats);
}

void TFMain::CheckEditors() {
    // Without a block the panels keep what they show.
    const TElement* element = ShownElement();
    if (!element) return;
    Check(Body, BodyParser,
          BodyCheckMode(element->Kind, element->Important, LockBody->isChecked(),
                        InstantCompile->isChecked(), !BodyShowsCode),
          element->Kind);
    Check(Condition, ConditionParser, TCheckMode::Condition, element->Kind);
}

void TFMain::Check(TCodeEditor* editor, TParser& parser, TCheckMode mode, int32_t blockKind) {
    const TCheckResult result = redewerk::CheckSyntax(parser, editor->Bytes(), mode, blockKind);
    if (result.Ok) {
        editor->setExtraSelections({});
        editor->Panel()->ShowOk(ToQt(result.Message));
    } else {
        editor->MarkError(result.ErrorPos);
        editor->Panel()->ShowError(ToQt(result.Message));
    }
}

TParser& TFMain::ParserOf(const TCodeEditor* editor) {
    return editor == Condition ? ConditionParser : BodyParser;
}

void TFMain::GotoError(TCodeEditor* editor) {
    // A position found before the last edit would point anywhere.
    if (!editor || Scheduler.Pending()) return;
    const int32_t pos = ParserOf(editor).ErrorPos;
    if (pos < 0) return;
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(std::min(pos, editor->document()->characterCount() - 1));
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void TFMain::GotoErrorClick() {
    QPlainTextEdit* target = TextMenuTarget();
    GotoError(target == Body ? Body : target == Condition ? Condition : nullptr);
}

void TFMain::SyntaxPanelClick(TCodeEditor* editor) {
    if (editor->Panel()->IsRed() && !Scheduler.Pending())
        Prompter.ShowMessage(FromQt(editor->Panel()->Hint()));
    // The error of the panel's own editor, whichever editor had the focus.
    if (focusWidget() != editor && editor->isEnabled()) editor->setFocus(Qt::MouseFocusReason);
    GotoError(editor);
}

void TFMain::CheckSyntaxSwitched() {
    const bool on = CheckSyntax->isChecked();
    Scheduler.CheckSyntax = on;
    for (TCodeEditor* editor : {Condition, Body})
        editor->Panel()->setVisible(on);
    Scheduler.RequestCheck();
    WakeScheduler();
}

} // namespace redewerk
