#include "model/file_system.h"
#include "model/project.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"

#include <QApplication>

// The editor: one main window over one project, for the whole run.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Redewerk"));

    redewerk::TProject project;
    redewerk::TDiskFileSystem files;
    redewerk::TQtPrompter prompter;
    redewerk::TFMain window(project, files, prompter);
    prompter.SetParent(&window);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.show();
    window.Start(arguments);
    return QApplication::exec();
}
