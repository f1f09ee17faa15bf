// Drives "Operator Configuration" and "Time" as a user would.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "editors/setup/OperatorConfigDlg.h"
#include "editors/setup/TimeDlg.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::button;

// A runner that does something while the transfer runs, as the progress dialog's own event
// loop would let the window underneath do.
class BusyRunner : public test::FakeTransferRunner {
public:
    void run(const TransferRequest& request) override {
        whileRunning();
        FakeTransferRunner::run(request);
    }
    std::function<void()> whileRunning = [] {};
};

class SetupDlgTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    BusyRunner runner;
};

TEST_F(SetupDlgTest, OperatorConfigurationEditsSavesAndShowsTheScalesRecord) {
    COperatorConfigDlg d;
    d.show();
    EXPECT_EQ(d.windowTitle(), "Operator Configuration");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    auto* media = d.findChild<QComboBox*>("printerMedia");
    EXPECT_EQ(media->accessibleName(), "Printer media");
    EXPECT_EQ(media->count(), 4);
    EXPECT_EQ(media->currentIndex(), 0);
    EXPECT_TRUE(test::withCaption<QRadioButton>(&d, "Sale Mode")->isChecked());
    EXPECT_FALSE(test::withCaption<QRadioButton>(&d, "1")->isVisible());

    QTest::mouseClick(test::withCaption<QRadioButton>(&d, "Prepack Mode"), Qt::LeftButton);
    test::withCaption<QCheckBox>(&d, "Marquee  text")->click();
    test::withCaption<QCheckBox>(&d, "Tare Display && Print")->click();
    media->setCurrentIndex(3);
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "0002020000000101"
              "00"
              "4"
              "00011"
              "8080"
              "4810\r\n");

    runner.answerWith(
        "1002020000000101"
        "00"
        "1"
        "00011"
        "00A8"
        "0210\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(media->currentIndex(), 1);
    EXPECT_TRUE(test::withCaption<QRadioButton>(&d, "Sale Mode")->isChecked());
    EXPECT_TRUE(test::withCaption<QCheckBox>(&d, "Header")->isChecked());      // bit 5
    EXPECT_TRUE(test::withCaption<QCheckBox>(&d, "PLU Number")->isChecked());  // bit 3
    EXPECT_FALSE(test::withCaption<QCheckBox>(&d, "Marquee  text")->isChecked());
    EXPECT_TRUE(test::withCaption<QCheckBox>(&d, "Ticket Number On Label")->isChecked());
    EXPECT_FALSE(std::filesystem::exists("Mode.dat"));
    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(test::readFile("Mode.dat"),
              "0002020000000101"
              "00"
              "1"
              "00011"
              "00A8"
              "0210\r\n");

    COperatorConfigDlg again;
    EXPECT_TRUE(test::withCaption<QCheckBox>(&again, "Header")->isChecked());
    test::withCaption<QCheckBox>(&again, "Header")->click();
    button(&again, "Cancel")->click();
    EXPECT_EQ(test::readFile("Mode.dat"),
              "0002020000000101"
              "00"
              "1"
              "00011"
              "00A8"
              "0210\r\n");
}

class TimeDlgTest : public SetupDlgTest {
protected:
    TimeDlgTest() { clock.set({2026, 3, 7, 14, 5, 9}); }

    static QSpinBox* spin(QWidget* d, const char* name) { return d->findChild<QSpinBox*>(name); }
    static std::vector<int> shown(QWidget* d) {
        std::vector<int> v;
        for (const char* name : {"month", "day", "year", "hour", "minute", "second"}) {
            v.push_back(spin(d, name)->value());
        }
        return v;
    }

    VirtualClock clock;
};

TEST_F(TimeDlgTest, PcTimeFollowsTheClockAlsoWhileATransferRuns) {
    CTimeDlg d(nullptr, clock);
    d.show();
    EXPECT_EQ(d.windowTitle(), "Time");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    EXPECT_EQ(spin(&d, "month")->accessibleName(), "MM");
    EXPECT_EQ(spin(&d, "minute")->accessibleName(), "MM");
    EXPECT_EQ(spin(&d, "year")->accessibleName(), "YY");
    EXPECT_EQ(spin(&d, "second")->maximum(), 59);
    EXPECT_EQ(spin(&d, "day")->maximum(), 31);
    EXPECT_TRUE(test::withCaption<QRadioButton>(&d, "PC Time")->isChecked());
    EXPECT_EQ(shown(&d), (std::vector<int>{3, 7, 26, 14, 5, 9}));

    std::vector<int> duringTransfer;
    runner.whileRunning = [&] {
        clock.advanceMs(3000);
        QTest::qWait(1100);  // one tick of the dialog's timer
        duringTransfer = shown(&d);
    };
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(duringTransfer, (std::vector<int>{3, 7, 26, 14, 5, 12}));
    // The record holds the time the button was pressed.
    EXPECT_EQ(runner.trfOuts.at(0),
              "0002380000000000"
              "07"
              "03"
              "26"
              "14"
              "05"
              "09\r\n");
    EXPECT_EQ(runner.requests.at(0).message, "Transfering Time information,please wait...");

    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(TimeDlgTest, SetTimeSendsWhatTheSpinsShowWhenItIsADate) {
    CTimeDlg d(nullptr, clock);
    d.show();
    QTest::mouseClick(test::withCaption<QRadioButton>(&d, "Set Time"), Qt::LeftButton);
    QSpinBox* day = spin(&d, "day");
    day->setFocus();
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(day, Qt::Key_Up);
    }
    QTest::keyClick(day, Qt::Key_Up);  // 31 is the most
    QSpinBox* month = spin(&d, "month");
    QTest::keyClick(month, Qt::Key_Down);
    QTest::keyClicks(month, "9");  // the values change only through the arrows
    EXPECT_EQ(day->value(), 31);
    EXPECT_EQ(month->value(), 2);
    clock.advanceMs(60'000);
    // 31 February is no date: refused with the reason, nothing sent.
    button(&d, "PC->Sc")->click();
    EXPECT_TRUE(runner.trfOuts.empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"February 2026 has no day 31: the time is not sent."});
    QTest::keyClick(month, Qt::Key_Up);
    runner.answerWith("02206\r\n");
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(runner.trfOuts.at(0),
              "0002380000000000"
              "31"
              "03"
              "26"
              "14"
              "05"
              "09\r\n");
    EXPECT_EQ(prompter.texts().back(), "02206\nerror!");
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vorn
