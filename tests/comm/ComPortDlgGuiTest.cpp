#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "comm/ComPortDlg.h"
#include "comm/PortConfigDlg.h"
#include "platform/ProgramDirectory.h"
#include "tests/shell/ShellGuiHelpers.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::readFile;

void selectText(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

QPushButton* configButton(CComPortDlg& dialog) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == "&Config...") {
            return b;
        }
    }
    return nullptr;
}

// Sets the line settings in the configuration dialog that the next click opens.
void setNextConfiguration(const QString& baud, const QString& bits, const QString& parity,
                          const QString& stop, bool ok) {
    QTimer::singleShot(0, [=] {
        auto* config = qobject_cast<CPortConfigDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(config, nullptr);
        selectText(config->baudRateBox(), baud);
        selectText(config->dataBitsBox(), bits);
        selectText(config->parityBox(), parity);
        selectText(config->stopBitsBox(), stop);
        ok ? config->accept() : config->reject();
    });
}

class ComPortDlgTest : public ::testing::Test {
protected:
    ComPortDlgTest() { overrideProgramDirectory(dir.path().string()); }
    ~ComPortDlgTest() override { overrideProgramDirectory(""); }
    std::string portFile() const { return dir.file("comport.ini"); }
    std::string userPortFile() const { return dir.file("config/vorn/comport.ini"); }

    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    test::RecordingPrompter prompter;
};

TEST_F(ComPortDlgTest, WithoutAFileOkStoresTheDefaults) {
    CComPortDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "ComPort property");
    EXPECT_EQ(dialog.portList()->currentText(), "serial port 1");
    EXPECT_EQ(dialog.portList()->count(), 2);
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(ComPortDlgTest, PortTwoAtNineteenTwoSevenBitsEvenParity) {
    CComPortDlg dialog;
    selectText(dialog.portList(), "serial port 2");
    setNextConfiguration("19200", "7", "Even", "1", true);
    configButton(dialog)->click();
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "2,19200,7,0,2");
}

TEST_F(ComPortDlgTest, CancelAfterConfigLeavesTheFileUntouched) {
    test::writeFile(portFile(), "2,4800,7,2,1");
    CComPortDlg dialog;
    EXPECT_EQ(dialog.portList()->currentText(), "serial port 2");
    setNextConfiguration("115200", "5", "Space", "1.5", true);
    configButton(dialog)->click();
    dialog.reject();
    EXPECT_EQ(readFile(portFile()), "2,4800,7,2,1");
}

TEST_F(ComPortDlgTest, CancelInTheConfigurationKeepsTheSettingsShownBefore) {
    test::writeFile(portFile(), "1,4800,7,2,1");
    CComPortDlg dialog;
    setNextConfiguration("115200", "5", "Space", "1.5", false);
    configButton(dialog)->click();
    setNextConfiguration("57600", "6", "Mark", "2", true);
    configButton(dialog)->click();
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "1,57600,6,2,3");
}

TEST_F(ComPortDlgTest, TheDeviceFieldIsTheSixthField) {
    CComPortDlg dialog;
    dialog.deviceField()->setCurrentText("/dev/ttyUSB0");
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0,/dev/ttyUSB0");
    CComPortDlg again;
    EXPECT_EQ(again.deviceField()->currentText(), "/dev/ttyUSB0");
    again.deviceField()->setCurrentText("");
    again.accept();
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0");
}

TEST_F(ComPortDlgTest, ValuesOutsideTheListsAreKept) {
    test::writeFile(portFile(), "3,300,8,0,0");
    CComPortDlg dialog;
    EXPECT_EQ(dialog.portList()->currentIndex(), -1);
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "3,300,8,0,0");
}

TEST_F(ComPortDlgTest, WhereTheProgramCannotWriteTheUsersFileIsWrittenAndRead) {
    overrideProgramDirectory((dir.path() / "missing" / "bin").string());
    CComPortDlg dialog;
    dialog.deviceField()->setCurrentText("/dev/ttyACM0");
    dialog.accept();
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(readFile(userPortFile()), "1,9600,8,0,0,/dev/ttyACM0");
    CComPortDlg again;
    EXPECT_EQ(again.deviceField()->currentText(), "/dev/ttyACM0");
}

TEST_F(ComPortDlgTest, AFileThatCannotBeCreatedIsReportedWithItsName) {
    overrideProgramDirectory((dir.path() / "missing" / "dir").string());
    test::writeFile(dir.file("config"), "a file where the directory should be");
    CComPortDlg dialog;
    dialog.show();
    dialog.accept();
    const auto prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, kCannotCreatePortFileText);
    EXPECT_NE(prompts[0].detail.find(userPortFile()), std::string::npos) << prompts[0].detail;
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ComPortDlgTest, DevicesTheUserMayNotOpenAreMarked) {
    CComPortDlg dialog;
    QComboBox* list = dialog.deviceField();
    list->clear();
    addDeviceEntries(list, {"/dev/ttyS0", "/dev/ttyUSB0"}, [](const std::string& device) {
        return device == "/dev/ttyS0" ? DeviceAccess::NoPermission : DeviceAccess::Usable;
    });
    EXPECT_EQ(list->itemText(0), QString("/dev/ttyS0") + kNoPermissionMark);
    EXPECT_EQ(list->itemText(1), "/dev/ttyUSB0");
    // Chosen, the marked entry gives the device alone, in the field and in the file.
    list->setCurrentIndex(1);
    list->setCurrentIndex(0);
    EXPECT_EQ(list->currentText(), "/dev/ttyS0");
    EXPECT_EQ(dialog.settings().device, "/dev/ttyS0");
    list->setEditText(QString("/dev/ttyS0") + kNoPermissionMark);
    EXPECT_EQ(dialog.settings().device, "/dev/ttyS0");
}

