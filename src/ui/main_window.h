#pragma once

#include <QMainWindow>
#include <QStringList>

class QTreeView;

namespace redewerk {

class TBlockTreeModel;
class TFileSystem;
class TNode;
class TProject;
class TPrompter;

// The editor's main window.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    TFMain(TProject& project, TFileSystem& files, TPrompter& prompter, QWidget* parent = nullptr);
    ~TFMain() override;

    // The start-up steps; `arguments` are the command-line arguments without the program.
    void Start(const QStringList& arguments);
    bool LoadProjectFile(const QString& path);

    QTreeView* TreeView() const { return Tree; }
    TBlockTreeModel* TreeModel() const { return Model; }

private:
    TProject& Project;
    TFileSystem& Files;
    TPrompter& Prompter;
    TBlockTreeModel* Model;
    QTreeView* Tree;
};

} // namespace redewerk
