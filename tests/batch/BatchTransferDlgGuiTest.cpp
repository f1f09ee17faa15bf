// CBatchTransferDlg: its controls, the selection in Trans.dat, and batch runs through the
// application's progress dialog over the real engine and vornsim.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "batch/BatchTransferDlg.h"
#include "comm/TransferDlg.h"
#include "editors/kit/NumberedTable.h"
#include "editors/kit/TableReferences.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "tables/KeyFile.h"
#include "tests/support/Accessibility.h"
#include "tests/support/EveryTable.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Texts = std::vector<std::string>;

QPushButton* button(QWidget* d, const QString& caption) {
    for (QPushButton* b : d->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

QCheckBox* check(QWidget* d, const QString& caption) {
    for (QCheckBox* c : d->findChildren<QCheckBox*>()) {
        if (c->text() == caption) {
            return c;
        }
    }
    return nullptr;
}

std::string selectionFile(int flag) {
    std::string bytes = test::lengthPrefixed("KVRAWobnTrs");
    for (int i = 0; i < 22; ++i) {
        bytes += std::string{static_cast<char>(flag), 0, 0, 0};
    }
    return bytes;
}

// Counts how often a widget is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* w) : widget_(w) { w->installEventFilter(this); }
    ~ShowCounter() override { widget_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            ++shown;
        }
        return false;
    }
    int shown = 0;

private:
    QWidget* widget_;
};

class BatchTransferDlgTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
};

TEST_F(BatchTransferDlgTest, SixteenCheckBoxesInTwoColumnsAndTheButtons) {
    CBatchTransferDlg d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Communication");
    const auto groups = d.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0]->title(), "Select Items To Transfer");

    const Texts left = {"PLU",      "Extra Text", "Preset Key", "Group",
                        "Operator", "Tare",       "Discount",   "DateText"};
    const Texts right = {"Bar Code",      "Advertisement", "Marquee Message", "Header Bottom",
                         "Store Address", "Default Label", "Datetime",        "Operator setup"};
    ASSERT_EQ(d.findChildren<QCheckBox*>().size(), 16);
    for (const Texts* column : {&left, &right}) {
        for (std::size_t i = 0; i < column->size(); ++i) {
            QCheckBox* c = check(&d, QString::fromStdString((*column)[i]));
            ASSERT_NE(c, nullptr) << (*column)[i];
            EXPECT_EQ(c->parentWidget(), groups[0]);
            QCheckBox* top = check(&d, QString::fromStdString((*column)[0]));
            EXPECT_EQ(c->x(), top->x()) << (*column)[i];
            if (i > 0) {
                EXPECT_GT(c->y(), check(&d, QString::fromStdString((*column)[i - 1]))->y());
            }
        }
    }
    EXPECT_LT(check(&d, "PLU")->x(), check(&d, "Bar Code")->x());
    EXPECT_EQ(check(&d, "PLU")->y(), check(&d, "Bar Code")->y());

    for (const char* caption :
         {"Select All", "Clear All", "PC->Scale(&P)", "Scale->PC(&S)", "&Ok", "&Cancel"}) {
        EXPECT_NE(button(&d, caption), nullptr) << caption;
    }
    EXPECT_TRUE(button(&d, "&Ok")->isDefault());
    EXPECT_LT(button(&d, "Select All")->y(), button(&d, "PC->Scale(&P)")->y());
    EXPECT_GT(button(&d, "&Ok")->y(), check(&d, "DateText")->y());
    EXPECT_TRUE(d.logList()->isHidden());
    EXPECT_EQ(test::unnamedControls(d), Texts{});
}

KnownNumbers onlyPlu12(const ReferredTables&) {
    KnownNumbers known;
    known.tables[ReferredTable::Plu] = {12};
    return known;
}

