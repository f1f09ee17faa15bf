// Drives "Configure Presets" as a user would: clicking keys and typing PLU numbers on both
// layers, the operator keys' spin, the discount key, OK, Cancel and both transfers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "editors/code/PresetKeyDlg.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/kit/TableReferences.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::button;

using Captions = std::vector<std::string>;

class PresetKeyDlgTest : public ::testing::Test {
protected:
    static QPushButton* key(QWidget* d, int n) {
        return d->findChild<QPushButton*>(QString("key%1").arg(n));
    }
    static QLineEdit* plu(QWidget* d) { return d->findChild<QLineEdit*>("plu"); }
    static QLineEdit* discountNumber(QWidget* d) {
        return d->findChild<QLineEdit*>("discountNumber");
    }
    static QSpinBox* operatorKeys(QWidget* d) { return d->findChild<QSpinBox*>("operatorKeys"); }
    static QCheckBox* discount(QWidget* d) {
        for (QCheckBox* c : d->findChildren<QCheckBox*>()) {
            if (c->text() == "Discount") {
                return c;
            }
        }
        return nullptr;
    }
    static Captions captions(QWidget* d) {
        Captions out;
        for (int n = 1; n <= 28; ++n) {
            out.push_back(key(d, n)->text().toStdString());
        }
        return out;
    }
    static Captions lastFour(QWidget* d) {
        const Captions all = captions(d);
        return Captions(all.end() - 4, all.end());
    }
    static void assign(QWidget* d, int button, const char* number) {
        QTest::mouseClick(key(d, button), Qt::LeftButton);
        QTest::keyClicks(plu(d), number);
        QTest::keyClick(plu(d), Qt::Key_Return);
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(PresetKeyDlgTest, ScreenReaderActionsDoWhatAClickDoes) {
    CPresetKeyDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    // A checkable key offers "Toggle" only; toggling it chooses the key as a click does.
    const QStringList actions = test::accessibleActions(key(&d, 3));
    EXPECT_TRUE(actions.contains(QAccessibleActionInterface::toggleAction()));
    EXPECT_FALSE(actions.contains(QAccessibleActionInterface::pressAction()));
    test::doAccessibleAction(key(&d, 3), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(plu(&d)->isVisible());
    EXPECT_TRUE(key(&d, 3)->isChecked());
    test::doAccessibleAction(key(&d, 5), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(key(&d, 5)->isChecked());
    EXPECT_FALSE(key(&d, 3)->isChecked());

    test::doAccessibleAction(discount(&d), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(discount(&d)->isChecked());
    EXPECT_TRUE(discountNumber(&d)->isVisible());
}

TEST_F(PresetKeyDlgTest, ClickingAKeyAsksForItsPluAndEnterAssignsIt) {
    CPresetKeyDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(d.windowTitle(), "Configure Presets");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    EXPECT_EQ(captions(&d), Captions(28, "P"));
    EXPECT_FALSE(plu(&d)->isVisible());
    EXPECT_FALSE(discountNumber(&d)->isVisible());
    EXPECT_EQ(button(&d, "Up Layer")->text(), "Up Layer");

    QTest::mouseClick(key(&d, 6), Qt::LeftButton);
    EXPECT_TRUE(plu(&d)->isVisible());
    EXPECT_TRUE(key(&d, 6)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), plu(&d));
    QTest::keyClicks(plu(&d), "12a34567");  // digits only, six at most
    EXPECT_EQ(plu(&d)->text(), "123456");
    QTest::keyClick(plu(&d), Qt::Key_Return);
    EXPECT_EQ(key(&d, 6)->text(), "P123456");
    EXPECT_FALSE(plu(&d)->isVisible());
    EXPECT_FALSE(key(&d, 6)->isChecked());
    EXPECT_TRUE(d.isVisible());

    // Enter on a key that has the focus presses that key, not OK.
    key(&d, 2)->setFocus();
    QTest::keyClick(key(&d, 2), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), plu(&d));
    QTest::keyClick(plu(&d), Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    d.show();
    QApplication::setActiveWindow(&d);

    // The first key of the down layer is key 29.
    QTest::mouseClick(button(&d, "Up Layer"), Qt::LeftButton);
    EXPECT_NE(button(&d, "Down Layer"), nullptr);
    EXPECT_EQ(key(&d, 6)->text(), "P");
    QTest::mouseClick(key(&d, 1), Qt::LeftButton);
    QTest::keyClicks(plu(&d), "123");
    QTest::mouseClick(button(&d, "Add"), Qt::LeftButton);
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_NE(runner.trfOuts[0].find("\r\n0002160000000101006"
                                     "0000"
                                     "123456"
                                     "0000000000\r\n"
                                     "0002160000000101029"
                                     "0000"
                                     "000123"
                                     "0000000000\r\n"),
              std::string::npos);

    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    CPresetKeyDlg reopened;
    EXPECT_EQ(reopened.editor().keys().plu[28], "123");
    EXPECT_EQ(key(&reopened, 6)->text(), "P123456");  // the up layer is shown first
}

TEST_F(PresetKeyDlgTest, OperatorKeysAndTheDiscountKeyOverlayTheLastButtons) {
    CPresetKeyDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    assign(&d, 27, "27");
    operatorKeys(&d)->setFocus();
    QTest::keyClick(operatorKeys(&d), Qt::Key_Up);
    QTest::keyClick(operatorKeys(&d), Qt::Key_Up);
    QTest::keyClick(operatorKeys(&d), Qt::Key_Up);
    QTest::keyClick(operatorKeys(&d), Qt::Key_Up);  // 4 is the most
    EXPECT_EQ(operatorKeys(&d)->value(), 4);
    EXPECT_EQ(lastFour(&d), (Captions{"P", "V.4", "V.3", "V.2"}));
    EXPECT_FALSE(key(&d, 26)->isEnabled());
    QTest::keyClick(operatorKeys(&d), Qt::Key_Down);
    QTest::keyClick(operatorKeys(&d), Qt::Key_Down);
    EXPECT_EQ(key(&d, 27)->text(), "P27");
    EXPECT_TRUE(key(&d, 27)->isEnabled());
    EXPECT_EQ(key(&d, 28)->text(), "V.2");

    QTest::mouseClick(discount(&d), Qt::LeftButton);
    EXPECT_EQ(key(&d, 25)->text(), "S");
    EXPECT_FALSE(key(&d, 25)->isEnabled());
    EXPECT_TRUE(discountNumber(&d)->isVisible());
    EXPECT_EQ(discountNumber(&d)->text(), "1");
    QTest::mouseClick(button(&d, "Up Layer"), Qt::LeftButton);
    EXPECT_EQ(key(&d, 25)->text(), "S");  // on both layers
    EXPECT_EQ(key(&d, 28)->text(), "V.2");

    discountNumber(&d)->setText("0");
    button(&d, "OK")->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(prompter.texts(), Captions{"the Discout number is from 1 to 9"});
    EXPECT_EQ(QApplication::focusWidget(), discountNumber(&d));
    EXPECT_EQ(discountNumber(&d)->selectedText(), "0");
    EXPECT_FALSE(std::filesystem::exists("key.dat"));

    discountNumber(&d)->setText("4");
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0].substr(19, 6), "054002");
    EXPECT_EQ(runner.trfOuts[0].substr(211, 4), "1028");

    QTest::mouseClick(discount(&d), Qt::LeftButton);
    EXPECT_FALSE(discountNumber(&d)->isVisible());
    EXPECT_EQ(key(&d, 25)->text(), "P");
    EXPECT_TRUE(key(&d, 25)->isEnabled());
}

TEST_F(PresetKeyDlgTest, ReceiveShowsTheScalesKeysAndCancelKeepsKeyDat) {
    {
        CPresetKeyDlg d;
        assign(&d, 1, "1");
        button(&d, "OK")->click();
    }
    const std::string saved = test::readFile("key.dat");

    std::string keyboard = *keyboardRecord(PresetKeys{}, PresetLineForm::Editor);
    keyboard[0] = '1';
    keyboard.replace(22, 3, "003");
    keyboard.replace(211, 4, "1026");
    runner.answerWith(keyboard + "\r\n" +
                      "1002160000000101001"
                      "0000"
                      "000000"
                      "0000000000\r\n" +
                      "1002160000000101002"
                      "0000"
                      "004711"
                      "0000000000\r\n");
    CPresetKeyDlg d;
    d.show();
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(runner.trfOuts.at(0), "0002330002000101\r\n0002160007000100000\r\n");
    EXPECT_EQ(key(&d, 1)->text(), "P");
    EXPECT_EQ(key(&d, 2)->text(), "P4711");
    EXPECT_EQ(lastFour(&d), (Captions{"S", "P", "V.3", "V.2"}));
    EXPECT_EQ(operatorKeys(&d)->value(), 3);
    EXPECT_TRUE(discount(&d)->isChecked());
    EXPECT_EQ(discountNumber(&d)->text(), "2");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    button(&d, "Cancel")->click();
    EXPECT_EQ(test::readFile("key.dat"), saved);
}

// A PLU file that holds PLU 12 only.
KnownNumbers onlyPlu12(const ReferredTables&) {
    KnownNumbers known;
    known.tables[ReferredTable::Plu] = {12};
    return known;
}

TEST_F(PresetKeyDlgTest, AKeyWhosePluTheFileLacksIsShownAndItsSendAsksFirst) {
    const KnownNumbersReader previous = installKnownNumbersReader(&onlyPlu12);
    CPresetKeyDlg d;
    d.show();
    auto* references = d.findChild<QLabel*>("references");
    ASSERT_NE(references, nullptr);
    EXPECT_FALSE(references->isVisible());
    assign(&d, 1, "12");
    assign(&d, 2, "999999");
    EXPECT_TRUE(references->isVisible());
    EXPECT_EQ(references->text(), "Key 2 points to PLU 999999, which the PLU file does not have");

    prompter.answerNext(PromptAnswer::Cancel);
    button(&d, "PC->Sc")->click();
    EXPECT_TRUE(runner.requests.empty());
    button(&d, "PC->Sc")->click();  // OK: sent anyway
    EXPECT_EQ(runner.requests.size(), 1u);
    ASSERT_EQ(prompter.prompts().size(), 2u);
    for (const Prompt& asked : prompter.prompts()) {
        EXPECT_EQ(asked.buttons, PromptButtons::OkCancel);
        EXPECT_NE(asked.text.find(references->text().toStdString()), std::string::npos);
    }
    installKnownNumbersReader(previous);
}

}  // namespace
}  // namespace vorn
