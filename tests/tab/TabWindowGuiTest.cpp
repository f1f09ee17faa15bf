// vorntab's window as a user drives it: its title, the file dialogs of its two buttons, the
// import preview with its counts, rejected rows and changes, Cancel that saves nothing, Import
// that saves plurec.dat, a file another program wrote during the preview, and the close request
// by which the PLU list closes a running one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <thread>

#include "platform/OutsidePrograms.h"
#include "platform/WindowTitleBeacon.h"
#include "plu/PluFile.h"
#include "tab/ImportPreviewDlg.h"
#include "tab/TabWindow.h"
#include "tests/support/Accessibility.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pluFileOf;
using test::samplePluPair;

class TabWindowTest : public ::testing::Test {
protected:
    TabWindowTest() {
        test::writeFile(plufile::kName, pluFileOf({samplePluPair(1, "ONE", "100"),
                                                   samplePluPair(2, "TWO", "200")}));
        test::writeFile("prices.csv",
                        "PLU No.,Price,Notes\r\n1,1.25,cheaper\r\n2,2.00,\r\n3,x,\r\n");
    }

    // Acts on the next modal widget of type T once it is shown (looked for every 10 ms).
    template <class T>
    static void whenModal(std::function<void(T*)> act) {
        auto* timer = new QTimer;
        timer->setInterval(10);
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [timer, act, tries] {
            auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
            if (modal == nullptr || !modal->isVisible()) {
                if (++*tries > 500) {
                    timer->deleteLater();
                    ADD_FAILURE() << "no modal " << T::staticMetaObject.className();
                }
                return;
            }
            timer->stop();
            timer->deleteLater();
            act(modal);
        });
        timer->start();
    }
    static QPushButton* button(QWidget* w, const QString& text) {
        for (QPushButton* b : w->findChildren<QPushButton*>()) {
            if (b->text().remove('&') == text) {
                return b;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }
    static std::vector<std::string> column(QTableView* view, int c) {
        std::vector<std::string> cells;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            cells.push_back(view->model()->index(r, c).data().toString().toStdString());
        }
        return cells;
    }
    static std::string countOf(QWidget* preview, const char* word) {
        for (QLabel* l : preview->findChildren<QLabel*>()) {
            if (l->accessibleName() == QLatin1String(word)) {
                return l->text().toStdString();
            }
        }
        return "(none)";
    }
    // Types the file's name in the file dialog that opens next and confirms it.
    void chooseFile(const QString& name) {
        whenModal<QFileDialog>([this, name](QFileDialog* files) {
            auto* edit = files->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            edit->setText(QString::fromStdString(dir.file(name.toStdString())));
            static_cast<QDialog*>(files)->accept();  // the "Open" or "Save" button
        });
    }

    test::TempDir dir{test::TempDir::Enter};
    test::TempDir runtime;
    test::ScopedEnv lockDir{"VORN_LOCK_DIR", runtime.path().string()};
    test::RecordingPrompter prompter;
};

TEST_F(TabWindowTest, ThePreviewShowsCountsRejectionsAndChangesAndCancelSavesNothing) {
    TabWindow window;
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "EXCEL <-> PLU ( USA Version 1.0 )");
    EXPECT_EQ(test::unnamedControls(window), std::vector<std::string>{});
    EXPECT_EQ(window.findChild<QLabel*>("pluCount")->text().toStdString(), "2 PLUs in plurec.dat");
    const std::string before = test::readFile(plufile::kName);

    bool previewed = false;
    chooseFile("prices.csv");
    whenModal<ImportPreviewDlg>([&](ImportPreviewDlg* preview) {
        previewed = true;
        EXPECT_EQ(test::unnamedControls(*preview), std::vector<std::string>{});
        EXPECT_EQ(countOf(preview, "PLUs added"), "0");
        EXPECT_EQ(countOf(preview, "PLUs changed"), "1");
        EXPECT_EQ(countOf(preview, "PLUs unchanged"), "1");
        EXPECT_EQ(countOf(preview, "Rows rejected"), "1");
        auto* rejected = preview->findChild<QTableView*>("rejected");
        EXPECT_TRUE(rejected->isVisible());  // the rejected rows come first
        EXPECT_EQ(column(rejected, 0), std::vector<std::string>{"4"});
        EXPECT_EQ(column(rejected, 1), std::vector<std::string>{"3"});
        // PLU 3 is not listed: its row would add it, and a new PLU needs a description.
        EXPECT_EQ(column(rejected, 2),
                  std::vector<std::string>{
                      "Price is not a number: \u201Cx\u201D; the Description is empty"});
        auto* changes = preview->findChild<QTableView*>("changes");
        EXPECT_EQ(column(changes, 3), std::vector<std::string>{"Price 1.00 \u2192 1.25"});
        EXPECT_EQ(column(changes, 2), std::vector<std::string>{"ONE"});
        EXPECT_TRUE(button(preview, "Import")->isEnabled());
        button(preview, "Cancel")->click();
    });
    button(&window, "Import...")->click();
    EXPECT_TRUE(previewed);
    EXPECT_EQ(test::readFile(plufile::kName), before);
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString(),
              "Import cancelled: nothing was saved.");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(TabWindowTest, ImportSavesTheGoodRowsAndExportWritesEveryPlu) {
    TabWindow window;
    window.show();
    whenModal<ImportPreviewDlg>(
        [&](ImportPreviewDlg* preview) { button(preview, "Import")->click(); });
    window.importFrom(QString::fromStdString(dir.file("prices.csv")));
    const PluFileContent saved = parsePluFile(test::readFile(plufile::kName));
    ASSERT_EQ(saved.pairs.size(), 2u);
    EXPECT_EQ(saved.pairs[0].plu.substr(108, 8), "00000125");
    EXPECT_EQ(saved.pairs[1].plu.substr(108, 8), "00000200");
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString(),
              "Imported from prices.csv: 0 PLUs added, 1 changed, 1 row left out; plurec.dat "
              "saved.");

    chooseFile("all.csv");
    button(&window, "Export...")->click();
    const std::string csv = test::readFile(dir.file("all.csv"));
    EXPECT_EQ(csv.substr(0, 11), "\xEF\xBB\xBFPLU No.,");
    EXPECT_NE(csv.find("\r\n1,0001033001003,ONE,,1.25,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n2,0001033001003,TWO,,2.00,"), std::string::npos);
    EXPECT_EQ(window.statusBar()->currentMessage().toStdString(),
              "2 PLUs exported to " + dir.file("all.csv") + ".");
}

