#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "shell/ScaleDirectory.h"
#include "shell/ScaleNameDlg.h"
#include "shell/SelectScaleDlg.h"
#include "shell/StoreList.h"
#include "shell/StoreNameDlg.h"
#include "tests/shell/ShellGuiHelpers.h"
#include "tests/support/Accessibility.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"
#include "widgets/QtText.h"

namespace vorn {
namespace {

using test::lengthPrefixed;

namespace fs = std::filesystem;
using test::buttonByCaption;
using test::readFile;
using test::typeNextName;

class SelectScaleDlgTest : public ::testing::Test {
protected:
    SelectScaleDlgTest() { mainWindow.setWindowTitle("vorn"); }
    std::string base() const { return dir.path().string(); }
    void click(QWidget* dialog, const char* caption) {
        QPushButton* b = buttonByCaption(dialog, caption);
        ASSERT_NE(b, nullptr);
        b->click();
    }
    void addStoreAndScale(CSelectScaleDlg& dialog, const char* store, const char* scale) {
        typeNextName(store);
        click(&dialog, "ADD Store");
        typeNextName(scale);
        click(&dialog, "ADD Scale");
    }
    QStringList rows(QListWidget* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            out << list->item(i)->text();
        }
        return out;
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    QWidget mainWindow;
};

TEST_F(SelectScaleDlgTest, FirstStartInAnEmptyDirectoryAndOkWithoutStores) {
    CSelectScaleDlg dialog(&mainWindow);
    EXPECT_EQ(readFile(dir.file("pgmpath.dat")), lengthPrefixed(base()));
    EXPECT_EQ(dialog.storeList()->count(), 0);
    click(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.noScale(), 1);
    EXPECT_FALSE(dialog.scaleChosen());
    ASSERT_TRUE(fs::exists(dir.path() / "grpscl.dat"));
    EXPECT_EQ(readFile(dir.file("grpscl.dat")), "");
    EXPECT_EQ(mainWindow.windowTitle(), "- vorn");
    EXPECT_EQ(fs::current_path(), dir.path());
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(SelectScaleDlgTest, StoreMainAndScaleS1MakeTheScaleDirectoryCurrent) {
    test::writeFile(dir.file("Transl2.cfg"), std::string("cfg\r\n\0\x01", 7));
    CSelectScaleDlg dialog(&mainWindow);
    addStoreAndScale(dialog, "Main", "S1");
    click(&dialog, "OK");
    EXPECT_TRUE(dialog.scaleChosen());
    EXPECT_EQ(dialog.noScale(), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const fs::path scaleDir = dir.path() / "Main" / "S1";
    EXPECT_EQ(fs::current_path(), scaleDir);
    EXPECT_EQ(readFile((scaleDir / "Transl2.cfg").string()), std::string("cfg\r\n\0\x01", 7));
    const std::string entry = "Main" + std::string(46, ' ') + std::string(8, ' ') + "S1";
    EXPECT_EQ(readFile(dir.file("grpscl.dat")),
              std::string("\x01\x00\x00\x00", 4) + lengthPrefixed(entry));
    EXPECT_EQ(mainWindow.windowTitle(), "The Scale: Main->S1");
}

TEST_F(SelectScaleDlgTest, ReopeningFromTheScaleDirectoryReturnsToTheBase) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    ASSERT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    CSelectScaleDlg again(&mainWindow);
    EXPECT_EQ(fs::current_path(), dir.path());
    EXPECT_EQ(again.basePath(), base());
    EXPECT_FALSE(fs::exists(dir.path() / "Main" / "S1" / "pgmpath.dat"));
    ASSERT_EQ(again.storeList()->count(), 1);
    EXPECT_EQ(again.storeList()->currentRow(), 0);
    EXPECT_EQ(rows(again.scaleList()), QStringList{"S1"});
    EXPECT_EQ(again.scaleList()->currentRow(), 0);
}

TEST_F(SelectScaleDlgTest, ScaleBAfterCIsListedFirstAndStoredFirst) {
    CSelectScaleDlg dialog(&mainWindow);
    addStoreAndScale(dialog, "Main", "C");
    typeNextName("B");
    click(&dialog, "ADD Scale");
    EXPECT_EQ(rows(dialog.scaleList()), (QStringList{"B", "C"}));
    EXPECT_EQ(dialog.scaleList()->currentItem()->text(), "B");
    dialog.scaleList()->setCurrentRow(1);
    click(&dialog, "OK");
    const std::string entry = storeEntry("Main", {"B", "C"});
    EXPECT_EQ(readFile(dir.file("grpscl.dat")),
              std::string("\x01\x00\x00\x00", 4) + lengthPrefixed(entry));
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "C");
}

TEST_F(SelectScaleDlgTest, DuplicateStoreAndScaleNamesAreRefused) {
    CSelectScaleDlg dialog(&mainWindow);
    addStoreAndScale(dialog, "Main", "S1");
    typeNextName("Main");
    click(&dialog, "ADD Store");
    typeNextName("S1");
    click(&dialog, "ADD Scale");
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kSameNameText, kSameNameText}));
    EXPECT_EQ(dialog.storeList()->count(), 1);
    EXPECT_EQ(dialog.scaleList()->count(), 1);
}

