#include "codegen/export_findings.h"
#include "codegen/exporter.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/settings.h"
#include "ui/block_tree_view.h"
#include "ui/export_findings_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"
#include "ui/text_codec.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QThread>
#include <QTranslator>

namespace {

// The findings window as an export of the open project would show it, for the documentation.
bool SaveFindingsPicture(redewerk::TFMain& window, redewerk::TProject& project,
                         redewerk::TPrompter& prompter, const QString& file) {
    using namespace redewerk;
    TCompiled compiled;
    compiled.ProjectName = "Taverne";
    CompileAll(project, compiled, prompter);
    TOutputLayout layout = PlanOutputFiles(compiled, ".");
    FillOutputFiles(layout, project, compiled);
    TFExportFindings* findings = window.FindingsDialog();
    findings->ShowFindings(FindExportProblems(layout.Files, project));
    findings->show();
    findings->resize(980, 260);
    QApplication::processEvents();
    return findings->grab().save(file);
}

// For the screenshot: shows the block at `nodePath` and types `text` at the end of its body
// key by key.
void ShowTyping(redewerk::TFMain& window, redewerk::TProject& project, const QString& nodePath,
                QString text) {
    redewerk::TNode* node = project.Tree.FindByPath(redewerk::FromQt(nodePath));
    if (!node) return;
    window.TreeView()->setFocus();
    window.SelectNode(node);
    redewerk::TCodeEditor* body = window.BodyEditor();
    body->setFocus();
    body->moveCursor(QTextCursor::End);
    for (const QChar c : text.replace(QStringLiteral("\\n"), QStringLiteral("\n"))) {
        const int key = c == u'\n' ? int(Qt::Key_Return) : int(c.toUpper().unicode());
        const QString typed = c == u'\n' ? QString() : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(body, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(body, &release);
    }
}

// Lets the editor colour and check what it shows, as it does once the user pauses.
void WaitUntilChecked(redewerk::TFMain& window) {
    QElapsedTimer waited;
    waited.start();
    while (window.IdleScheduler().Pending() && waited.elapsed() < 5000) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

} // namespace

// The editor: one main window over one project, for the whole run.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Redewerk"));
    // The desktop finds the entry and icon the installation puts into its folders.
    QGuiApplication::setDesktopFileName(QStringLiteral("redewerk"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("redewerk")));

    // Qt's own dialogs (file choosers, colour chooser) in German when the translations exist.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    redewerk::TProject project;
    redewerk::TDiskFileSystem files;
    redewerk::TQtPrompter prompter;
    redewerk::TFMain window(project, files, prompter);
    prompter.SetParent(&window);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // "--screenshot FILE.png PROJECT [NODEPATH [TEXT]]": saves a picture of the window with
    // the project and ends, for the documentation; with a node path that block is shown, and
    // TEXT ("\n" for Enter) is typed at the end of its body, as the user would.
    // "--screenshot-findings FILE.png PROJECT": the findings of the project's export.
    QString screenshot;
    bool findings = false;
    if (arguments.size() >= 2 && (arguments.first() == QStringLiteral("--screenshot") ||
                                  arguments.first() == QStringLiteral("--screenshot-findings"))) {
        findings = arguments.first() == QStringLiteral("--screenshot-findings");
        screenshot = arguments.at(1);
        arguments = arguments.mid(2);
    }
    // The settings file of the folder the program was started from, else the user's own.
    const std::string settings = redewerk::SettingsFilePath(
        redewerk::PathFromQt(QDir::currentPath()),
        redewerk::PathFromQt(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
        files);
    window.Start(arguments, redewerk::PathToQt(settings));
    if (!screenshot.isEmpty() && findings)
        return SaveFindingsPicture(window, project, prompter, screenshot) ? 0 : 1;
    if (!screenshot.isEmpty()) {
        window.showNormal();
        window.resize(1100, 700);
        window.TreeView()->expandAll();
        if (arguments.size() >= 2) ShowTyping(window, project, arguments.at(1), arguments.value(2));
        WaitUntilChecked(window);
        QApplication::processEvents();
        return window.grab().save(screenshot) ? 0 : 1;
    }
    return QApplication::exec();
}