TEST_F(BatchTransferDlgTest, ASendOfKeysThatNameMissingPlusAsksAndCancelStartsNothing) {
    PresetKeys keys;
    keys.plu[2] = "999999";
    ASSERT_EQ(saveKeyFile(keys), "");
    const KnownNumbersReader previous = installKnownNumbersReader(&onlyPlu12);
    CBatchTransferDlg d;
    check(&d, "Preset Key")->setChecked(true);
    prompter.answerNext(PromptAnswer::Cancel);
    QTest::mouseClick(button(&d, "PC->Scale(&P)"), Qt::LeftButton);
    installKnownNumbersReader(previous);
    ASSERT_EQ(prompter.prompts().size(), 1u);
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_NE(
        prompter.texts()[0].find("Key 3 points to PLU 999999, which the PLU file does not have"),
        std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
}

TEST_F(BatchTransferDlgTest, TheSelectionComesFromTransDatAndGoesBackOnOk) {
    {
        CBatchTransferDlg d;  // no Trans.dat: nothing ticked, nothing said
        for (QCheckBox* c : d.findChildren<QCheckBox*>()) {
            EXPECT_FALSE(c->isChecked()) << c->text().toStdString();
        }
        QTest::mouseClick(button(&d, "Select All"), Qt::LeftButton);
        for (QCheckBox* c : d.findChildren<QCheckBox*>()) {
            EXPECT_TRUE(c->isChecked()) << c->text().toStdString();
        }
        QTest::mouseClick(button(&d, "&Ok"), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_EQ(test::readFile("Trans.dat"), selectionFile(1));
    {
        CBatchTransferDlg d;
        EXPECT_TRUE(check(&d, "Operator setup")->isChecked());
        QTest::mouseClick(button(&d, "Clear All"), Qt::LeftButton);
        EXPECT_FALSE(check(&d, "Operator setup")->isChecked());
        QTest::mouseClick(button(&d, "&Ok"), Qt::LeftButton);
    }
    EXPECT_EQ(test::readFile("Trans.dat"), selectionFile(0));
    {
        CBatchTransferDlg d;
        d.show();
        QTest::mouseClick(check(&d, "Tare"), Qt::LeftButton);
        QTest::mouseClick(check(&d, "Group"), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Return);  // "&Ok" is the default button
    }
    std::string groupAndTare = selectionFile(0);
    groupAndTare[12] = 1;           // slot 1
    groupAndTare[12 + 4 * 13] = 1;  // slot 14
    EXPECT_EQ(test::readFile("Trans.dat"), groupAndTare);
    {
        CBatchTransferDlg d;
        EXPECT_TRUE(check(&d, "Group")->isChecked());
        EXPECT_TRUE(check(&d, "Tare")->isChecked());
        EXPECT_FALSE(check(&d, "DateText")->isChecked());
        QTest::mouseClick(button(&d, "Select All"), Qt::LeftButton);
        QTest::mouseClick(button(&d, "&Cancel"), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    EXPECT_EQ(test::readFile("Trans.dat"), groupAndTare);
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(BatchTransferDlgTest, ATransDatThatCannotBeWrittenIsNamedAndTheDialogStaysOpen) {
    std::filesystem::create_directory("Trans.dat");
    CBatchTransferDlg d;
    d.show();
    QTest::mouseClick(button(&d, "Select All"), Qt::LeftButton);
    QTest::mouseClick(button(&d, "&Ok"), Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("Trans.dat"), std::string::npos);
}

// Waits, with the event loop running, until the run is over.
bool waitForRunEnd(CBatchTransferDlg& d, int ms = 20000) {
    for (int waited = 0; waited < ms; waited += 10) {
        QTest::qWait(10);
        if (d.run().stepNumber() == 0 && !batchProgressDialog().isVisible()) {
            return true;
        }
    }
    return false;
}

TEST_F(BatchTransferDlgTest, ARunSendsTheTickedTablesThroughOneProgressDialogAndReceivesThem) {
    const std::string dump = dir.file("dump");
    std::filesystem::create_directory(dump);
    test::SimulatedScale scale({"--dump", dump});
    ASSERT_TRUE(scale.ready());
    EngineEnvironment env;
    env.device = scale.device();
    batchProgressDialog().setEnvironment(env);
    ShowCounter shows(&batchProgressDialog());

    std::filesystem::create_directory("pc");
    std::filesystem::current_path("pc");
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 3", "1.5"}}), "");
    {
        CBatchTransferDlg d;
        d.setStepInterval(20);
        d.show();
        QTest::mouseClick(check(&d, "Group"), Qt::LeftButton);
        QTest::mouseClick(check(&d, "Tare"), Qt::LeftButton);
        QTest::mouseClick(check(&d, "Datetime"), Qt::LeftButton);
        QTest::mouseClick(button(&d, "PC->Scale(&P)"), Qt::LeftButton);
        ASSERT_TRUE(waitForRunEnd(d));
        EXPECT_EQ(shows.shown, 1);
        EXPECT_FALSE(batchProgressDialog().isBatchRunning());
    }
    std::filesystem::current_path("..");
    std::filesystem::create_directory("empty");
    std::filesystem::current_path("empty");
    {
        CBatchTransferDlg d;
        d.setStepInterval(20);
        d.show();
        QTest::mouseClick(check(&d, "Group"), Qt::LeftButton);
        QTest::mouseClick(check(&d, "Tare"), Qt::LeftButton);
        QTest::mouseClick(check(&d, "Operator"), Qt::LeftButton);  // the scale has none
        QTest::mouseClick(button(&d, "Scale->PC(&S)"), Qt::LeftButton);
        ASSERT_TRUE(waitForRunEnd(d));
        EXPECT_EQ(shows.shown, 2);
        EXPECT_TRUE(batchProgressDialog().receive);
    }
    NumberedTable groups(groupTable());
    groups.open();
    EXPECT_EQ(groups.rows().texts(), (Texts{"   1\tFRUIT", "   2\tMEAT"}));
    NumberedTable tares(tareTable());
    tares.open();
    EXPECT_EQ(tares.rows().texts(), Texts{" 3\t1.500"});
    NumberedTable operators(operatorTable());
    operators.open();
    EXPECT_TRUE(std::filesystem::exists("Opt.dat"));
    EXPECT_TRUE(operators.rows().empty());
    // Each run ends by saying what it moved.
    EXPECT_EQ(prompter.texts(),
              (Texts{"The batch transfer is done:\nGroup: 2 records sent to scale 01\nTare: 1 "
                     "record sent to scale 01\nDatetime: 1 record sent to scale 01",
                     "The batch transfer is done:\nGroup: 2 records received from scale "
                     "01\nOperator: 0 records received from scale 01\nTare: 1 record received "
                     "from scale 01"}));

    std::filesystem::current_path("..");
    batchProgressDialog().setEnvironment({});
    EXPECT_EQ(scale.stop(), 0);
    EXPECT_EQ(test::readFile(dump + "/table15.txt"), "00021500000001010300001500\n");
    EXPECT_TRUE(std::filesystem::exists(dump + "/table38.txt"));
}

TEST_F(BatchTransferDlgTest, ARunThatTheScaleRefusesEndsSayingWhatFailed) {
    test::SimulatedScale scale({"--nak", "1000"});
    ASSERT_TRUE(scale.ready());
    EngineEnvironment env;
    env.device = scale.device();
    batchProgressDialog().setEnvironment(env);
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    {
        CBatchTransferDlg d;
        d.setStepInterval(20);
        d.show();
        QTest::mouseClick(check(&d, "Group"), Qt::LeftButton);
        QTest::mouseClick(button(&d, "PC->Scale(&P)"), Qt::LeftButton);
        ASSERT_TRUE(waitForRunEnd(d, 60000));
    }
    batchProgressDialog().setEnvironment({});
    const std::vector<Prompt> told = prompter.prompts();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().text,
              "The batch transfer failed:\nGroup: 0 of 2 records reached scale 01; then the "
              "scale did not acknowledge the record (02206)");
    EXPECT_EQ(told.back().icon, PromptIcon::Warning);
}

TEST_F(BatchTransferDlgTest, EverySixteenCategoriesGoToTheScaleAndComeBackThroughTheDialog) {
    test::SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    EngineEnvironment env;
    env.device = scale.device();
    batchProgressDialog().setEnvironment(env);
    ShowCounter shows(&batchProgressDialog());
    const auto runAll = [&](const char* direction) {
        CBatchTransferDlg d;
        d.setStepInterval(20);
        d.show();
        QTest::mouseClick(button(&d, "Select All"), Qt::LeftButton);
        QTest::mouseClick(button(&d, direction), Qt::LeftButton);
        EXPECT_TRUE(waitForRunEnd(d));
        return d.logList()->count();
    };

    std::filesystem::create_directory("pc");
    std::filesystem::current_path("pc");
    test::writeEveryTable();
    const Texts sent = test::whatEditorsShow();
    EXPECT_EQ(runAll("PC->Scale(&P)"), 1);  // "Begin transfer PLU data!"
    std::filesystem::current_path("..");
    std::filesystem::create_directory("empty");
    std::filesystem::current_path("empty");
    runAll("Scale->PC(&S)");
    EXPECT_EQ(test::whatEditorsShow(), sent);
    EXPECT_EQ(shows.shown, 2);               // one progress dialog per run
    ASSERT_EQ(prompter.texts().size(), 2u);  // the end of each run
    EXPECT_NE(prompter.texts()[0].find("\nPLU: 3 PLUs sent to scale 01\n"), std::string::npos);
    EXPECT_NE(prompter.texts()[1].find("\nPreset Key: 3 records received from scale 01\n"),
              std::string::npos);
    std::filesystem::current_path("..");
    batchProgressDialog().setEnvironment({});
}

TEST_F(BatchTransferDlgTest, CancelInTheProgressDialogEndsTheRun) {
    test::SimulatedScale scale({"--silent"});
    ASSERT_TRUE(scale.ready());
    EngineEnvironment env;
    env.device = scale.device();
    batchProgressDialog().setEnvironment(env);
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 3", "1.5"}}), "");

    CBatchTransferDlg d;
    d.setStepInterval(20);
    d.show();
    QTest::mouseClick(check(&d, "Group"), Qt::LeftButton);
    QTest::mouseClick(check(&d, "Tare"), Qt::LeftButton);
    // The run's steps go on inside the progress dialog's modal run: Cancel is pressed from
    // there, a moment after the dialog has come up.
    std::string message;
    bool cancelled = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (!cancelled && batchProgressDialog().isVisible()) {
            message = batchProgressDialog().messageText;
            QTest::qWait(100);
            QTest::mouseClick(batchProgressDialog().cancelButton(), Qt::LeftButton);
            cancelled = true;
        }
    });
    cancel.start(10);
    QTest::mouseClick(button(&d, "PC->Scale(&P)"), Qt::LeftButton);
    for (int i = 0; i < 500 && !(cancelled && !batchProgressDialog().isVisible()); ++i) {
        QTest::qWait(10);
    }
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(message, "Transfering Articlegroup information,please wait...");
    EXPECT_FALSE(batchProgressDialog().isVisible());
    EXPECT_FALSE(batchProgressDialog().isBatchRunning());
    EXPECT_FALSE(batchProgressDialog().transferSucceeded());
    EXPECT_EQ(d.run().stepNumber(), 5);  // left after Group's step
    QTest::qWait(100);                   // later ticks take no step
    EXPECT_EQ(d.run().stepNumber(), 5);
    EXPECT_FALSE(batchProgressDialog().isVisible());
    batchProgressDialog().setEnvironment({});
}

}  // namespace
}  // namespace vorn