TEST_F(SelectScaleDlgTest, AScaleNameOfElevenCharactersIsRefusedInItsDialog) {
    CSelectScaleDlg dialog(&mainWindow);
    typeNextName("Main");
    click(&dialog, "ADD Store");
    typeNextName("ABCDEFGHIJK");
    click(&dialog, "ADD Scale");
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(prompter.texts()[0], scaleNameProblem("ABCDEFGHIJK"));
    EXPECT_EQ(dialog.scaleList()->count(), 0);
    typeNextName("ABCDEFGHIJ");
    click(&dialog, "ADD Scale");
    EXPECT_EQ(rows(dialog.scaleList()), QStringList{"ABCDEFGHIJ"});
}

TEST_F(SelectScaleDlgTest, DelStoreKeepsTheDirectoryAndTheSameNameReusesIt) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    test::writeFile((dir.path() / "Main" / "S1" / "Artgrp.dat").string(), "groups");
    CSelectScaleDlg dialog(&mainWindow);
    click(&dialog, "DEL Store");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kDeleteStoreText});
    EXPECT_EQ(dialog.storeList()->count(), 0);
    EXPECT_EQ(mainWindow.windowTitle(), "- vorn");
    EXPECT_TRUE(fs::exists(dir.path() / "Main" / "S1" / "Artgrp.dat"));
    addStoreAndScale(dialog, "Main", "S1");
    click(&dialog, "OK");
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    EXPECT_EQ(readFile("Artgrp.dat"), "groups");
}

TEST_F(SelectScaleDlgTest, CancelledDeletionChangesNothing) {
    CSelectScaleDlg dialog(&mainWindow);
    addStoreAndScale(dialog, "Main", "S1");
    prompter.answerNext(PromptAnswer::Cancel);
    click(&dialog, "DEL Scale");
    EXPECT_EQ(dialog.scaleList()->count(), 1);
    click(&dialog, "DEL Scale");
    EXPECT_EQ(dialog.scaleList()->count(), 0);
    EXPECT_EQ(mainWindow.windowTitle(), QString::fromUtf8(kScaleDeletedTitle));
}

TEST_F(SelectScaleDlgTest, OkWithAStoreButNoScaleKeepsTheDialogOpen) {
    CSelectScaleDlg dialog(&mainWindow);
    typeNextName("Main");
    click(&dialog, "ADD Store");
    dialog.show();
    click(&dialog, "OK");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kNoScaleText});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.noScale(), 1);
    EXPECT_TRUE(fs::is_directory(dir.path() / "Main"));
    EXPECT_EQ(fs::current_path(), dir.path());
    // The lists were stored before the missing scale stopped the choice.
    EXPECT_EQ(readFile(dir.file("grpscl.dat")),
              std::string("\x01\x00\x00\x00", 4) + lengthPrefixed("Main"));
    dialog.reject();
}

