// Drives the seven text table dialogs as a user would: typing into the multi-line fields, the
// type buttons of the barcode editor, the discount grid, the single-record dialogs with their
// transfers (through a fake runner), the keyboard and the accessibility names.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editors/code/BarcodeDlg.h"
#include "editors/code/DiscountDlg.h"
#include "editors/numbered/AdvTextDlg.h"
#include "editors/numbered/ExtraTextDlg.h"
#include "editors/numbered/ExtraTextTable.h"
#include "editors/text/HeaderBottomDlg.h"
#include "editors/text/MarqueeDlg.h"
#include "editors/text/StoreAddressDlg.h"
#include "tables/TableFiles.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"
#include "widgets/TextBox.h"

namespace vorn {
namespace {

using test::button;

using test::pad;
using Rows = std::vector<std::string>;

// The name of what has the focus: a field's object name or a button's caption.
QString focusName() {
    QWidget* w = QApplication::focusWidget();
    if (w == nullptr) {
        return "(none)";
    }
    if (const auto* b = qobject_cast<QAbstractButton*>(w)) {
        return b->text();
    }
    return w->objectName();
}

class TextTablesDlgTest : public ::testing::Test {
protected:
    static RowListView* list(QWidget* d) { return d->findChild<RowListView*>("list"); }
    static QLineEdit* line(QWidget* d, const char* name) { return d->findChild<QLineEdit*>(name); }
    static TextBox* box(QWidget* d, const char* name) { return d->findChild<TextBox*>(name); }
    static Rows shownRows(QWidget* d) {
        Rows rows;
        for (int i = 0; i < list(d)->count(); ++i) {
            rows.push_back(list(d)->item(i)->text().toLatin1().toStdString());
        }
        return rows;
    }
    static void type(QWidget* field, const std::string& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromLatin1(text.c_str()));
    }
    static void doubleClickRow(QWidget* d, int row) {
        list(d)->doItemsLayout();
        const QPoint at = list(d)->visualItemRect(list(d)->item(row)).center();
        QTest::mouseClick(list(d)->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list(d)->viewport(), Qt::LeftButton, {}, at);
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(TextTablesDlgTest, AdvertisementTextsAreTypedAsTwoLinesAndAddedWhenTheyAreFull) {
    CAdvTextDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    TextBox* text = box(&d, "value");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->accessibleName(), "Advertisement Text");
    EXPECT_EQ(line(&d, "number")->accessibleName(), "No.");
    EXPECT_EQ(line(&d, "number")->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(list(&d)->accessibleName(), "No.    Advertisement Text");

    type(line(&d, "number"), "3");
    type(text, "FRESH BREAD");
    QTest::keyClick(text, Qt::Key_Return);  // Enter starts the second line
    QTest::keyClicks(text, "OPEN 7 DAYS");
    EXPECT_TRUE(shownRows(&d).empty());
    QTest::keyClick(text, Qt::Key_Return);  // a third line: the row is added
    EXPECT_EQ(shownRows(&d), Rows{" 3\tFRESH BREAD\xB6OPEN 7 DAYS"});
    EXPECT_EQ(line(&d, "number")->text(), "4");
    EXPECT_EQ(text->text(), "");

    // Typing past the two lines of 36 is refused with the reason; nothing is added.
    QTest::keyClicks(text, QString(72, 'x') + "y");
    EXPECT_EQ(text->text(), std::string(72, 'x'));
    EXPECT_EQ(prompter.texts().back(), "Advertisement Text takes at most 2 lines.");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(shownRows(&d).back(), " 4\t" + std::string(72, 'x'));

    doubleClickRow(&d, 0);
    EXPECT_EQ(line(&d, "number")->text(), " 3");
    EXPECT_EQ(text->text(), "FRESH BREAD\r\nOPEN 7 DAYS");
    EXPECT_EQ(text->displayedLines(), (Rows{"FRESH BREAD\r\n", "OPEN 7 DAYS"}));

    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0].substr(0, 41), "000220000000000003FRESH BREAD\x10OPEN 7 DAYS");
    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const LoadedRows<NumberStringRow> saved = loadNumberStringFile(tablefile::kAdvertisements);
    ASSERT_EQ(saved.rows.size(), 2u);
    EXPECT_EQ(saved.rows[0].value, "FRESH BREAD\r\nOPEN 7 DAYS");
}

TEST_F(TextTablesDlgTest, ExtraTextsGoAsTheWrappedFieldShowsThem) {
    CExtraTextDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    TextBox* text = box(&d, "value");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->maxLength(), 500);
    type(line(&d, "number"), "a12");  // digits only
    EXPECT_EQ(line(&d, "number")->text(), "12");
    type(text, "KEEP IN A COOL AND DRY PLACE, AWAY FROM SUNLIGHT");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "SERVE CHILLED");
    button(&d, "Add")->click();
    EXPECT_EQ(shownRows(&d),
              Rows{"  12 KEEP IN A COOL AND DRY PLACE, AWAY FROM SUNLIGHT\xB6SERVE CHILLED"});
    EXPECT_EQ(line(&d, "number")->text(), "13");
    EXPECT_EQ(QApplication::focusWidget(), text);

    doubleClickRow(&d, 0);
    EXPECT_EQ(line(&d, "number")->text(), "12");
    EXPECT_EQ(text->text(), "KEEP IN A COOL AND DRY PLACE, AWAY FROM SUNLIGHT\r\nSERVE CHILLED");

    // OK keeps the entry still in the fields.
    type(line(&d, "number"), "7");
    type(text, "ABC");
    button(&d, "OK")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const LoadedRows<std::string> saved = loadExtraTextFile();
    ASSERT_EQ(saved.rows.size(), 2u);
    EXPECT_EQ(saved.rows[0], extraTextRecord(7, "ABC"));
}

