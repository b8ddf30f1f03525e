// The main window's project file: loading and saving, quick save, the title with its change
// mark, the question before unsaved changes are lost, the projects opened last, closing the
// window and the help.
#include "ui/main_window.h"

#include "model/element.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"
#include "model/prompter.h"
#include "ui/block_tree_view.h"
#include "ui/help_window.h"
#include "ui/text_codec.h"
#include "ui/variables_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace redewerk {
namespace {

QString ProjectFilter() {
    return QStringLiteral("Schaltpult Saves (*.dlx);;Alle Dateien (*.*)");
}

} // namespace

void TFMain::BuildFileCommands() {
    const auto command = [this](const QKeySequence& keys, auto act) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, act);
        addAction(action);
        // Saving works from the variables window as well.
        VariablesForm->addAction(action);
    };
    command(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { QuickSave(); });
    command(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveClick(); });
    command(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { LoadClick(); });
}

bool TFMain::LoadProjectFile(const QString& path) {
    CommitFocusedField();
    if (!AskToSaveChanges()) return false;
    if (!LoadProject(Project, PathFromQt(path), Files, Prompter)) return false;
    ProjectPath = path;
    MarkSaved();
    RememberRecent(path);
    VariablesForm->ShowProjectText();
    OpenFileName = path;
    TNode* selected = Project.Selected;
    Project.Selected = nullptr;
    if (selected) {
        Tree->setFocus();
        SelectNode(selected);
    } else {
        ClearEditor();
    }
    return true;
}

bool TFMain::SaveProjectFile(const QString& path) {
    // Written back as leaving it would; the field keeps the focus for typing on.
    QWidget* field = focusWidget();
    if (!IsEditorField(field)) field = nullptr;
    CommitFocusedField();
    const bool saved = SaveProject(Project, PathFromQt(path), Files, Prompter);
    if (saved) {
        ProjectPath = path;
        MarkSaved();
        SaveFileName = path;
        RememberRecent(path);
    }
    if (field && field->isEnabled()) field->setFocus(Qt::OtherFocusReason);
    return saved;
}

