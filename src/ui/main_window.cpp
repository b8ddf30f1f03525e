#include "ui/main_window.h"

#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"
#include "ui/block_tree_model.h"

#include <QFileInfo>
#include <QTreeView>

namespace redewerk {

TFMain::TFMain(TProject& project, TFileSystem& files, TPrompter& prompter, QWidget* parent)
    : QMainWindow(parent), Project(project), Files(files), Prompter(prompter),
      Model(new TBlockTreeModel(project.Tree, this)), Tree(new QTreeView(this)) {
    setWindowTitle(QStringLiteral("Redewerk"));
    Tree->setModel(Model);
    Tree->setHeaderHidden(true);
    setCentralWidget(Tree);
    resize(900, 650);
}

TFMain::~TFMain() {
    Tree->setModel(nullptr);
}

void TFMain::Start(const QStringList& arguments) {
    if (!arguments.isEmpty() && QFileInfo(arguments.first()).isFile())
        LoadProjectFile(arguments.first());
}

bool TFMain::LoadProjectFile(const QString& path) {
    if (!LoadProject(Project, path.toStdString(), Files, Prompter)) return false;
    if (Project.Selected) Tree->setCurrentIndex(Model->IndexOf(Project.Selected));
    return true;
}

} // namespace redewerk