TEST_F(TextTablesDlgTest, BarcodeTypeButtonsAskBeforeTheyEmptyTheList) {
    CBarcodeDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    auto radio = [&d](const char* text) {
        for (QRadioButton* r : d.findChildren<QRadioButton*>()) {
            if (r->text() == QLatin1String(text)) {
                return r;
            }
        }
        return static_cast<QRadioButton*>(nullptr);
    };
    ASSERT_NE(radio("UPC"), nullptr);
    EXPECT_TRUE(radio("UPC")->isChecked());
    EXPECT_EQ(line(&d, "value")->maxLength(), 11);
    type(line(&d, "number"), "3");
    type(line(&d, "value"), "2000000000a");  // letters become capitals
    EXPECT_EQ(line(&d, "value")->text(), "2000000000A");
    button(&d, "Add")->click();
    EXPECT_EQ(shownRows(&d), Rows{"3\t2000000000A"});
    EXPECT_EQ(QApplication::focusWidget(), line(&d, "number"));

    prompter.answerNext(PromptAnswer::Cancel);
    QTest::mouseClick(radio("EAN"), Qt::LeftButton);
    EXPECT_TRUE(radio("UPC")->isChecked());
    EXPECT_EQ(shownRows(&d).size(), 1u);
    QTest::mouseClick(radio("EAN"), Qt::LeftButton);
    EXPECT_TRUE(radio("EAN")->isChecked());
    EXPECT_TRUE(shownRows(&d).empty());
    EXPECT_EQ(line(&d, "value")->maxLength(), 12);
    EXPECT_EQ(prompter.texts().size(), 2u);

    type(line(&d, "number"), "9");
    EXPECT_EQ(prompter.texts().back(), "The Number must be 1 - 8 !");
    EXPECT_EQ(line(&d, "number")->text(), "");
    button(&d, "CanCel")->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST_F(TextTablesDlgTest, TheDiscountGridRefusesABadRateNamingItsRowAndStaysOpen) {
    CDiscountDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_EQ(line(&d, "rate1")->text(), "0");
    EXPECT_EQ(line(&d, "rate1")->alignment() & Qt::AlignRight, Qt::AlignRight);
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(prompter.texts(), Rows{"No data to transmit!"});

    type(line(&d, "rate1"), "12.5");
    type(line(&d, "displayed1"), "SALE");
    type(line(&d, "printed1"), "REDUCED");
    type(line(&d, "rate3"), "1.234");  // a third decimal is refused with the reason
    EXPECT_EQ(line(&d, "rate3")->text(), "1.23");
    EXPECT_EQ(prompter.texts().back(), "Discount 3 does not take \"1.234\".");
    type(line(&d, "rate3"), "-");
    line(&d, "displayed9")->setFocus();
    button(&d, "OK")->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(prompter.texts().back(), badDiscountRateMessage(3));
    EXPECT_EQ(QApplication::focusWidget(), line(&d, "rate3"));
    EXPECT_FALSE(std::filesystem::exists("discount.dat"));

    type(line(&d, "rate3"), "-5");
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], "00022100000000001" + pad("SALE", 20) + pad("REDUCED", 20) +
                                     "+1250\r\n" + "00022100000000003" + pad("", 40) + "-0500\r\n");
    QTest::keyClick(line(&d, "printed2"), Qt::Key_Return);  // OK is the default button
    EXPECT_EQ(d.result(), QDialog::Accepted);
    DiscountTable saved;
    saved.open();
    EXPECT_EQ(saved.rows()[0].rate, 1250);
    EXPECT_EQ(saved.rows()[2].rate, -500);
}

