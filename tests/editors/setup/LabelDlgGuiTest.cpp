// Drives "Default Label" and "Label Load And Download Dialog" as a user would.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editors/setup/DefaultLabelDlg.h"
#include "editors/setup/LabelFileDlg.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::button;
using test::type;

QLineEdit* field(QWidget* d, const char* name) {
    return d->findChild<QLineEdit*>(name);
}

// A total-label record with every field set, the best-before format code 6 (which no list
// entry shows) and the scale's own characters at 27-30 and 50-53.
const std::string kTotalRecord =
    "1002430002000101"
    "2"
    "05"
    "0002"
    "03"
    "04"
    "9876"
    "12"
    "01"
    "07"
    "123"
    "01"
    "02"
    "03"
    "0071"
    "5432"
    "010"
    "020";

class LabelDlgTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(LabelDlgTest, DefaultLabelShowsItsKindAndKeepsWhatItDoesNotEdit) {
    test::writeFile("gnllabt.dat", kTotalRecord + "\r\n");
    CDefaultLabelDlg d(labelkind::kTotal);
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(d.windowTitle(), "Default Label");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    EXPECT_NE(test::withCaption<QLabel>(&d, "Total Label"), nullptr);
    EXPECT_EQ(field(&d, "labelNumber")->text(), "5");
    EXPECT_EQ(field(&d, "labelNumber")->accessibleName(), "LabelNo");
    EXPECT_EQ(field(&d, "fontSize")->accessibleName(), "Font Size");
    EXPECT_EQ(field(&d, "extraText")->text(), "123");
    EXPECT_EQ(field(&d, "bestBeforeDays")->text(), "10");
    EXPECT_TRUE(test::withCaption<QRadioButton>(&d, "Auto")->isChecked());
    EXPECT_TRUE(test::withCaption<QCheckBox>(&d, "Print Store Address")->isChecked());
    const auto lists = d.findChildren<QComboBox*>();
    ASSERT_EQ(lists.size(), 3);
    EXPECT_EQ(lists[0]->count(), 3);         // packing: no "days"
    EXPECT_EQ(lists[0]->currentIndex(), 1);  // code 1
    EXPECT_EQ(lists[1]->currentIndex(), 0);  // code 6 shows the first entry
    EXPECT_EQ(lists[2]->currentText(), "MM/DD/YYYY");

    type(field(&d, "tlu1Font"), "1x9");  // digits only
    EXPECT_EQ(field(&d, "tlu1Font")->text(), "19");
    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    std::string expected = kTotalRecord;
    expected.replace(0, 10, "0002430000");
    expected.replace(23, 2, "19");
    EXPECT_EQ(test::readFile("gnllabt.dat"), expected + "\r\n");  // code 6 and 9876, 5432 kept
}

TEST_F(LabelDlgTest, AFailedCheckEmptiesAndFocusesItsFieldAndKeepsTheDialogOpen) {
    CDefaultLabelDlg d(labelkind::kByWeight);
    d.show();
    QApplication::setActiveWindow(&d);
    type(field(&d, "labelNumber"), "16");
    type(field(&d, "extraText"), "151");
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Label No. range 0 ~15!"});
    EXPECT_EQ(field(&d, "labelNumber")->text(), "");
    EXPECT_EQ(field(&d, "extraText")->text(), "151");
    EXPECT_EQ(QApplication::focusWidget(), field(&d, "labelNumber"));
    EXPECT_TRUE(runner.requests.empty());
    button(&d, "OK")->click();
    EXPECT_EQ(prompter.texts().back(), " Extra Text No. range 0 ~ 150!");
    EXPECT_EQ(QApplication::focusWidget(), field(&d, "extraText"));
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(std::filesystem::exists("gnllabs.dat"));
}

TEST_F(LabelDlgTest, ReceiveShowsTheScalesRecordAndAnotherKindIsRefused) {
    CDefaultLabelDlg d(labelkind::kByCount);
    d.show();
    std::string byCount = kTotalRecord;
    byCount[16] = '3';
    runner.answerWith(byCount + "\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(runner.trfOuts.at(0), "00024300020000003\r\n");
    EXPECT_EQ(field(&d, "labelNumber")->text(), "5");
    EXPECT_FALSE(std::filesystem::exists("gnllabp.dat"));

    runner.answerWith(kTotalRecord + "\r\n");
    type(field(&d, "labelNumber"), "7");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"error,the label def.-no dismatch"});
    EXPECT_EQ(field(&d, "labelNumber")->text(), "7");
    button(&d, "Cancel")->click();
    EXPECT_FALSE(std::filesystem::exists("gnllabp.dat"));
}

TEST_F(LabelDlgTest, LabelFileBrowseChecksTheTypeAndComesBackToTheScaleDirectory) {
    test::TempDir elsewhere;
    CLabelFileDlg d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Label Load And Download Dialog");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    QLineEdit* path = field(&d, "path");
    EXPECT_EQ(path->accessibleName(), "Label File Path And Name For Load And Download:");
    EXPECT_TRUE(test::withCaption<QRadioButton>(&d, "Label #1")->isChecked());

    const std::filesystem::path scaleDir = std::filesystem::current_path();
    d.setFileChooser([&](QWidget*) {
        std::filesystem::current_path(elsewhere.path());  // a file dialog may move away
        return QString::fromStdString(elsewhere.file("LAB.LBL"));
    });
    button(&d, "...")->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{" File type is error!!"});
    EXPECT_EQ(path->text(), "");
    EXPECT_EQ(std::filesystem::current_path(), scaleDir);

    // Sending with an empty path is refused; the transfer files stay in the scale directory.
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(prompter.texts().back(), "Please enter the file path and name in the textbox!");
    EXPECT_TRUE(runner.requests.empty());

    test::writeFile(elsewhere.file("lab.lbl"),
                    "0002600000000000"
                    "00"
                    "LAYOUT\r\n");
    d.setFileChooser([&](QWidget*) {
        std::filesystem::current_path(elsewhere.path());
        return QString("lab.lbl");
    });
    button(&d, "...")->click();
    EXPECT_EQ(path->text().toStdString(), elsewhere.file("lab.lbl"));
    EXPECT_EQ(std::filesystem::current_path(), scaleDir);
    d.setFileChooser([](QWidget*) { return QString(); });  // cancelled: the path stays
    button(&d, "...")->click();
    EXPECT_EQ(path->text().toStdString(), elsewhere.file("lab.lbl"));

    test::withCaption<QRadioButton>(&d, "Label #3")->click();
    QTest::keyClick(path, Qt::Key_Return);  // no default button: nothing happens
    EXPECT_TRUE(runner.trfOuts.empty());
    EXPECT_TRUE(d.isVisible());
    button(&d, "PC->Sc")->setFocus();
    QTest::keyClick(button(&d, "PC->Sc"), Qt::Key_Return);
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "0002600000001000"
              "03"
              "LAYOUT\r\n\r\n");
    EXPECT_TRUE(std::filesystem::exists(scaleDir / "trf.out"));

    test::withCaption<QRadioButton>(&d, "Label #2")->click();
    runner.answerWith(
        "1002600002000001"
        "02"
        "FROM SCALE\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(runner.trfOuts[1], "000260000200000002\r\n");
    EXPECT_EQ(test::readFile(elsewhere.file("lab.lbl")),
              "0002600000000001"
              "00"
              "FROM SCALE\r\n\r\n");

    button(&d, "&Close")->click();
    EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace vorn
