// Drives the five numbered-table dialogs as a user would: typing, Add, Enter, double click,
// Del with several rows selected, OK, Cancel and the two transfers (with a fake runner).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editors/numbered/DateTextDlg.h"
#include "editors/numbered/GroupDlg.h"
#include "editors/numbered/OperatorDlg.h"
#include "editors/numbered/TareDlg.h"
#include "editors/numbered/VatDlg.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"
#include "widgets/ControlsState.h"
#include "widgets/NumEdit.h"

namespace vorn {
namespace {

using test::button;
using test::type;

using test::pad;

using Rows = std::vector<std::string>;

class NumberedTableDlgTest : public ::testing::Test {
protected:
    static RowListView* list(QWidget* d) { return d->findChild<RowListView*>("list"); }
    static QLineEdit* number(QWidget* d) { return d->findChild<QLineEdit*>("number"); }
    static QLineEdit* value(QWidget* d) { return d->findChild<QLineEdit*>("value"); }
    static Rows shownRows(QWidget* d) {
        Rows rows;
        for (int i = 0; i < list(d)->count(); ++i) {
            rows.push_back(list(d)->item(i)->text().toStdString());
        }
        return rows;
    }
    static void typeRow(QWidget* d, const char* n, const char* v) {
        type(number(d), n);
        type(value(d), v);
        button(d, "Add")->click();
    }
    static QPoint rowCentre(QWidget* d, int row) {
        list(d)->doItemsLayout();  // the view lays out its items lazily
        return list(d)->visualItemRect(list(d)->item(row)).center();
    }
    // A double click as the window system delivers it: press, release, then the double click.
    static void doubleClickRow(QWidget* d, int row) {
        const QPoint at = rowCentre(d, row);
        QTest::mouseClick(list(d)->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list(d)->viewport(), Qt::LeftButton, {}, at);
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(NumberedTableDlgTest, NumberAndValueFieldsTakeWhatIsTypedOrSayWhyNot) {
    struct Case {
        std::function<std::unique_ptr<QDialog>()> open;
        const char* field;
        const char* typed;
        const char* shown;
        const char* message;  // "" when nothing is refused
    };
    const auto group = [] { return std::make_unique<CGroupDlg>(); };
    const auto tare = [] { return std::make_unique<CTareDlg>(); };
    const Case cases[] = {
        {group, "number", "x1", "1", "No. does not take \"x\"."},
        {group, "value", "CAF\u00c9 \u20ac", "CAF\u00c9 ",
         "Group Name does not take \"\u20ac\": the scale's character set does not hold it."},
        {tare, "value", "12", "1", "Tare(lb) takes at most 1 digit without a decimal point."},
        {tare, "value", "1,25", "1.25", ""},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<QDialog> d = c.open();
        d->show();
        prompter.clear();
        type(d->findChild<QLineEdit*>(c.field), c.typed);
        EXPECT_EQ(d->findChild<QLineEdit*>(c.field)->text(), c.shown) << c.typed;
        EXPECT_EQ(prompter.texts(), c.message[0] != 0 ? Rows{c.message} : Rows{}) << c.typed;
    }
}

TEST_F(NumberedTableDlgTest, GroupEditorAddsPicksDeletesAndSavesOnOk) {
    CGroupDlg d;
    d.show();
    EXPECT_EQ(list(&d)->accessibleName(), "No.   Group Name");
    EXPECT_EQ(number(&d)->accessibleName(), "No.");
    EXPECT_EQ(value(&d)->accessibleName(), "Group Name");
    EXPECT_EQ(number(&d)->maxLength(), 4);
    EXPECT_EQ(value(&d)->maxLength(), 20);

    typeRow(&d, "2", "MEAT");
    typeRow(&d, "7", "FISH");
    EXPECT_EQ(number(&d)->text(), "8");
    type(number(&d), "05");
    type(value(&d), "FRUIT");
    QTest::keyClick(value(&d), Qt::Key_Return);  // Enter in the name field adds
    EXPECT_EQ(shownRows(&d), (Rows{"   2\tMEAT", "  05\tFRUIT", "   7\tFISH"}));
    EXPECT_TRUE(d.isVisible());

    // Typing past the 20 characters of the name is refused with the reason; nothing is added.
    type(number(&d), "9");
    type(value(&d), "ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(value(&d)->text(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(prompter.texts().back(), "Group Name takes at most 20 characters.");
    button(&d, "Add")->click();
    EXPECT_EQ(shownRows(&d).back(), "   9\tABCDEFGHIJKLMNOPQRST");

    doubleClickRow(&d, 1);
    EXPECT_EQ(number(&d)->text(), "  05");
    EXPECT_EQ(value(&d)->text(), "FRUIT");

    QTest::mouseClick(list(&d)->viewport(), Qt::LeftButton, {}, rowCentre(&d, 0));
    QTest::mouseClick(list(&d)->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(&d, 2));
    QTest::mouseClick(list(&d)->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(&d, 3));
    button(&d, "Del")->click();
    EXPECT_EQ(shownRows(&d), Rows{"  05\tFRUIT"});
    EXPECT_TRUE(list(&d)->selectedItems().isEmpty());

    // Enter on a focused button presses that button; elsewhere outside the name field it
    // acts as OK.
    button(&d, "Del")->setFocus();
    QTest::keyClick(button(&d, "Del"), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(shownRows(&d).size(), 1u);
    number(&d)->setFocus();
    QTest::keyClick(number(&d), Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(test::readFile("Artgrp.dat"),
              std::string("\x0bKVRAWobnOpt\x01\x00\x14\x00\x04  05\x05"
                          "FRUIT",
                          27));
    EXPECT_EQ(prompter.texts(), Rows{"Group Name takes at most 20 characters."});
}

TEST_F(NumberedTableDlgTest, CancelLeavesTheTableFileAsItWas) {
    {
        CGroupDlg d;
        typeRow(&d, "1", "A");
        button(&d, "OK")->click();
    }
    const std::string saved = test::readFile("Artgrp.dat");
    CGroupDlg d;
    EXPECT_EQ(shownRows(&d), Rows{"   1\tA"});
    typeRow(&d, "2", "B");
    button(&d, "Cancel")->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(test::readFile("Artgrp.dat"), saved);
}

TEST_F(NumberedTableDlgTest, OperatorEditorChecksTheNumberWhileTypingAndReceives) {
    COperatorDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(QApplication::focusWidget(), number(&d));
    EXPECT_EQ(number(&d)->accessibleName(), "No");
    EXPECT_EQ(value(&d)->accessibleName(), "Operatorname");
    type(number(&d), "5");
    EXPECT_EQ(prompter.texts().back(), "The Max Number is 5!");
    EXPECT_EQ(number(&d)->text(), "");

    runner.answerWith(
        "1002040000000001"
        "000" +
        pad("", 20) + "\r\n" +
        "1002040000000001"
        "003" +
        pad("CAROL", 20) + "\r\n" +
        "1002040000000001"
        "001" +
        pad("ANN", 20) + "\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(shownRows(&d), (Rows{"  1\t" + pad("ANN", 20), "  3\t" + pad("CAROL", 20)}));
    doubleClickRow(&d, 1);
    EXPECT_EQ(value(&d)->text(), "CAROL");

    // A failed receive keeps the rows.
    runner.answerWith(std::string("02210\r\n"));
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(prompter.texts().back(), "02210\nerror");
    EXPECT_EQ(shownRows(&d).size(), 2u);
}

TEST_F(NumberedTableDlgTest, DateTextEditorAddsWithEnterAndUsesItsTabStop) {
    CDateTextDlg d;
    d.show();
    EXPECT_EQ(list(&d)->tabStopPixels(), 13 * list(&d)->fontMetrics().averageCharWidth() / 4);
    EXPECT_EQ(number(&d)->accessibleName(), "No");
    EXPECT_EQ(value(&d)->accessibleName(), "DateText");
    EXPECT_EQ(value(&d)->maxLength(), 18);
    type(number(&d), "2");
    type(value(&d), "USE BY");
    QTest::keyClick(value(&d), Qt::Key_Return);  // "Add" is the default button
    EXPECT_EQ(shownRows(&d), Rows{" 2\tUSE BY"});
    EXPECT_EQ(number(&d)->text(), "");
    EXPECT_TRUE(d.isVisible());
    // Emptying the number field after Add is the dialog's own change: no number check.
    EXPECT_TRUE(prompter.texts().empty());

    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], "000219000000000002" + pad("USE BY", 30) + "\r\n");
    button(&d, "OK")->click();
    EXPECT_EQ(test::readFile("dattxt.dat"),
              std::string("\x0bKVRAWobnDat\x01\x00\x1e\x00\x02\x00\x06USE BY", 25));
}

TEST_F(NumberedTableDlgTest, TareEditorTakesItsWeightThroughTheNumericField) {
    CTareDlg d;
    d.show();
    auto* weight = qobject_cast<CNumEdit*>(value(&d));
    ASSERT_NE(weight, nullptr);
    EXPECT_EQ(weight->limits().maxLength, 5);
    EXPECT_EQ(weight->limits().decimals, 3);
    EXPECT_EQ(value(&d)->accessibleName(), "Tare(lb)");

    type(number(&d), "3");
    type(value(&d), "1.5x");
    EXPECT_EQ(value(&d)->text(), "1.5");
    button(&d, "Add")->click();
    EXPECT_EQ(shownRows(&d), Rows{" 3\t1.5"});
    EXPECT_EQ(number(&d)->text(), "4");

    // No number: both messages; the weight stays.
    type(number(&d), "");
    type(value(&d), "2");
    button(&d, "Add")->click();
    EXPECT_EQ(prompter.texts(),
              (Rows{"Tare(lb) does not take \"x\", only digits and a decimal point.",
                    "Fill the Tare!", "The Number is from 1 to 16!"}));
    EXPECT_EQ(value(&d)->text(), "2");

    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "000215000000010003"
              "00001500\r\n");
    button(&d, "OK")->click();
    EXPECT_EQ(test::readFile("Tare.dat"), std::string("\x0bKVRAWobnTar\x01\x00\x08\x00\x02 3\x03"
                                                      "1.5",
                                                      23));
}

TEST_F(NumberedTableDlgTest, VatEditorChecksBothFieldsWhileTyping) {
    CVatDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(value(&d)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    type(number(&d), "9");
    EXPECT_EQ(prompter.texts().back(), "The Max Number is 8!");
    EXPECT_EQ(number(&d)->text(), "");
    type(number(&d), "a2");  // digits only
    EXPECT_EQ(number(&d)->text(), "2");
    type(value(&d), "150");
    EXPECT_EQ(prompter.texts().back(), "The VAT must be below 100% !");
    EXPECT_EQ(value(&d)->text(), "");
    type(value(&d), "5");
    QTest::keyClick(value(&d), Qt::Key_Return);
    EXPECT_EQ(shownRows(&d), Rows{" 2\t   5"});
    EXPECT_EQ(number(&d)->text(), "");
    EXPECT_EQ(value(&d)->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), number(&d));

    doubleClickRow(&d, 0);
    EXPECT_EQ(value(&d)->text(), "   5");
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "000218000000000002"
              "0500\r\n");
}

// The name of what has the focus: a field's object name or a button's caption.
QString focusName() {
    QWidget* w = QApplication::focusWidget();
    if (w == nullptr) {
        return "(none)";
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        return b->text();
    }
    return w->objectName();
}

TEST_F(NumberedTableDlgTest, EveryDialogNamesItsControlsAndIsUsableByKeyboardAlone) {
    struct Case {
        const char* caption;
        std::function<std::unique_ptr<QDialog>()> make;
        QString list, number, value;
        const char* file;
    };
    const std::vector<Case> cases = {
        {"Group Numbers", [] { return std::make_unique<CGroupDlg>(); }, "No.   Group Name", "No.",
         "Group Name", "Artgrp.dat"},
        {"Operator Numbers", [] { return std::make_unique<COperatorDlg>(); },
         "No        Operator Numbers", "No", "Operatorname", "Opt.dat"},
        {"Date Text Numbers", [] { return std::make_unique<CDateTextDlg>(); },
         "No         DateText", "No", "DateText", "dattxt.dat"},
        {"Tare Numbers", [] { return std::make_unique<CTareDlg>(); }, "No  Tare(lb)", "No",
         "Tare(lb)", "Tare.dat"},
        {"VAT", [] { return std::make_unique<CVatDlg>(); }, "No     VAT(%)", "No", "VAT(%)",
         "VAT.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        std::unique_ptr<QDialog> d = c.make();
        d->show();
        QApplication::setActiveWindow(d.get());
        EXPECT_EQ(test::unnamedControls(*d), std::vector<std::string>{});
        EXPECT_EQ(list(d.get())->accessibleName(), c.list);
        EXPECT_EQ(number(d.get())->accessibleName(), c.number);
        EXPECT_EQ(value(d.get())->accessibleName(), c.value);

        // Tab goes from the list through the two fields and down the buttons, and back round.
        list(d.get())->setFocus();
        QStringList order{focusName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName();
        }
        EXPECT_EQ(order, (QStringList{"list", "number", "value", "Add", "Del", "PC->Sc", "Sc->PC",
                                      "OK", "Cancel", "list"}));

        // Escape with a row added asks first: Cancel stays; the close box asks again, and
        // Discard closes without saving.
        typeRow(d.get(), "1", "1");
        prompter.clear();
        prompter.answerNext(PromptAnswer::Cancel);
        QTest::keyClick(number(d.get()), Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        prompter.answerNext(PromptAnswer::Discard);
        d->close();
        EXPECT_EQ(prompter.texts(), Rows(2, kUnsavedChangesQuestion));
        EXPECT_EQ(prompter.prompts().back().buttons, PromptButtons::SaveDiscardCancel);
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_FALSE(d->isVisible());
        EXPECT_FALSE(std::filesystem::exists(c.file));
    }
}

TEST_F(NumberedTableDlgTest, KeypadEnterInTheGroupEditorActsAsReturn) {
    CGroupDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    type(number(&d), "3");
    type(value(&d), "FISH");
    QTest::keyClick(value(&d), Qt::Key_Enter, Qt::KeypadModifier);  // adds in the name field
    EXPECT_EQ(shownRows(&d), Rows{"   3\tFISH"});
    EXPECT_TRUE(d.isVisible());
    number(&d)->setFocus();
    QTest::keyClick(number(&d), Qt::Key_Enter, Qt::KeypadModifier);  // OK elsewhere
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(test::readFile("Artgrp.dat").empty());
}

}  // namespace
}  // namespace vorn