TEST_F(TextTablesDlgTest, AReceivedDiscountShowsInItsRow) {
    CDiscountDlg d;
    d.show();
    runner.answerWith("10022100000000014" + pad("FOUR", 20) + pad("4", 20) + "-0435\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(line(&d, "rate4")->text(), "-4.35");
    EXPECT_EQ(line(&d, "displayed4")->text(), "FOUR");
    EXPECT_EQ(line(&d, "rate5")->text(), "0");
}

TEST_F(TextTablesDlgTest, StoreAddressAndMarqueeEditTheirOneRecord) {
    {
        CStoreAddressDlg d;
        d.show();
        QApplication::setActiveWindow(&d);
        TextBox* text = box(&d, "address");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(focusName(), "address");
        QTest::keyClicks(text, "CORNER GROCERY");
        QTest::keyClick(text, Qt::Key_Return);  // a new line, not OK
        QTest::keyClicks(text, "12 HIGH STREET");
        QTest::keyClick(text, Qt::Key_Return);  // no third line, and the reason
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.texts(), Rows{"Store Address takes at most 2 lines."});
        button(&d, "PC->Sc")->click();
        EXPECT_EQ(runner.trfOuts.back(), "000212000000000001" +
                                             pad("CORNER GROCERY\x10"
                                                 "12 HIGH STREET",
                                                 73) +
                                             "\r\n");
        runner.answerWith("100212000000000101" + pad("NEW\x10STORE", 73) + "\r\n");
        button(&d, "Sc->PC")->click();
        EXPECT_EQ(text->text(), "NEW\r\nSTORE");
        button(&d, "OK")->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    CStoreAddressDlg reopened;
    EXPECT_EQ(box(&reopened, "address")->text(), "NEW\r\nSTORE");

    CMarqueeDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    QLineEdit* message = line(&d, "message");
    EXPECT_EQ(message->maxLength(), 100);
    QTest::keyClicks(message, "WELCOME");
    QTest::keyClick(message, Qt::Key_Return);  // OK
    EXPECT_EQ(d.result(), QDialog::Accepted);
    CMarqueeDlg again;
    EXPECT_EQ(line(&again, "message")->text(), "WELCOME");
}

TEST_F(TextTablesDlgTest, HeaderAndBottomCheckTheirFontsAndShowWhatTheyReceive) {
    CHeaderBottomDlg d;
    d.show();
    QApplication::setActiveWindow(&d);
    type(box(&d, "header"), "AB");
    QTest::keyClick(box(&d, "header"), Qt::Key_Return);
    QTest::keyClicks(box(&d, "header"), "CD");
    d.findChild<QCheckBox*>("headerCentred")->setChecked(true);
    type(line(&d, "headerFont"), "25");
    button(&d, "OK")->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(prompter.texts(), Rows{"Fonts range: 0 ~ 20 !"});
    EXPECT_EQ(line(&d, "headerFont")->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), line(&d, "headerFont"));

    type(line(&d, "headerFont"), "12");
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0].substr(0, 25),
              "00021100000001000\x0B"
              "CAB\x10\x06"
              "CD");
    EXPECT_EQ(line(&d, "bottomFont")->text(), "5");  // the empty font was sent as 5
    EXPECT_EQ(box(&d, "header")->text(), "AB\r\nCD");

    runner.answerWith("10021100000001000" +
                      pad("\x05"
                          "0BAD",
                          140) +
                      "\r\n");
    button(&d, "Sc->PC")->click();
    EXPECT_EQ(prompter.texts().back(), "Transfer error!");
    EXPECT_EQ(box(&d, "header")->text(),
              "\x05"
              "0BAD");
    EXPECT_EQ(line(&d, "headerFont")->text(), "12");
    EXPECT_TRUE(d.findChild<QCheckBox*>("headerCentred")->isChecked());
}