TEST_F(TabWindowTest, AWorkbookIsTheFileDialogsFirstChoiceAndReadsBackUnchanged) {
    TabWindow window;
    window.show();
    chooseFile("plus");  // no extension: the kind the dialog offers first
    button(&window, "Export...")->click();
    EXPECT_EQ(test::readFile(dir.file("plus.xlsx")).substr(0, 4), std::string("PK\x03\x04", 4));
    bool previewed = false;
    whenModal<ImportPreviewDlg>([&](ImportPreviewDlg* preview) {
        previewed = true;
        EXPECT_EQ(countOf(preview, "PLUs unchanged"), "2");
        EXPECT_EQ(countOf(preview, "Rows rejected"), "0");
        button(preview, "Cancel")->click();
    });
    window.importFrom(QString::fromStdString(dir.file("plus.xlsx")));
    EXPECT_TRUE(previewed);
}

TEST_F(TabWindowTest, AFileWrittenByAnotherProgramDuringThePreviewIsPreviewedAgain) {
    TabWindow window;
    window.show();
    int previews = 0;
    std::function<void(ImportPreviewDlg*)> act = [&](ImportPreviewDlg* preview) {
        ++previews;
        if (previews == 1) {
            // The PLU list saves its PLUs meanwhile: PLU 1 now costs 9.99.
            test::writeFile(plufile::kName, pluFileOf({samplePluPair(1, "ONE", "999")}));
            whenModal<ImportPreviewDlg>(act);
            button(preview, "Import")->click();
        } else {
            // PLU 2 is no longer listed: its row, without a description, cannot add it.
            EXPECT_EQ(countOf(preview, "PLUs changed"), "1");
            EXPECT_EQ(countOf(preview, "PLUs unchanged"), "0");
            EXPECT_EQ(countOf(preview, "Rows rejected"), "2");
            button(preview, "Cancel")->click();
        }
    };
    whenModal<ImportPreviewDlg>(act);
    window.importFrom(QString::fromStdString(dir.file("prices.csv")));
    EXPECT_EQ(previews, 2);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"plurec.dat has been written by another program since the "
                                       "preview was made. The preview is made again from the "
                                       "file as it is now."});
    EXPECT_EQ(test::readFile(plufile::kName), pluFileOf({samplePluPair(1, "ONE", "999")}));
}

TEST_F(TabWindowTest, UnusableFilesAreToldAndNothingIsSaved) {
    test::writeFile("names.csv", "Description,Price\r\nAPPLE,1.00\r\n");
    const std::string before = test::readFile(plufile::kName);
    TabWindow window;
    window.importFrom(QString::fromStdString(dir.file("names.csv")));
    window.importFrom(QString::fromStdString(dir.file("missing.csv")));
    ASSERT_EQ(prompter.prompts().size(), 2u);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Nothing was imported: names.csv cannot be read as a PLU list.");
    EXPECT_EQ(prompter.prompts()[0].detail.rfind("The reason: the first row names no column", 0),
              0u);
    EXPECT_EQ(prompter.prompts()[1].text, "Nothing was imported.");
    EXPECT_EQ(prompter.prompts()[1].caption, std::string("EXCEL <-> PLU ( USA Version 1.0 )"));
    EXPECT_EQ(test::readFile(plufile::kName), before);
}

TEST_F(TabWindowTest, ACloseRequestByTheTitleClosesThePreviewAndTheWindow) {
    TabWindow window;
    window.show();
    const std::string before = test::readFile(plufile::kName);
    std::thread list;
    bool answered = false;
    whenModal<ImportPreviewDlg>([&](ImportPreviewDlg*) {
        // The PLU list, another program, asks the window of the title to close.
        list = std::thread(
            [&] { answered = requestWindowClose(QString::fromLatin1(kImportExportTitle)); });
    });
    window.importFrom(QString::fromStdString(dir.file("prices.csv")));
    list.join();
    EXPECT_TRUE(answered);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(test::readFile(plufile::kName), before);
}

}  // namespace
}  // namespace vorn