TEST_F(SelectScaleDlgTest, ExitAndEscapeGoBackToTheScaleThatWasCurrent) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    const fs::path scaleDir = dir.path() / "Main" / "S1";
    {
        CSelectScaleDlg dialog(&mainWindow);
        ASSERT_EQ(fs::current_path(), dir.path());
        click(&dialog, "DEL Store");
        click(&dialog, "Exit");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.scaleChosen());
    }
    EXPECT_EQ(fs::current_path(), scaleDir);
    EXPECT_EQ(mainWindow.windowTitle(), "The Scale: Main->S1");
    {
        CSelectScaleDlg dialog(&mainWindow);
        dialog.reject();  // Escape
    }
    EXPECT_EQ(fs::current_path(), scaleDir);
    // Nothing was stored by Exit: the store is still there.
    CSelectScaleDlg last(&mainWindow);
    EXPECT_EQ(last.storeList()->count(), 1);
}

TEST_F(SelectScaleDlgTest, EditRenamesTheDirectoriesAndRefusesATakenName) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    CSelectScaleDlg dialog(&mainWindow);
    typeNextName("North");
    click(&dialog, "EDIT Store");
    EXPECT_TRUE(fs::is_directory(dir.path() / "North" / "S1"));
    EXPECT_FALSE(fs::exists(dir.path() / "Main"));
    typeNextName("S2");
    click(&dialog, "EDIT Scale");
    EXPECT_TRUE(fs::is_directory(dir.path() / "North" / "S2"));
    EXPECT_EQ(rows(dialog.scaleList()), QStringList{"S2"});
    fs::create_directory(dir.path() / "Taken");
    typeNextName("Taken");
    click(&dialog, "EDIT Store");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kSameNameText});
    EXPECT_EQ(storeNameOf(fromQString(dialog.storeList()->item(0)->text())), "North");
    click(&dialog, "OK");
    EXPECT_EQ(fs::current_path(), dir.path() / "North" / "S2");
    EXPECT_EQ(mainWindow.windowTitle(), "The Scale: North->S2");
}

TEST_F(SelectScaleDlgTest, ExitAfterRenamingTheCurrentStoreReturnsToTheRenamedScale) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    test::writeFile("Artgrp.dat", "groups");
    {
        CSelectScaleDlg dialog(&mainWindow);
        typeNextName("North");
        click(&dialog, "EDIT Store");
        click(&dialog, "Exit");
    }
    EXPECT_EQ(fs::current_path(), dir.path() / "North" / "S1");
    EXPECT_EQ(readFile("Artgrp.dat"), "groups");
}

TEST_F(SelectScaleDlgTest, RenamesStayInTheStoredListWhenTheDialogIsLeftWithoutOk) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    test::writeFile("Artgrp.dat", "groups");
    {
        CSelectScaleDlg dialog(&mainWindow);
        typeNextName("North");
        click(&dialog, "EDIT Store");
        typeNextName("Extra");  // not stored: Exit drops it
        click(&dialog, "ADD Store");
        click(&dialog, "Exit");
    }
    {
        CSelectScaleDlg dialog(&mainWindow);
        ASSERT_EQ(rows(dialog.storeList()).size(), 1);
        EXPECT_EQ(storeNameOf(fromQString(dialog.storeList()->item(0)->text())), "North");
        EXPECT_EQ(rows(dialog.scaleList()), QStringList{"S1"});
        typeNextName("S2");
        click(&dialog, "EDIT Scale");
        typeNextName("S3");  // not stored: Escape drops it
        click(&dialog, "ADD Scale");
        dialog.reject();
    }
    const std::string entry = storeEntry("North", {"S2"});
    EXPECT_EQ(readFile(dir.file("grpscl.dat")),
              std::string("\x01\x00\x00\x00", 4) + lengthPrefixed(entry));
    CSelectScaleDlg last(&mainWindow);
    click(&last, "OK");
    EXPECT_EQ(fs::current_path(), dir.path() / "North" / "S2");
    EXPECT_EQ(readFile("Artgrp.dat"), "groups");
    EXPECT_FALSE(fs::exists(dir.path() / "Main"));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(SelectScaleDlgTest, ARenameOfAStoreNotYetStoredLeavesTheStoredListAsItWas) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        click(&first, "OK");
    }
    const std::string stored = readFile(dir.file("grpscl.dat"));
    CSelectScaleDlg dialog(&mainWindow);
    fs::create_directory(dir.path() / "Old");  // left by an earlier DEL Store
    typeNextName("Old");
    click(&dialog, "ADD Store");
    typeNextName("Older");
    click(&dialog, "EDIT Store");
    EXPECT_TRUE(fs::is_directory(dir.path() / "Older"));
    EXPECT_EQ(readFile(dir.file("grpscl.dat")), stored);
    dialog.reject();
}