TEST_F(TextTablesDlgTest, EveryDialogNamesItsControlsIsUsableByKeyboardAndFitsTheScreen) {
    struct Case {
        const char* caption;
        std::function<std::unique_ptr<QDialog>()> make;
        QStringList tabOrder;  // from the first field round to it again
    };
    const std::vector<Case> cases = {
        {"Advertisement Text Numbers",
         [] { return std::make_unique<CAdvTextDlg>(); },
         {"list", "number", "value", "Add", "Del", "PC->Sc", "Sc->PC", "OK", "Cancel", "list"}},
        {"Extra Text Number",
         [] { return std::make_unique<CExtraTextDlg>(); },
         {"list", "number", "value", "Add", "Del", "PC->Sc", "Sc->PC", "OK", "Cancel", "list"}},
        {"Barcode Numbers",
         [] { return std::make_unique<CBarcodeDlg>(); },
         {"list", "number", "value", "UPC", "Add", "Del", "PC->Sc", "Sc->PC", "OK", "CanCel",
          "list"}},
        {"Discount Numbers",
         [] { return std::make_unique<CDiscountDlg>(); },
         {"rate1", "displayed1", "printed1", "rate2"}},
        {"Store Address",
         [] { return std::make_unique<CStoreAddressDlg>(); },
         {"address", "OK", "Cancel", "PC->Sc", "Sc->PC", "address"}},
        {"Marquee Message",
         [] { return std::make_unique<CMarqueeDlg>(); },
         {"message", "OK", "Cancel", "PC->Sc", "Sc->PC", "message"}},
        {"Label Header/Bottom",
         [] { return std::make_unique<CHeaderBottomDlg>(); },
         {"header", "Centralize", "headerFont", "bottom", "Centralize", "bottomFont", "OK",
          "PC->Sc", "Sc->PC", "Cancel", "header"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        std::unique_ptr<QDialog> d = c.make();
        d->show();
        QApplication::setActiveWindow(d.get());
        EXPECT_EQ(d->windowTitle(), c.caption);
        EXPECT_EQ(test::unnamedControls(*d), std::vector<std::string>{});
        EXPECT_LE(d->sizeHint().width(), 1024);
        EXPECT_LE(d->sizeHint().height(), 700);

        d->findChild<QWidget*>(c.tabOrder.front())->setFocus();
        QStringList order{focusName()};
        for (int i = 1; i < c.tabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName();
        }
        EXPECT_EQ(order, c.tabOrder);

        // Escape closes the dialog as Cancel, without saving.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_FALSE(d->isVisible());
    }
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
}

}  // namespace
}  // namespace vorn
