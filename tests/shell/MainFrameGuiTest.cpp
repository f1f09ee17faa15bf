#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "platform/ProgramDirectory.h"
#include "shell/AboutDlg.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/MainFrame.h"
#include "shell/QuelView.h"
#include "shell/SelectScaleDlg.h"
#include "shell/SingleInstance.h"
#include "shell/SplashWindow.h"
#include "shell/UserManual.h"
#include "tests/shell/ShellGuiHelpers.h"
#include "tests/support/Accessibility.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::buttonByCaption;
using test::onNextModal;
using test::typeNextName;

std::vector<int> scaleGatedCommands() {
    std::vector<int> commands;
    for (const MenuItem& item : menuItems()) {
        if (item.gate == Gate::Scale) {
            commands.push_back(item.command);
        }
    }
    commands.push_back(command::kVat);
    commands.push_back(command::kLabelFiles);
    return commands;
}

class MainFrameTest : public ::testing::Test {
protected:
    void expectDataCommands(bool enabled) {
        for (int command : scaleGatedCommands()) {
            QAction* action = frame.commandAction(command);
            ASSERT_NE(action, nullptr) << command;
            EXPECT_EQ(action->isEnabled(), enabled) << action->text().toStdString();
        }
        for (int command :
             {command::kSelectScale, command::kCommPortSetup, command::kExit, command::kAbout,
              command::kHelpTopic, command::kToolbar, command::kStatusBar}) {
            EXPECT_TRUE(frame.commandAction(command)->isEnabled()) << command;
        }
        for (int command : {command::kLabelLoadAndDownload, 57635, 57634, 57637}) {
            EXPECT_FALSE(frame.commandAction(command)->isEnabled()) << command;
        }
    }
    // Runs "Select &Scale" with the given steps on the store and scale dialog.
    void selectScale(const std::function<void(CSelectScaleDlg*)>& steps) {
        onNextModal([steps](QWidget* modal) {
            auto* dialog = qobject_cast<CSelectScaleDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            steps(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        frame.commandAction(command::kSelectScale)->trigger();
    }
    static void addStoreAndScale(CSelectScaleDlg* dialog) {
        typeNextName("Main");
        buttonByCaption(dialog, "ADD Store")->click();
        typeNextName("S1");
        buttonByCaption(dialog, "ADD Scale")->click();
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    CMainFrame frame;
};

TEST_F(MainFrameTest, MenuBarCaptionsAndItemsAreThoseOfTheTable) {
    QStringList top;
    for (QAction* a : frame.menuBar()->actions()) {
        top << a->text();
    }
    EXPECT_EQ(top, (QStringList{"&File ", "&View ", "&Data Input ", "&Lable Define ", "&Setup ",
                                "&Communication", "Histor&y", "&Help"}));
    QMenu* data = frame.menuBar()->actions()[2]->menu();
    ASSERT_NE(data, nullptr);
    QStringList items;
    for (QAction* a : data->actions()) {
        items << (a->isSeparator() ? QString("-") : a->text());
    }
    EXPECT_EQ(items,
              (QStringList{"&PLU", "Preset &Key", "E&xtra Text", "-", "&Group", "&Operator",
                           "&Tare", "D&iscout", "-", "DateT&ext", "&BarCode", "-",
                           "Marquee &Message", "&HeaderBottom", "&Advertisement", "Sto&re Address",
                           "-", "&Default Label", "&Label Load And Download"}));
    QMenu* labels = data->actions()[17]->menu();
    ASSERT_NE(labels, nullptr);
    EXPECT_EQ(labels->actions().size(), 3);
    EXPECT_EQ(labels->actions()[1]->data().toInt(), command::kTotalLabel);
    QMenu* setup = frame.menuBar()->actions()[4]->menu();
    ASSERT_EQ(setup->actions().size(), 4);
    EXPECT_TRUE(setup->actions()[2]->isSeparator());
}

// Every item of a menu (the menu bar included) has a mnemonic that no other item there has.
void expectDistinctMnemonics(const QString& where, const QList<QAction*>& actions) {
    std::map<QString, QString> taken;
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            continue;
        }
        const QKeySequence mnemonic = QKeySequence::mnemonic(a->text());
        EXPECT_FALSE(mnemonic.isEmpty()) << where.toStdString() << ": " << a->text().toStdString();
        const auto [it, fresh] = taken.emplace(mnemonic.toString(), a->text());
        EXPECT_TRUE(fresh) << where.toStdString() << ": " << a->text().toStdString() << " and "
                           << it->second.toStdString();
        if (a->menu()) {
            expectDistinctMnemonics(a->text(), a->menu()->actions());
        }
    }
}

TEST_F(MainFrameTest, EveryMenuHasDistinctMnemonics) {
    expectDistinctMnemonics("menu bar", frame.menuBar()->actions());
}

TEST_F(MainFrameTest, EveryCommandCarriesItsNumberNameAndPrompt) {
    for (const MenuItem& item : menuItems()) {
        QAction* action = frame.commandAction(item.command);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->data().toInt(), item.command);
        EXPECT_EQ(frame.findChild<QAction*>(action->objectName()), action);
    }
    EXPECT_EQ(frame.commandAction(command::kSelectScale)->statusTip(), "please select scale");
    EXPECT_EQ(frame.commandAction(command::kToolbar)->statusTip(), "Show or hide the toolbar");
    EXPECT_EQ(frame.commandAction(command::kToolbar)->toolTip(), "Toggle ToolBar");
    EXPECT_EQ(frame.commandAction(command::kCommunication)->statusTip(), "Batch Transfer");
    EXPECT_EQ(frame.commandAction(command::kLabelFiles)->statusTip(), "Label Transfer.");
    // The two hidden commands are on the window, in no menu and on no toolbar.
    EXPECT_TRUE(frame.actions().contains(frame.commandAction(command::kVat)));
    EXPECT_TRUE(frame.commandAction(command::kVat)->associatedObjects().size() == 1);
}

TEST_F(MainFrameTest, ToolbarAndStatusBar) {
    auto* toolbar = frame.findChild<QToolBar*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    QStringList tips;
    for (QAction* a : toolbar->actions()) {
        tips << (a->isSeparator() ? QString("-") : a->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{"Select Scale", "Exit", "About", "-", "Cut", "Copy", "Paste"}));
    EXPECT_EQ(frame.idlePane()->text(), kIdleText);
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d  \\d\\d  \\d\\d $").match(frame.datePane()->text()).hasMatch())
        << frame.datePane()->text().toStdString();
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d   $").match(frame.timePane()->text()).hasMatch());
    EXPECT_EQ(frame.windowTitle(), "vorn");
}

TEST_F(MainFrameTest, ToolbarAndStatusItemsShowAndHideTheirBarsAndFollowThem) {
    // Before the window is first shown, as while it is minimised.
    auto* toolbar = frame.findChild<QToolBar*>("toolbar");
    QAction* toolbarItem = frame.commandAction(command::kToolbar);
    QAction* statusItem = frame.commandAction(command::kStatusBar);
    toolbarItem->trigger();
    EXPECT_TRUE(toolbar->isHidden());
    EXPECT_FALSE(toolbarItem->isChecked());
    toolbarItem->trigger();
    EXPECT_FALSE(toolbar->isHidden());
    EXPECT_TRUE(toolbarItem->isChecked());
    statusItem->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    EXPECT_FALSE(statusItem->isChecked());
    statusItem->trigger();
    EXPECT_FALSE(frame.statusBar()->isHidden());
    frame.show();
    // Closed from the window's context menu: the menu item follows.
    toolbar->toggleViewAction()->trigger();
    EXPECT_TRUE(toolbar->isHidden());
    EXPECT_FALSE(toolbarItem->isChecked());
    toolbarItem->trigger();
    EXPECT_TRUE(toolbar->isVisible());
    EXPECT_TRUE(toolbarItem->isChecked());
}

TEST_F(MainFrameTest, TheWindowAndTheAboutBoxNameEveryControl) {
    EXPECT_EQ(test::unnamedControls(frame), std::vector<std::string>{});
    CAboutDlg about(&frame);
    EXPECT_TRUE(test::unnamedControls(about).empty());
}

TEST_F(MainFrameTest, DataCommandsWaitForAScale) {
    expectDataCommands(false);
    selectScale([](CSelectScaleDlg* d) { d->reject(); });  // Escape
    expectDataCommands(false);
    selectScale([](CSelectScaleDlg* d) { buttonByCaption(d, "Exit")->click(); });
    expectDataCommands(false);
    selectScale([](CSelectScaleDlg* d) { buttonByCaption(d, "OK")->click(); });  // no stores
    expectDataCommands(false);
    EXPECT_EQ(frame.windowTitle(), "- vorn");
    EXPECT_EQ(fs::current_path(), dir.path());
    selectScale([](CSelectScaleDlg* d) {
        addStoreAndScale(d);
        buttonByCaption(d, "OK")->click();
    });
    expectDataCommands(true);
    EXPECT_EQ(frame.windowTitle(), "The Scale: Main->S1");
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    // A later run that enters no scale keeps the scale, its directory and its title.
    selectScale([](CSelectScaleDlg* d) {
        buttonByCaption(d, "DEL Store")->click();
        buttonByCaption(d, "OK")->click();
    });
    expectDataCommands(true);
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    EXPECT_EQ(frame.windowTitle(), "The Scale: Main->S1");
}

TEST_F(MainFrameTest, EscapeInTheViewClosesTheWindow) {
    frame.show();
    ASSERT_TRUE(frame.isVisible());
    QTest::keyClick(frame.view(), Qt::Key_Escape);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameTest, TheKeyThatRemovesTheStartUpPictureDoesNothingElse) {
    frame.show();
    CSplashWindow::showSplashScreen(&frame);
    ASSERT_NE(CSplashWindow::current(), nullptr);
    QTest::keyClick(frame.view(), Qt::Key_Escape);
    EXPECT_EQ(CSplashWindow::current(), nullptr);
    EXPECT_TRUE(frame.isVisible());
    CSplashWindow::showSplashScreen(&frame);
    QTest::mouseClick(frame.view(), Qt::LeftButton);
    EXPECT_EQ(CSplashWindow::current(), nullptr);
    CSplashWindow::showSplashScreen(&frame);
    QTest::qWait(CSplashWindow::kShowMilliseconds + 300);
    EXPECT_EQ(CSplashWindow::current(), nullptr);
    QTest::keyClick(frame.view(), Qt::Key_Escape);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameTest, TheLabelEditorIsStartedOnceWhileItRuns) {
    selectScale([](CSelectScaleDlg* d) {
        addStoreAndScale(d);
        buttonByCaption(d, "OK")->click();
    });
    ASSERT_TRUE(frame.scaleSelected());
    // A stand-in editor in the base directory, reached as ../../FORMPAD from the scale.
    const fs::path editor = dir.path() / "FORMPAD";
    const fs::path pidFile = dir.path() / "editor.pid";
    test::writeFile(editor.string(), "#!/bin/sh\necho $$ > " + pidFile.string() + ".tmp\nmv " +
                                         pidFile.string() + ".tmp " + pidFile.string() +
                                         "\nexec sleep 30\n");
    fs::permissions(editor, fs::perms::owner_all);
    frame.commandAction(command::kLabelDefine)->trigger();
    for (int i = 0; i < 100 && !fs::exists(pidFile); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fs::exists(pidFile));
    const pid_t pid = std::stoi(test::readFile(pidFile.string()));
    EXPECT_TRUE(prompter.texts().empty());
    frame.commandAction(command::kLabelDefine)->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kAlreadyRunningText});
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 100 && ::kill(pid, 0) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    prompter.clear();
    fs::remove(pidFile);
    frame.commandAction(command::kLabelDefine)->trigger();
    for (int i = 0; i < 100 && !fs::exists(pidFile); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(prompter.texts().empty());
    ASSERT_TRUE(fs::exists(pidFile));
    ::kill(std::stoi(test::readFile(pidFile.string())), SIGTERM);
}

