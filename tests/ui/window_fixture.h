#pragma once

#include "model/element.h"
#include "model/project.h"
#include "ui/block_tree_model.h"
#include "ui/block_tree_view.h"
#include "ui/import_dialog.h"
#include "ui/main_window.h"
#include "ui/node_name_dialog.h"
#include "ui/quarn_import_dialog.h"
#include "ui/text_codec.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace redewerk::testing {

// Does `act` with the modal dialog of type T once it is open.
template <typename T> void WhenOpen(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(qobject_cast<T*>(QApplication::activeModalWidget()));
        act(*qobject_cast<T*>(QApplication::activeModalWidget()));
    });
}

// The real main window over a project in memory, with a scripted prompter. The project:
//   Wirt (folder) > Hallo (Dialog, NPC Wirt) > Ja (Choice)
//   Wirt > Tschuess (Dialog)
//   Ereignisse (folder) > Betrunken (Event)
//   Hilfen (Code)
struct TWindowFixture : ::testing::Test {
    TProject Project;
    TMemoryFileSystem Files;
    TRecordingPrompter Prompter;
    TFMain Window{Project, Files, Prompter};
    TNode* Wirt = nullptr;
    TNode* Hallo = nullptr;
    TNode* Ja = nullptr;
    TNode* Tschuess = nullptr;
    TNode* Ereignisse = nullptr;
    TNode* Betrunken = nullptr;
    TNode* Hilfen = nullptr;

    void SetUp() override {
        Wirt = Add(nullptr, "Wirt", ekFolder);
        Hallo = Add(Wirt, "Hallo", ekDialog);
        Ja = Add(Hallo, "Ja", ekChoice);
        Tschuess = Add(Wirt, "Tschuess", ekDialog);
        Ereignisse = Add(nullptr, "Ereignisse", ekFolder);
        Betrunken = Add(Ereignisse, "Betrunken", ekEvent);
        Hilfen = Add(nullptr, "Hilfen", ekCode);
        Hallo->Element()->Npc = "Wirt";
        Hallo->Element()->Heading = "Gru\xDF";
        Hallo->Element()->Important = true;
        Window.Start({}, QStringLiteral("Schaltpult.ini"));
        Window.showNormal();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    TNode* Add(TNode* parent, const char* name, int32_t kind) {
        TNode* node = Project.Tree.AppendChild(parent, name);
        if (kind != ekFolder) Project.CreateElement(node, kind);
        return node;
    }

    template <typename T> T* Find(const char* name) const {
        T* widget = Window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Field(const char* name) const { return Find<QLineEdit>(name); }
    QPlainTextEdit* Editor(const char* name) const { return Find<QPlainTextEdit>(name); }

    // Selects the node the way a click in the tree does: the tree takes the focus first.
    void Click(TNode* node) {
        Window.TreeView()->setFocus(Qt::MouseFocusReason);
        Window.SelectNode(node);
    }

    // Does `act` once the modal `dialog` is open, then closes it if `act` left it open.
    static void WhenShown(QDialog* dialog, std::function<void()> act) {
        QTimer::singleShot(0, dialog, [dialog, act] {
            QTRY_VERIFY(dialog->isVisible());
            act();
            if (dialog->isVisible()) dialog->reject();
        });
    }

    // "QDC-Import" of `path` with `option`; true when the dialog stayed open after OK.
    bool ImportDia(int option, const char* path) {
        auto* dialog = Window.findChild<TFImportQuarn*>();
        bool stayedOpen = false;
        WhenShown(dialog, [&] {
            dialog->SetOption(option);
            dialog->PathField()->setText(QString::fromLatin1(path));
            dialog->ExecuteButton()->click();
            stayedOpen = dialog->isVisible();
        });
        Find<QPushButton>("QDC-Import")->click();
        return stayedOpen;
    }
    // "Importieren" of the scripts already listed and these.
    void ImportScripts(const QStringList& paths) {
        auto* dialog = Window.findChild<TFImport*>();
        WhenShown(dialog, [dialog, paths] {
            dialog->AddPaths(paths);
            dialog->StartButton()->click();
        });
        Find<QPushButton>("Importieren")->click();
    }

    // Answers the name dialog with these names in turn, pressing Enter after each. A dialog
    // still open when the answers are used up gets a made-up name, so a test cannot hang.
    void AnswerNames(QStringList names) {
        auto* timer = new QTimer(&Window);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, names]() mutable {
            TFNodeName* dialog = Window.NameDialog();
            if (!dialog->isVisible()) return;
            if (names.isEmpty()) {
                ADD_FAILURE() << "the name dialog asked once more";
                names << QStringLiteral("Notausgang%1").arg(qintptr(timer) % 1000);
            }
            dialog->NameField()->setText(names.takeFirst());
            QTest::keyClick(dialog->NameField(), Qt::Key_Return);
            if (!dialog->isVisible() && names.isEmpty()) timer->deleteLater();
        });
        timer->start();
    }

    // The menu entry with this caption (without "&"), searched through the submenus.
    static QAction* MenuEntry(QMenu* menu, const QString& caption) {
        for (QAction* action : menu->actions()) {
            if (action->text().remove(QLatin1Char('&')) == caption) return action;
            if (action->menu())
                if (QAction* inner = MenuEntry(action->menu(), caption)) return inner;
        }
        return nullptr;
    }
    static QAction* SubmenuEntry(QMenu* menu, const QString& submenu, const QString& caption) {
        for (QAction* action : menu->actions())
            if (action->menu() && action->text().remove(QLatin1Char('&')) == submenu)
                return MenuEntry(action->menu(), caption);
        return nullptr;
    }
};

} // namespace redewerk::testing
