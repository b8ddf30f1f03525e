#include "codegen/export_findings.h"
#include "codegen/exporter.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/settings.h"
#include "ui/block_tree_view.h"
#include "ui/export_findings_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
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

} // namespace

// The editor: one main window over one project, for the whole run.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Redewerk"));

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
    // "--screenshot FILE.png PROJECT": saves a picture of the window with the project and
    // ends, for the documentation; "--screenshot-findings" the findings of its export.
    QString screenshot;
    bool findings = false;
    if (arguments.size() >= 2 && (arguments.first() == QStringLiteral("--screenshot") ||
                                  arguments.first() == QStringLiteral("--screenshot-findings"))) {
        findings = arguments.first() == QStringLiteral("--screenshot-findings");
        screenshot = arguments.at(1);
        arguments = arguments.mid(2);
    }
    // The settings file is looked for in the folder the program was started from.
    window.Start(arguments, QDir::current().filePath(QLatin1String(redewerk::kSettingsFileName)));
    if (!screenshot.isEmpty() && findings)
        return SaveFindingsPicture(window, project, prompter, screenshot) ? 0 : 1;
    if (!screenshot.isEmpty()) {
        window.showNormal();
        window.resize(1100, 700);
        window.TreeView()->expandAll();
        QApplication::processEvents();
        return window.grab().save(screenshot) ? 0 : 1;
    }
    return QApplication::exec();
}