TEST_F(MainFrameTest, ALabelEditorThatCannotBeStartedIsNamedWithWhereItWasLookedFor) {
    selectScale([](CSelectScaleDlg* d) {
        addStoreAndScale(d);
        buttonByCaption(d, "OK")->click();
    });
    ASSERT_TRUE(frame.scaleSelected());
    const std::string editor = (dir.path() / "FORMPAD").string();
    frame.commandAction(command::kLabelDefine)->trigger();
    auto prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, kLabelEditorNotStartedText);
    EXPECT_EQ(prompts[0].icon, PromptIcon::Error);
    EXPECT_NE(prompts[0].detail.find("as ../../FORMPAD from the scale's directory"),
              std::string::npos)
        << prompts[0].detail;
    EXPECT_NE(prompts[0].detail.find(editor + ": there is no such file."), std::string::npos)
        << prompts[0].detail;

    prompter.clear();
    test::writeFile(editor, "not a program");
    frame.commandAction(command::kLabelDefine)->trigger();
    prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_NE(prompts[0].detail.find(editor + ": this is not a program that can be run."),
              std::string::npos)
        << prompts[0].detail;
}

TEST_F(MainFrameTest, EveryEditorCommandOpensItsDialogModallyOverTheMainWindow) {
    selectScale([](CSelectScaleDlg* d) {
        addStoreAndScale(d);
        buttonByCaption(d, "OK")->click();
    });
    ASSERT_TRUE(frame.scaleSelected());
    for (const CommandDialog& entry : commandDialogs()) {
        QAction* action = frame.commandAction(entry.command);
        ASSERT_NE(action, nullptr) << entry.command;
        bool opened = false;
        onNextModal([&](QWidget* modal) {
            opened = true;
            EXPECT_EQ(modal->parentWidget(), &frame) << entry.command;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        });
        action->trigger();
        EXPECT_TRUE(opened) << entry.command;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(MainFrameTest, TheAboutBoxAndItsHiddenVersionButton) {
    bool seen = false;
    onNextModal([&](QWidget* modal) {
        auto* about = qobject_cast<CAboutDlg*>(modal);
        ASSERT_NE(about, nullptr);
        seen = true;
        EXPECT_EQ(about->windowTitle(), "About vorn");
        EXPECT_FALSE(about->versionButton()->isVisible());
        auto* version = about->findChild<QLabel*>("versionText");
        ASSERT_NE(version, nullptr);
        EXPECT_TRUE(version->isVisible());
        EXPECT_EQ(version->text(), QString("vorn version ") + VORN_VERSION);
        EXPECT_EQ(about->versionButton()->text(), "version(&V)");
        about->versionButton()->click();
        about->accept();
    });
    frame.commandAction(command::kAbout)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"it is builded in Tue Oct 24 14:52:12 2000"});
}

// Takes the place of the desktop's browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(MainFrameTest, HelpTopicOpensTheManualBesideTheProgramOrSaysWhereItWasLookedFor) {
    const std::string buildBin = std::string(std::getenv("VORN_BUILD_DIR")) + "/bin";
    struct Case {
        std::string programDir;
        bool found;
    } cases[] = {{buildBin, true}, {dir.path().string(), false}};
    for (const Case& c : cases) {
        BrowserStandIn browser;
        QDesktopServices::setUrlHandler("file", &browser, "open");
        overrideProgramDirectory(c.programDir);
        prompter.clear();
        frame.commandAction(command::kHelpTopic)->trigger();
        overrideProgramDirectory("");
        QDesktopServices::unsetUrlHandler("file");
        const QString manual = QString::fromStdString(userManualPath(c.programDir));
        if (c.found) {
            EXPECT_EQ(browser.opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{});
        } else {
            EXPECT_TRUE(browser.opened.isEmpty());
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{kUserManualMissingText});
            EXPECT_NE(prompter.prompts().back().detail.find(manual.toStdString()),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace vorn

#include "MainFrameGuiTest.moc"