TEST_F(SelectScaleDlgTest, AClickBesideTheRowsLeavesTheStoreSelected) {
    {
        CSelectScaleDlg first(&mainWindow);
        addStoreAndScale(first, "Main", "S1");
        typeNextName("North");
        click(&first, "ADD Store");
        click(&first, "OK");
        prompter.clear();
    }
    CSelectScaleDlg dialog(&mainWindow);
    dialog.show();
    QListWidget* stores = dialog.storeList();
    ASSERT_EQ(stores->count(), 2);
    ASSERT_EQ(stores->selectedItems().size(), 1);
    const QPoint blank(5, stores->viewport()->height() - 5);
    ASSERT_EQ(stores->itemAt(blank), nullptr);
    QTest::mouseClick(stores->viewport(), Qt::LeftButton, {}, blank);
    ASSERT_EQ(stores->selectedItems().size(), 1);
    EXPECT_EQ(stores->selectedItems()[0]->text().left(4), "Main");
    const QPoint onRow = stores->visualItemRect(stores->item(0)).center();
    QTest::mouseClick(stores->viewport(), Qt::LeftButton, Qt::ControlModifier, onRow);
    ASSERT_EQ(stores->selectedItems().size(), 1);
    EXPECT_EQ(dialog.scaleList()->selectedItems().size(), 1);
    // What DEL Store removes is the store the list shows selected.
    click(&dialog, "DEL Store");
    ASSERT_EQ(rows(stores).size(), 1);
    EXPECT_EQ(rows(stores)[0].left(5), "North");
    dialog.reject();
}

TEST_F(SelectScaleDlgTest, BlanksAroundAScaleNameAreNotKept) {
    CSelectScaleDlg dialog(&mainWindow);
    addStoreAndScale(dialog, "Main", " S1 ");
    EXPECT_EQ(rows(dialog.scaleList()), QStringList{"S1"});
    click(&dialog, "OK");
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S1");
    CSelectScaleDlg again(&mainWindow);
    typeNextName("  S2");
    click(&again, "EDIT Scale");
    EXPECT_TRUE(fs::is_directory(dir.path() / "Main" / "S2"));
    EXPECT_EQ(rows(again.scaleList()), QStringList{"S2"});
    click(&again, "OK");
    EXPECT_EQ(fs::current_path(), dir.path() / "Main" / "S2");
}

TEST_F(SelectScaleDlgTest, EveryControlIsNamedAfterItsLabel) {
    CSelectScaleDlg dialog(&mainWindow);
    EXPECT_TRUE(test::unnamedControls(dialog).empty());
    EXPECT_TRUE(test::namesUnlikeTheirLabels(dialog).empty());
    EXPECT_EQ(dialog.storeList()->accessibleName(), "Store Name");
    EXPECT_EQ(dialog.scaleList()->accessibleName(), "Scale Name");
    CStoreNameDlg store(&dialog);
    EXPECT_EQ(store.windowTitle(), "Store Name");
    EXPECT_TRUE(test::unnamedControls(store).empty());
    EXPECT_TRUE(test::namesUnlikeTheirLabels(store).empty());
    CScaleNameDlg scale(&dialog);
    EXPECT_EQ(scale.windowTitle(), "Add Scale Name");
    EXPECT_EQ(scale.nameField()->accessibleName(), "Scale Name");
    EXPECT_TRUE(test::unnamedControls(scale).empty());
    EXPECT_TRUE(test::namesUnlikeTheirLabels(scale).empty());
}

TEST_F(SelectScaleDlgTest, AStoreNameOverFiftyCharactersIsRefusedWithTheLengthMessage) {
    CSelectScaleDlg dialog(&mainWindow);
    typeNextName(QString(51, 'x'));
    click(&dialog, "ADD Store");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Enter no more than 50 characters."});
    EXPECT_EQ(dialog.storeList()->count(), 0);
}

}  // namespace
}  // namespace vorn
