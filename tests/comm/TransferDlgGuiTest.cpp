// CTransferDlg over the engine: against a scripted scale in virtual time, and over vornsim.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "comm/DialogTransferRunner.h"
#include "comm/RunState.h"
#include "comm/TransferDlg.h"
#include "res/TransferAnimation.h"
#include "tests/comm/EngineScriptedLine.h"
#include "tests/support/Accessibility.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"

namespace vorn {
namespace {

using test::ScriptedTransfer;

const std::string kFruit = "00021000000001000001Fruit               0000";

std::string sixLines() {
    std::string out;
    for (int i = 0; i < 6; ++i) {
        out += kFruit + "\r\n";
    }
    return out;
}

TEST(TransferDlg, RunShowsScaleAndItemCountAndEndsWithOk) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    test::writeFile("trf.out", sixLines());
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    dlg.messageText = "Transfering PLU information,please wait...";
    dlg.recordsPerItem = 2;
    dlg.receive = true;
    bool playing = false;
    QTimer::singleShot(0, [&] { playing = dlg.animation()->playing(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(playing);
    EXPECT_TRUE(dlg.animation()->receive());
    EXPECT_FALSE(dlg.animation()->playing());
    EXPECT_EQ(dlg.windowTitle(), QString("Scale No.:1:") + QString(12, ' '));
    EXPECT_EQ(dlg.itemsSentLabel()->text(), " 3 items has sent!");
    EXPECT_EQ(dlg.messageLabel()->text(), "Transfering PLU information,please wait...");
    EXPECT_EQ(t.line.frames.size(), 6u);
}

TEST(TransferDlg, QuietRunShowsNoCount) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    test::writeFile("trf.out", sixLines());
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    dlg.quiet = true;
    dlg.itemsSentText = "before";
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.itemsSentLabel()->text(), "before");
}

TEST(TransferDlg, CancelStopsTheWorkerAndTheDialogWaitsForIt) {
    ScriptedTransfer t;
    // The scale acknowledges but never answers; the line holds the worker in real time until
    // the stop flag has been set, and a little longer.
    t.line.scale = [](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
        }
    };
    std::atomic<bool> held = false;
    t.line.beforeRead = [&](int) {
        for (int i = 0; i < 5000 && runState().stop == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!held.exchange(true)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    };
    test::writeFile("trf.out", kFruit + "\n" + kFruit + "\n");
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    bool openAfterCancel = false;
    QTimer::singleShot(50, [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), &dlg);
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        QTimer::singleShot(50, [&] { openAfterCancel = dlg.isVisible(); });
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(dlg.cancelButton()->text(), "Cancel");
    EXPECT_FALSE(t.line.isOpen);
    EXPECT_EQ(t.trfIn(), "02211 user break or unnormally terminate!\r\n");
    EXPECT_TRUE(t.prompts.texts().empty());
}

TEST(TransferDlg, EscapeIsCancelAndEveryControlIsNamed) {
    ScriptedTransfer t;
    // A scale that acknowledges and never answers: the run lasts until it is stopped.
    t.line.scale = [](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
        }
    };
    t.line.beforeRead = [](int) {
        for (int i = 0; i < 5000 && runState().stop == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    test::writeFile("trf.out", kFruit + "\n");
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    std::vector<std::string> unnamed = {"not checked"};
    QString animationName;
    QTimer::singleShot(50, [&] {
        unnamed = test::unnamedControls(dlg);
        animationName = dlg.animation()->accessibleName();
        QTest::keyClick(&dlg, Qt::Key_Return);  // no default button: Enter does not end it
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_TRUE(unnamed.empty());
    EXPECT_EQ(animationName, "Sending records to the scale");
    EXPECT_EQ(t.trfIn(), "02211 user break or unnormally terminate!\r\n");
}

TEST(TransferDlg, PortFailureClosesWithItsMessage) {
    // At the open, or a device server's refusal after it (the line fails from the first read).
    for (const bool afterOpen : {false, true}) {
        SCOPED_TRACE(afterOpen ? "after the open" : "at the open");
        ScriptedTransfer t;
        t.line.openSucceeds = afterOpen;
        if (afterOpen) {
            t.line.refusal = {OpenFailure::UserRefused, 0, "Port already in use"};
            t.line.failReadsFrom = 0;
        }
        test::writeFile("trf.out", kFruit + "\n");
        CTransferDlg dlg;
        dlg.setEnvironment(t.environment());
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_EQ(dlg.messageLabel()->text(), "Can not open communication port!");
        EXPECT_EQ(t.prompts.texts(), std::vector<std::string>{"Error opening COM port"});
    }
}

TEST(TransferDlg, ALostConnectionIsToldWithItsReasonAtTheEnd) {
    ScriptedTransfer t;
    t.line.failReadsFrom = 0;
    t.line.failure = "tcp://127.0.0.1:4001: the device server closed the connection.";
    test::writeFile("trf.out", kFruit + "\n");
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    dlg.quiet = true;
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    const auto prompts = t.prompts.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "The connection to the scale was lost.");
    EXPECT_EQ(prompts[0].detail, t.line.failure);
    EXPECT_EQ(prompts[0].icon, PromptIcon::Error);
    EXPECT_EQ(t.trfIn(), "02206\r\n");
}

TEST(TransferDlg, BatchOperationsDriveTheWaitingWorker) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    test::writeFile("trf.out", kFruit + "\n");
    CTransferDlg dlg;
    dlg.setEnvironment(t.environment());
    dlg.keyWidth = 4;
    dlg.quiet = true;
    EXPECT_TRUE(dlg.reset());
    EXPECT_EQ(dlg.keyWidth, 0);
    EXPECT_FALSE(runState().quiet);
    dlg.setBatchRunning();
    runState().stepReady = false;
    int passes = 0;
    QTimer timer;
    // The batch dialog's step timer: a new trf.out each time the last pass is over.
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!dlg.isStepReady()) {
            return;
        }
        EXPECT_TRUE(dlg.transferSucceeded());
        if (++passes < 3) {
            test::writeFile("trf.out", kFruit + "\n");
            dlg.clearStepReady();
        } else {
            timer.stop();  // no tick may count a pass while the stop takes effect
            dlg.stop();
        }
    });
    timer.start(5);
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);  // ended by the stop operation
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(t.line.opens, 3);
    EXPECT_FALSE(dlg.isBatchRunning());
}

TEST(TransferDlg, DialogRunnerOverSimulatedScale) {
    test::SimulatedScale scale;
    ASSERT_TRUE(scale.ready());
    test::TempDir dir(test::TempDir::Enter);
    test::writeFile("trf.out", kFruit + "\n");
    test::RecordingPrompter prompter;
    DialogTransferRunner runner;
    runner.setDevice(scale.device());
    installTransferRunner(&runner);
    TransferRequest request;
    request.message = "Transfering Articlegroup information,please wait...";
    transferRunner().run(request);
    installTransferRunner(nullptr);
    EXPECT_EQ(runner.lastResult(), QDialog::Accepted);
    EXPECT_EQ(test::readFile("trf.in"), "10021000000001010001Fruit               0000\r\n");
    // The end says what went.
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Group: 1 record sent to scale 01"});
}

}  // namespace
}  // namespace vorn