void TFMain::LoadClick() {
    QFileDialog dialog(this, QStringLiteral("Projektdatei öffnen"),
                       QFileInfo(OpenFileName).absolutePath(), ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("dlx"));
    if (!OpenFileName.isEmpty()) dialog.selectFile(OpenFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    LoadProjectFile(dialog.selectedFiles().first());
}

bool TFMain::SaveClick() {
    // The project's own file first; before the first save, the last project saved.
    const QString start = ProjectPath.isEmpty() ? SaveFileName : ProjectPath;
    QFileDialog dialog(this, QStringLiteral("Projekt Speichern"), QFileInfo(start).absolutePath(),
                       ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dlx"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in German
    if (!start.isEmpty()) dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().first();
    if (QFileInfo::exists(path) &&
        !Prompter.AskYesNo(FromQt(QFileInfo(path).fileName()) + " ist bereits vorhanden.\r\nM\xF6"
                                                                "chten Sie sie ersetzen?",
                           "Speichern unter best\xE4tigen"))
        return false;
    return SaveProjectFile(path);
}

bool TFMain::QuickSave() {
    return ProjectPath.isEmpty() ? SaveClick() : SaveProjectFile(ProjectPath);
}

void TFMain::ForgetProjectFile() {
    ProjectPath.clear();
    UpdateTitle();
}

size_t TFMain::ProjectFingerprint() {
    // The selection is no change, and leaving a field registers the known references in
    // another order than the file may hold them: neither counts.
    TNode* selected = std::exchange(Project.Selected, nullptr);
    std::vector<std::pair<TElement*, std::vector<int32_t>>> knownRefs;
    Project.Elements.ForEach([&](TElement& element) {
        if (std::is_sorted(element.KnownRefs.begin(), element.KnownRefs.end())) return;
        knownRefs.emplace_back(&element, element.KnownRefs);
        std::sort(element.KnownRefs.begin(), element.KnownRefs.end());
    });
    const size_t fingerprint = std::hash<std::string>{}(SerializeProject(Project));
    for (auto& [element, refs] : knownRefs)
        element->KnownRefs = std::move(refs);
    Project.Selected = selected;
    return fingerprint;
}

void TFMain::MarkSaved() {
    SavedFingerprint = ProjectFingerprint();
    FieldTyped = false;
    Changed = false;
    UpdateTitle(); // the file's name may be new
}

bool TFMain::HasUnsavedChanges() {
    CommitFocusedField();
    SetChangeMark(ProjectFingerprint() != SavedFingerprint);
    return Changed;
}

void TFMain::ScheduleChangeCheck() {
    if (ChangeCheckPending) return;
    ChangeCheckPending = true;
    // Once per command, however many changes it made.
    QTimer::singleShot(0, this, [this] {
        ChangeCheckPending = false;
        SetChangeMark(FieldTyped || ProjectFingerprint() != SavedFingerprint);
    });
}

void TFMain::NoteTyping() {
    FieldTyped = true;
    SetChangeMark(true);
}

void TFMain::SetChangeMark(bool changed) {
    if (changed == Changed) return; // typing marks at every key
    Changed = changed;
    UpdateTitle();
}

void TFMain::UpdateTitle() {
    const QString name =
        ProjectPath.isEmpty() ? QStringLiteral("Unbenannt") : QFileInfo(ProjectPath).fileName();
    setWindowTitle((Changed ? QStringLiteral("*") : QString()) + name +
                   QStringLiteral(" – Redewerk"));
}

bool TFMain::AskToSaveChanges() {
    if (!HasUnsavedChanges()) return true;
    const QString name =
        ProjectPath.isEmpty() ? QStringLiteral("Unbenannt") : QFileInfo(ProjectPath).fileName();
    switch (Prompter.AskSaveChanges("Die \xC4nderungen an " + FromQt(name) + " speichern?")) {
    case TPrompter::TSaveAnswer::Save:
        return QuickSave();
    case TPrompter::TSaveAnswer::Discard:
        return true;
    case TPrompter::TSaveAnswer::Cancel:
        break;
    }
    return false;
}

void TFMain::RememberRecent(const QString& path) {
    AddRecentProject(Recent, PathFromQt(QFileInfo(path).absoluteFilePath()));
    UpdateRecentMenu();
}

void TFMain::UpdateRecentMenu() {
    // The entry chosen may be the one being handled: deleted once that is done.
    for (QAction* action : RecentPopup->actions()) {
        RecentPopup->removeAction(action);
        action->deleteLater();
    }
    if (Recent.empty()) {
        RecentPopup->addAction(QStringLiteral("(leer)"))->setEnabled(false);
        return;
    }
    int number = 0;
    for (const std::string& recent : Recent) {
        const QString path = PathToQt(recent);
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action =
            RecentPopup->addAction(QStringLiteral("&%1 %2").arg(++number).arg(caption));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (LoadProjectFile(path) || Files.FileExists(PathFromQt(path))) return;
            // A project that is gone is offered no longer.
            std::erase(Recent, PathFromQt(path));
            UpdateRecentMenu();
        });
    }
}

void TFMain::closeEvent(QCloseEvent* event) {
    // With unsaved changes the one question is whether to save them; else the farewell.
    const bool close = HasUnsavedChanges()
                           ? AskToSaveChanges()
                           : Prompter.AskYesNo("Redewerk beenden?", "Und tsch\xFCss!");
    if (!close) {
        event->ignore();
        return;
    }
    // A settings file that cannot be written is reported; the program still ends.
    WriteSettingsFile(PathFromQt(SettingsFile), CollectSettings(), Files, Prompter);
    event->accept();
}

void TFMain::OpenReadme() {
    const QString path = FindReadme(QCoreApplication::applicationDirPath(), Files);
    if (path.isEmpty()) return;
    if (OpenExternally && OpenExternally(QUrl::fromLocalFile(path))) return;
    std::string text;
    if (const int error = Files.ReadFile(PathFromQt(path), text)) {
        Prompter.ShowMessage(UnreadableFileMessage(PathFromQt(path), error));
        return;
    }
    HelpForm->ShowText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    HelpForm->show();
    HelpForm->raise();
    HelpForm->activateWindow();
}

} // namespace redewerk