TEST_F(ComPortDlgTest, TestTellsAWorkingLineFromADeadOneAndStoresNothing) {
    test::SimulatedScale scale;
    test::SimulatedScale silent({"--silent"});
    ASSERT_TRUE(scale.ready() && silent.ready());
    test::writeFile(portFile(), "2,4800,7,0,0");
    CComPortDlg dialog;
    dialog.setTestTime(std::chrono::milliseconds(1000));
    dialog.deviceField()->setCurrentText(QString::fromStdString(scale.device()));
    dialog.testButton()->click();
    auto prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "The scale answered.");
    EXPECT_EQ(prompts[0].icon, PromptIcon::Information);

    prompter.clear();
    dialog.deviceField()->setCurrentText(QString::fromStdString(silent.device()));
    dialog.testButton()->click();
    prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "The scale did not answer.");
    EXPECT_EQ(prompts[0].icon, PromptIcon::Warning);
    EXPECT_NE(prompts[0].detail.find(silent.device()), std::string::npos);

    prompter.clear();
    dialog.deviceField()->setCurrentText(QString::fromStdString(dir.file("ttyUSB4")));
    dialog.testButton()->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Error opening COM port"});
    // The test used the settings shown; the file keeps what it had.
    EXPECT_EQ(readFile(portFile()), "2,4800,7,0,0");
    dialog.reject();
}

TEST_F(ComPortDlgTest, ADeviceServerIsWrittenAsItsAddressAndReadBack) {
    test::writeFile(portFile(), "1,9600,8,0,0,rfc2217://[::1]:4001");
    {
        CComPortDlg dialog;
        EXPECT_TRUE(dialog.serverChoice()->isChecked());
        EXPECT_EQ(dialog.hostField()->text(), "::1");
        EXPECT_EQ(dialog.portField()->value(), 4001);
        EXPECT_EQ(dialog.protocolList()->currentIndex(), 1);
        EXPECT_FALSE(dialog.deviceField()->isEnabled());
        test::type(dialog.hostField(), "scale-7.shop1");
        dialog.portField()->setValue(950);
        dialog.protocolList()->setCurrentIndex(0);
        dialog.accept();
    }
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0,tcp://scale-7.shop1:950");

    // A host that is no host is refused with the reason, and the dialog stays open.
    CComPortDlg dialog;
    dialog.show();
    test::type(dialog.hostField(), "shop 1");
    dialog.accept();
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"The device server's address is not valid: the host name "
                                       "is not valid (an IPv6 address goes in brackets: "
                                       "rfc2217://[::1]:4001)."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0,tcp://scale-7.shop1:950");
    // Back to the local port: the device field is written again.
    test::withCaption<QRadioButton>(&dialog, "&Local port")->click();
    dialog.deviceField()->setCurrentText("/dev/ttyUSB0");
    dialog.accept();
    EXPECT_EQ(readFile(portFile()), "1,9600,8,0,0,/dev/ttyUSB0");
}

TEST_F(ComPortDlgTest, EveryFieldIsNamedAfterItsLabel) {
    CComPortDlg dialog;
    EXPECT_EQ(test::unnamedControls(dialog), std::vector<std::string>{});
    EXPECT_TRUE(test::namesUnlikeTheirLabels(dialog).empty());
    EXPECT_EQ(dialog.portList()->accessibleName(), "Select ComPort:");
    CPortConfigDlg config(&dialog, "COM1", ComPortSettings{});
    EXPECT_EQ(test::unnamedControls(config), std::vector<std::string>{});
    EXPECT_TRUE(test::namesUnlikeTheirLabels(config).empty());
    EXPECT_EQ(config.baudRateBox()->accessibleName(), "Bits per second:");
}

TEST_F(ComPortDlgTest, TabGoesFromThePortListToConfigAndTestThenToTheDevice) {
    CComPortDlg dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.portList()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), dialog.portList());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), configButton(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.testButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), test::withCaption<QRadioButton>(&dialog, "&Local port"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.deviceField());
    dialog.reject();
}

TEST_F(ComPortDlgTest, TheConfigurationOffersTheLineSettingsOfThePortFile) {
    CPortConfigDlg config(nullptr, "COM1", ComPortSettings{});
    const auto items = [](QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) {
            out << box->itemText(i) + "=" + box->itemData(i).toString();
        }
        return out;
    };
    EXPECT_EQ(items(config.dataBitsBox()), (QStringList{"5=5", "6=6", "7=7", "8=8"}));
    EXPECT_EQ(items(config.parityBox()),
              (QStringList{"None=0", "Odd=1", "Even=2", "Mark=3", "Space=4"}));
    EXPECT_EQ(items(config.stopBitsBox()), (QStringList{"1=0", "1.5=1", "2=2"}));
    QComboBox* baud = config.baudRateBox();
    EXPECT_EQ(baud->itemData(0).toInt(), 1200);
    EXPECT_EQ(baud->itemData(baud->count() - 1).toInt(), 115200);
    EXPECT_EQ(baud->currentText(), "9600");
}

}  // namespace
}  // namespace vorn
