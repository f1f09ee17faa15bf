// The PLU list's "Import/Export" with the real spreadsheet program: ../../TABSWAP where the
// base directory has one, else the vorntab installed beside the program; a running vorntab
// closed by its window title; and the list showing the imported PLUs when the user comes back
// after the program has ended.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "platform/OutsidePrograms.h"
#include "platform/ProgramDirectory.h"
#include "platform/WindowTitleBeacon.h"
#include "plu/PluFile.h"
#include "plu/PluListDlg.h"
#include "tests/support/Controls.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"
#include "widgets/TextRowView.h"

namespace vorn {
namespace {

using test::button;

using test::pluFileOf;
using test::samplePluPair;

namespace fs = std::filesystem;

void writeScript(const fs::path& path, const std::string& body) {
    test::writeFile(path.string(), "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
}

// A base directory with a store and a scale; the scale directory is current meanwhile, as
// after "Select Scale".
class PluImportExportTest : public ::testing::Test {
protected:
    PluImportExportTest() {
        fs::create_directories(scale);
        fs::create_directories(programs);
        previous = fs::current_path();
        fs::current_path(scale);
        test::writeFile(plufile::kName, pluFileOf({samplePluPair(1, "ONE", "100"),
                                                   samplePluPair(2, "TWO", "200")}));
        overrideProgramDirectory(programs.string());
    }
    ~PluImportExportTest() override {
        overrideProgramDirectory({});
        fs::current_path(previous);
        pluReloadPending() = false;
    }

    static std::vector<std::string> shownRows(QWidget* d) {
        std::vector<std::string> rows;
        const QAbstractItemModel* model = d->findChild<TextRowView*>("list")->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            rows.push_back(model->index(i, 0).data().toString().toStdString());
        }
        return rows;
    }
    // The user goes to another program (no window of this one is active) and comes back.
    static void leaveAndComeBack(QWidget* d) {
        QApplication::setActiveWindow(d);
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(d);
        QTest::qWait(20);
    }
    static bool waitForFile(const fs::path& path) {
        return QTest::qWaitFor([&] { return fs::exists(path); }, 10000);
    }

    test::TempDir dir;
    test::TempDir runtime;
    test::ScopedEnv lockDir{"VORN_LOCK_DIR", runtime.path().string()};
    fs::path base = dir.path() / "base";
    fs::path scale = base / "Store 1" / "Scale 1";
    fs::path programs = dir.path() / "bin";
    fs::path previous;
    test::RecordingPrompter prompter;
};

TEST_F(PluImportExportTest, TheProgramBesideVornStartsWhenTheBaseDirectoryHasNone) {
    writeScript(programs / "vorntab", "pwd > \"" + (dir.path() / "beside").string() + "\"");
    CPluListDlg d;
    d.show();
    button(&d, "Import/Export")->click();
    ASSERT_TRUE(waitForFile(dir.path() / "beside"));
    QTest::qWait(50);  // the script's output complete
    EXPECT_EQ(test::readFile((dir.path() / "beside").string()), scale.string() + "\n");

    // With ../../TABSWAP there, that one starts.
    writeScript(base / "TABSWAP", "pwd > \"" + (dir.path() / "tabswap").string() + "\"");
    button(&d, "Import/Export")->click();
    ASSERT_TRUE(waitForFile(dir.path() / "tabswap"));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(PluImportExportTest, TheListShowsTheImportedPlusWhenTheUserComesBack) {
    // The program imports a price list, as a user would in its window, and ends.
    test::writeFile("prices.csv", "PLU No.,Price,Description\r\n2,2.49,\r\n3,0.99,NEW\r\n");
    const std::string vorntab = test::programPath("vorntab");
    writeScript(base / "TABSWAP", "\"" + vorntab +
                                      "\" import prices.csv > /dev/null 2>&1; echo $? > \"" +
                                      (dir.path() / "ended").string() + "\"");
    CPluListDlg d;
    d.show();
    button(&d, "Import/Export")->click();
    ASSERT_TRUE(waitForFile(dir.path() / "ended"));
    QTest::qWait(50);
    // Row 2 is rejected (an empty description), row 3 is added.
    EXPECT_EQ(test::readFile((dir.path() / "ended").string()), "1\n");

    leaveAndComeBack(&d);
    EXPECT_EQ(shownRows(&d),
              (std::vector<std::string>{"     1\tONE               \t   1.00\t Weight  ",
                                        "     2\tTWO               \t   2.00\t Weight  ",
                                        "     3\tNEW               \t   0.99\t Weight  "}));
    EXPECT_FALSE(pluReloadPending());
}

TEST_F(PluImportExportTest, ComingBackBeforeTheImportAndAgainAfterItShowsTheImport) {
    writeScript(base / "TABSWAP", "touch \"" + (dir.path() / "ran").string() + "\"");
    CPluListDlg d;
    d.show();
    button(&d, "Import/Export")->click();
    ASSERT_TRUE(waitForFile(dir.path() / "ran"));  // the program has done nothing and ended
    leaveAndComeBack(&d);  // a look at the list while the spreadsheet is being edited
    EXPECT_FALSE(pluReloadPending());
    EXPECT_EQ(shownRows(&d).size(), 2u);

    test::writeFile("prices.csv", "PLU No.,Price\r\n1,1.11\r\n");
    ASSERT_EQ(test::runProgram(test::programPath("vorntab"), {"import", "prices.csv"},
                               (dir.path() / "err").string()),
              0);
    leaveAndComeBack(&d);
    EXPECT_EQ(shownRows(&d)[0], "     1\tONE               \t   1.11\t Weight  ");

    // Without a further change, coming back reloads nothing: an edit in the list stays.
    d.findChild<TextRowView*>("list")->setCurrentIndex(
        d.findChild<TextRowView*>("list")->model()->index(1, 0));
    button(&d, "Del")->click();
    leaveAndComeBack(&d);
    EXPECT_EQ(shownRows(&d).size(), 1u);
}

TEST_F(PluImportExportTest, ARunningVorntabIsClosedByItsTitleBeforeTheProgramStartsAgain) {
    QProcess running;
    running.setWorkingDirectory(QString::fromStdString(scale.string()));
    running.start(QString::fromStdString(test::programPath("vorntab")), {});
    ASSERT_TRUE(running.waitForStarted(5000));
    const QString beacon = beaconPath(QString::fromLatin1(kImportExportTitle));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(beacon); }, 10000));

    writeScript(base / "TABSWAP", "touch \"" + (dir.path() / "ran").string() + "\"");
    CPluListDlg d;
    d.show();
    button(&d, "Import/Export")->click();
    EXPECT_TRUE(running.waitForFinished(10000));
    EXPECT_TRUE(waitForFile(dir.path() / "ran"));
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 0);
    if (running.state() != QProcess::NotRunning) {
        running.kill();
        running.waitForFinished();
    }
}

}  // namespace
}  // namespace vorn
