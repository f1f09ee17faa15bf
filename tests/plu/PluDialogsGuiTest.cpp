// Drives the PLU dialogs as a user would: the list with Add, Edit (button, double click, Enter),
// the Delete key, a click on the dialog's surface, Save/Exit and Esc, Import/Export and the
// reload on coming back; the editor's checks, By Count, Save Default and Load Default; the
// range dialog; the selection of received PLUs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "editors/kit/TableReferences.h"
#include "plu/PluEditDlg.h"
#include "plu/PluFile.h"
#include "plu/PluListDlg.h"
#include "plu/PluRangeDlg.h"
#include "plu/SelectPluDlg.h"
#include "tables/TextPieces.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "widgets/ControlsState.h"
#include "widgets/NumEdit.h"
#include "widgets/TextRowView.h"

namespace vorn {
namespace {

using test::button;
using test::check;
using test::type;

using test::pluFileOf;

using Rows = std::vector<std::string>;

PluPair pairOf(int number, const std::string& description, const char* price = "150") {
    return test::samplePluPair(number, description, price);
}

class PluDialogsTest : public ::testing::Test {
protected:
    void TearDown() override { pluReloadPending() = false; }

    static TextRowView* list(QWidget* d) { return d->findChild<TextRowView*>("list"); }
    template <class W = QLineEdit>
    static W* field(QWidget* d, const char* name) {
        W* w = d->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static Rows shownRows(QWidget* d) {
        Rows rows;
        const QAbstractItemModel* model = list(d)->model();
        for (int i = 0; i < model->rowCount(); ++i) {
            rows.push_back(model->index(i, 0).data().toString().toStdString());
        }
        return rows;
    }
    // Acts on the next modal dialog once its event loop runs.
    static void whenModal(std::function<void(QDialog*)> act) {
        QTimer::singleShot(0, [act] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(modal, nullptr);
            act(modal);
            if (modal->isVisible()) {
                modal->reject();  // never leave a test waiting
            }
        });
    }
    static void selectRows(QWidget* d, std::initializer_list<int> rows) {
        for (int r : rows) {
            list(d)->selectionModel()->select(list(d)->model()->index(r, 0),
                                              QItemSelectionModel::Select);
        }
    }
    static QPoint rowCentre(QWidget* d, int row) {
        return list(d)->visualRect(list(d)->model()->index(row, 0)).center();
    }

    test::TempDir dir{test::TempDir::Enter};
    // Import/Export asks a window of the spreadsheet program's title to close: only one of
    // this test's own.
    test::TempDir runtime;
    test::ScopedEnv lockDir{"VORN_LOCK_DIR", runtime.path().string()};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(PluDialogsTest, AddProposesTheNextNumberAndSaveExitWritesTheFile) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(41, "LAST"), pairOf(3, "FIRST")}));
    CPluListDlg d;
    d.show();
    EXPECT_EQ(shownRows(&d), (Rows{"     3\tFIRST             \t   1.50\t Weight  ",
                                   "    41\tLAST              \t   1.50\t Weight  "}));
    EXPECT_EQ(list(&d)->accessibleName().toStdString(),
              "PLU      Description                                  Price     PLU type");
    EXPECT_EQ(test::unnamedControls(d), std::vector<std::string>{});
    EXPECT_TRUE(button(&d, "Edit")->isDefault());

    bool opened = false;
    whenModal([&](QDialog* editor) {
        opened = true;
        EXPECT_EQ(test::unnamedControls(*editor), std::vector<std::string>{});
        EXPECT_EQ(field(editor, "pluNumber")->text(), "42");
        EXPECT_EQ(field(editor, "groupNumber")->text(), "0");
        EXPECT_EQ(field(editor, "price")->text(), "0.00");
        EXPECT_FALSE(field(editor, "fixweight")->isVisible());
        for (const char* format : {"packFormat", "bestBeforeFormat", "sellByFormat"}) {
            EXPECT_EQ(field<QComboBox>(editor, format)->currentText(), "Not print date");
        }
        EXPECT_EQ(field<QComboBox>(editor, "packFormat")->count(), 3);
        EXPECT_EQ(field<QComboBox>(editor, "sellByFormat")->count(), 4);
        EXPECT_EQ(editor->focusWidget(), field(editor, "pluNumber"));
        type(field(editor, "description1"), "PEAR");
        // A fifth digit before the point and a letter are refused as they are typed.
        type(field(editor, "price"), "12345x");
        EXPECT_EQ(field(editor, "price")->text(), "1234");
        button(editor, "OK")->click();
    });
    button(&d, "Add")->click();
    EXPECT_TRUE(opened);
    ASSERT_EQ(shownRows(&d).size(), 3u);
    EXPECT_EQ(shownRows(&d)[2], "    42\tPEAR              \t1234.00\t Weight  ");
    EXPECT_EQ(list(&d)->caretRow(), 2);

    button(&d, "Save/Exit")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const PluFileContent saved = parsePluFile(test::readFile("plurec.dat"));
    ASSERT_EQ(saved.pairs.size(), 3u);
    EXPECT_EQ(saved.pairs[2].plu.substr(108, 8), "00123400");
}

TEST_F(PluDialogsTest, EscapeOrTheCloseBoxAfterAddingAsksWhetherToSave) {
    struct Case {
        bool closeBox;  // else Escape
        PromptAnswer answer;
        bool saved;
        bool open;
    };
    const Case cases[] = {
        {false, PromptAnswer::Discard, false, false},
        {true, PromptAnswer::Ok, true, false},
        {false, PromptAnswer::Cancel, false, true},
    };
    for (const Case& c : cases) {
        const std::string file = pluFileOf({pairOf(1, "ONE")});
        test::writeFile("plurec.dat", file);
        CPluListDlg d;
        d.show();
        whenModal([&](QDialog* editor) {
            type(field(editor, "description1"), "TWO");
            button(editor, "OK")->click();
        });
        button(&d, "Add")->click();
        ASSERT_EQ(shownRows(&d).size(), 2u);
        prompter.clear();
        prompter.answerNext(c.answer);
        if (c.closeBox) {
            d.close();
        } else {
            QTest::keyClick(list(&d), Qt::Key_Escape);
        }
        EXPECT_EQ(prompter.texts(), Rows{kUnsavedChangesQuestion});
        EXPECT_EQ(d.isVisible(), c.open);
        EXPECT_EQ(test::readFile("plurec.dat") != file, c.saved);
    }
    // Nothing changed: Escape closes without a question.
    CPluListDlg d;
    d.show();
    prompter.clear();
    QTest::keyClick(list(&d), Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(prompter.texts(), Rows{});
}

TEST_F(PluDialogsTest, AddAndEditAskBeforeReplacingAPluAndANewNumberMovesThePlu) {
    struct Case {
        int editRow;  // -1: "Add"
        const char* number;
        PromptAnswer answer;
        Rows rows;  // the numbers and first words afterwards
        Rows texts;
    };
    const std::string replace2 = "PLU 2 is already in the list. Replace it?";
    const Case cases[] = {
        {-1, "2", PromptAnswer::Cancel, {"1 ONE", "2 TWO"}, {replace2}},
        {-1, "2", PromptAnswer::Ok, {"1 ONE", "2 NEW"}, {replace2}},
        {0, "5", PromptAnswer::Ok, {"2 TWO", "5 NEW"}, {}},
        {0, "2", PromptAnswer::Cancel, {"1 ONE", "2 TWO"}, {replace2}},
        {0, "2", PromptAnswer::Ok, {"2 NEW"}, {replace2}},
        {-1, "0", PromptAnswer::Ok, {"1 ONE", "2 TWO"}, {kZeroPluNumberMessage}},
    };
    for (const Case& c : cases) {
        test::writeFile("plurec.dat", pluFileOf({pairOf(1, "ONE"), pairOf(2, "TWO")}));
        CPluListDlg d;
        d.show();
        prompter.clear();
        if (!c.texts.empty()) {
            prompter.answerNext(c.answer);
        }
        whenModal([&](QDialog* editor) {
            type(field(editor, "pluNumber"), c.number);
            type(field(editor, "description1"), "NEW");
            button(editor, "OK")->click();
        });
        if (c.editRow >= 0) {
            list(&d)->setCurrentIndex(list(&d)->model()->index(c.editRow, 0));
            button(&d, "Edit")->click();
        } else {
            button(&d, "Add")->click();
        }
        Rows rows;
        for (const std::string& row : shownRows(&d)) {
            rows.push_back(trimmed(row.substr(0, 6)) + " " + trimmed(row.substr(7, 18)));
        }
        EXPECT_EQ(rows, c.rows) << c.number;
        EXPECT_EQ(prompter.texts(), c.texts) << c.number;
    }
}

TEST_F(PluDialogsTest, DoubleClickAndEnterEditTheCaretRow) {
    test::writeFile("plurec.dat",
                    pluFileOf({pairOf(5, "FIVE"), pairOf(9, "HAM", "1234567"), pairOf(12, "X")}));
    CPluListDlg d;
    d.show();
    list(&d)->doItemsLayout();

    whenModal([&](QDialog* editor) {
        EXPECT_EQ(field(editor, "pluNumber")->text(), "5");
        EXPECT_EQ(field(editor, "description1")->text(), "FIVE");
        type(field(editor, "price"), "2.99");
        QTest::keyClick(field(editor, "price"), Qt::Key_Return);  // OK is the default
    });
    QTest::mouseClick(list(&d)->viewport(), Qt::LeftButton, {}, rowCentre(&d, 0));
    QTest::mouseDClick(list(&d)->viewport(), Qt::LeftButton, {}, rowCentre(&d, 0));
    EXPECT_EQ(shownRows(&d)[0], "     5\tFIVE              \t   2.99\t Weight  ");

    // A price of 10000.00 or more is shown whole and kept by OK.
    list(&d)->setCurrentIndex(list(&d)->model()->index(1, 0));
    whenModal([&](QDialog* editor) {
        EXPECT_EQ(field(editor, "price")->text(), "12345.67");
        button(editor, "OK")->click();
    });
    list(&d)->setFocus();
    QTest::keyClick(list(&d), Qt::Key_Return);  // Enter: the default button "Edit"
    EXPECT_EQ(shownRows(&d)[1], "     9\tHAM               \t12345.67\t Weight  ");
    button(&d, "Save/Exit")->click();
    EXPECT_EQ(parsePluFile(test::readFile("plurec.dat")).pairs[1].plu.substr(108, 8), "01234567");
}

TEST_F(PluDialogsTest, TheDeleteKeyAnywhereDeletesTheSelectedRowsAfterOneQuestion) {
    std::vector<PluPair> pairs;
    for (int n = 1; n <= 5; ++n) {
        pairs.push_back(pairOf(n, "ROW"));
    }
    test::writeFile("plurec.dat", pluFileOf(pairs));
    CPluListDlg d;
    d.show();
    selectRows(&d, {0, 2, 3});
    button(&d, "Refresh")->setFocus();
    QTest::keyClick(button(&d, "Refresh"), Qt::Key_Delete);
    EXPECT_EQ(prompter.texts(), Rows{"Delete PLU?"});
    EXPECT_TRUE(prompter.prompts()[0].cancelIsDefault);
    ASSERT_EQ(shownRows(&d).size(), 2u);
    EXPECT_EQ(shownRows(&d)[0].substr(0, 6), "     2");
    EXPECT_EQ(shownRows(&d)[1].substr(0, 6), "     5");
    EXPECT_TRUE(list(&d)->selectedRows().empty());

    // Nothing selected: the caret row goes.
    list(&d)->selectionModel()->setCurrentIndex(list(&d)->model()->index(1, 0),
                                                QItemSelectionModel::NoUpdate);
    list(&d)->clearSelection();
    button(&d, "Del")->click();
    EXPECT_EQ(shownRows(&d).size(), 1u);
    prompter.answerNext(PromptAnswer::Cancel);
    list(&d)->setFocus();
    QTest::keyClick(list(&d), Qt::Key_Delete);
    EXPECT_EQ(shownRows(&d).size(), 1u);
}

TEST_F(PluDialogsTest, AClickOnTheDialogsOwnSurfaceClearsTheSelection) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(1, "A"), pairOf(2, "B")}));
    CPluListDlg d;
    d.show();
    selectRows(&d, {0, 1});
    ASSERT_EQ(list(&d)->selectedRows().size(), 2u);
    QPoint surface(-1, -1);
    for (int y = 1; y < d.height() && surface.x() < 0; y += 2) {
        for (int x = 1; x < d.width(); x += 2) {
            if (d.childAt(x, y) == nullptr) {
                surface = QPoint(x, y);
                break;
            }
        }
    }
    ASSERT_GE(surface.x(), 0);
    QTest::mouseClick(&d, Qt::LeftButton, {}, surface);
    EXPECT_TRUE(list(&d)->selectedRows().empty());
}

TEST_F(PluDialogsTest, ImportExportWritesTheFileAndTheListReloadsWhenTheUserComesBack) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(1, "A")}));
    CPluListDlg d;
    d.show();
    whenModal([&](QDialog* editor) {
        type(field(editor, "description1"), "ADDED");
        button(editor, "OK")->click();
    });
    button(&d, "Add")->click();
    button(&d, "Import/Export")->click();  // ../../TABSWAP is not there: nothing is told
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_TRUE(pluReloadPending());
    EXPECT_EQ(parsePluFile(test::readFile("plurec.dat")).pairs.size(), 2u);

    // Painting the dialog after the click reloads nothing yet.
    d.repaint();
    QTest::qWait(20);
    EXPECT_EQ(shownRows(&d).size(), 2u);

    // The spreadsheet program changes the file; coming back to the list shows it.
    test::writeFile("plurec.dat", pluFileOf({pairOf(7, "SEVEN")}));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&d, &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&d, &activate);
    QTest::qWait(20);
    EXPECT_FALSE(pluReloadPending());
    EXPECT_EQ(shownRows(&d), Rows{"     7\tSEVEN             \t   1.50\t Weight  "});
}

TEST_F(PluDialogsTest, RestoreBackupPutsBackThePluFileOfBeforeTheLastReceive) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(1, "A")}));
    CPluListDlg d;
    d.show();
    button(&d, "Restore Backup")->click();  // no receive yet: nothing to restore
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(prompter.texts()[0].rfind("There is no backup", 0), 0u);

    std::filesystem::create_directory("backup");
    test::writeFile("backup/plurec.dat", pluFileOf({pairOf(7, "SEVEN")}));
    prompter.answerNext(PromptAnswer::Cancel);
    button(&d, "Restore Backup")->click();
    EXPECT_EQ(shownRows(&d).size(), 1u);
    EXPECT_EQ(parsePluFile(test::readFile("plurec.dat")).pairs.size(), 1u);
    button(&d, "Restore Backup")->click();  // answered OK
    EXPECT_EQ(shownRows(&d), Rows{"     7\tSEVEN             \t   1.50\t Weight  "});
    EXPECT_EQ(test::readFile("plurec.dat"), test::readFile("backup/plurec.dat"));
}

TEST_F(PluDialogsTest, EditorChecksOnOkAndByCountShowsTheFixweight) {
    PluValues fresh;
    fresh.pluNumber = "3";
    CPluEditDlg editor(fresh);
    editor.show();
    type(field(&editor, "description1"), "   ");
    button(&editor, "OK")->click();
    EXPECT_EQ(prompter.texts(), Rows{"Fill the PLU description!"});
    EXPECT_EQ(editor.focusWidget(), field(&editor, "description1"));
    EXPECT_TRUE(editor.isVisible());

    type(field(&editor, "description1"), "SALT");
    type(field(&editor, "tareNumber"), "17");
    type(field(&editor, "labelNumber"), "12");
    button(&editor, "OK")->click();
    EXPECT_EQ(prompter.texts().back(), " Tare No. range 0 ~ 16!");
    EXPECT_EQ(field(&editor, "tareNumber")->text(), "");
    EXPECT_EQ(field(&editor, "labelNumber")->text(), "12");
    EXPECT_EQ(editor.focusWidget(), field(&editor, "tareNumber"));

    QCheckBox* byCount = check(&editor, "By Count");
    byCount->click();
    EXPECT_TRUE(field(&editor, "fixweight")->isVisible());
    type(field(&editor, "fixweight"), "31");
    button(&editor, "OK")->click();
    EXPECT_EQ(prompter.texts().back(), " Fixweight range 0 ~ 30 lb!");
    type(field(&editor, "fixweight"), "30.999");
    byCount->click();  // off again: the fixweight goes
    EXPECT_FALSE(field(&editor, "fixweight")->isVisible());
    button(&editor, "OK")->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.accepted().fixweightThousandths, "0");
    EXPECT_EQ(editor.accepted().labelNumber, "12");
}

// Groups 1 and 2 only.
KnownNumbers twoGroups(const ReferredTables&) {
    KnownNumbers known;
    known.tables[ReferredTable::Group] = {1, 2};
    return known;
}

TEST_F(PluDialogsTest, TheEditorShowsAGroupThatTheGroupTableDoesNotHaveAsItIsTyped) {
    const KnownNumbersReader previous = installKnownNumbersReader(&twoGroups);
    PluValues values;
    values.pluNumber = "7";
    values.groupNumber = "5";
    CPluEditDlg editor(values);
    editor.show();
    auto* references = editor.findChild<QLabel*>("references");
    ASSERT_NE(references, nullptr);
    EXPECT_TRUE(references->isVisible());
    EXPECT_EQ(references->text(), "PLU 7 points to group 5, which the group table does not have");
    type(field(&editor, "groupNumber"), "2");
    EXPECT_FALSE(references->isVisible());
    type(field(&editor, "groupNumber"), "9");
    EXPECT_EQ(references->text(), "PLU 7 points to group 9, which the group table does not have");
    installKnownNumbersReader(previous);
}

TEST_F(PluDialogsTest, EditorFieldsTakeWhatIsTypedOrSayWhyNot) {
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;
        const char* message;  // "" when nothing is refused
    };
    const Case cases[] = {
        {"price", "12,99", "12.99", ""},
        {"price", "99999", "9999", "Price takes at most 4 digits without a decimal point."},
        {"price", "1.234", "1.23", "Price takes at most 2 decimals."},
        {"price", "1a", "1", "Price does not take \"a\", only digits and a decimal point."},
        {"pluNumber", "1000000", "100000", "PLU No takes at most 6 characters."},
        {"groupNumber", "x1", "1", "Group No. does not take \"x\"."},
        {"tareNumber", "123456", "12345", "Tare No. takes at most 5 characters."},
        {"description1", "CAF\u00c9 \u20ac1", "CAF\u00c9 1",
         "Description does not take \"\u20ac\": the scale's character set does not hold it."},
        {"description2", "A\u2013B", "AB",
         "Description does not take \"\u2013\": the scale's character set does not hold it."},
    };
    for (const Case& c : cases) {
        CPluEditDlg editor(PluValues{});
        editor.show();
        prompter.clear();
        type(field(&editor, c.field), QString::fromUtf8(c.typed));
        EXPECT_EQ(field(&editor, c.field)->text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(prompter.texts(), c.message[0] != 0 ? Rows{c.message} : Rows{}) << c.typed;
    }
}

TEST_F(PluDialogsTest, LoadDefaultTakesEveryValueButThePluNumber) {
    PluValues fresh;
    fresh.pluNumber = "3";
    {
        CPluEditDlg editor(fresh);
        type(field(&editor, "description1"), "MILK");
        type(field(&editor, "price"), "0.99");
        check(&editor, "By Count")->click();
        type(field(&editor, "fixweight"), "1.5");
        field<QComboBox>(&editor, "sellByFormat")->setCurrentIndex(3);
        button(&editor, "Save Default")->click();
    }
    fresh.pluNumber = "8";
    CPluEditDlg editor(fresh);
    editor.show();
    button(&editor, "Load Default")->click();
    EXPECT_EQ(field(&editor, "pluNumber")->text(), "");
    EXPECT_EQ(field(&editor, "description1")->text(), "MILK");
    EXPECT_EQ(field(&editor, "price")->text(), "0.99");
    EXPECT_EQ(field(&editor, "fixweight")->text(), "1.5");
    EXPECT_TRUE(field(&editor, "fixweight")->isVisible());
    EXPECT_EQ(field<QComboBox>(&editor, "sellByFormat")->currentText(), "days");
    button(&editor, "OK")->click();
    EXPECT_EQ(prompter.texts(), Rows{"Fill the PLU No.!"});
    EXPECT_EQ(editor.focusWidget(), field(&editor, "pluNumber"));
}

TEST_F(PluDialogsTest, RangeDialogChecksItsNumbersAndSingleSendsOne) {
    {
        CPluRangeDlg range;
        range.show();
        EXPECT_EQ(test::unnamedControls(range), std::vector<std::string>{});
        EXPECT_EQ(field(&range, "from")->text(), "1");
        EXPECT_EQ(field(&range, "to")->text(), "1000");
        type(field(&range, "to"), "1000000");
        button(&range, "OK")->click();
        EXPECT_EQ(prompter.texts(), Rows{"Please enter an integer between 0 and 999999."});
        EXPECT_EQ(range.focusWidget(), field(&range, "to"));
        type(field(&range, "from"), "abc");
        button(&range, "OK")->click();
        EXPECT_EQ(prompter.texts().back(), "Please enter an integer.");
        type(field(&range, "from"), "20");
        type(field(&range, "to"), "999999");
        button(&range, "OK")->click();
        EXPECT_EQ(range.result(), QDialog::Accepted);
        EXPECT_EQ(range.range().first, 20);
        EXPECT_EQ(range.range().last, 999999);
    }
    CPluRangeDlg single;
    single.show();
    QRadioButton* singleButton = nullptr;
    for (QRadioButton* r : single.findChildren<QRadioButton*>()) {
        if (r->text() == "Single") {
            singleButton = r;
        }
    }
    ASSERT_NE(singleButton, nullptr);
    singleButton->click();
    EXPECT_FALSE(field(&single, "to")->isEnabled());
    type(field(&single, "from"), "7");
    type(field(&single, "to"), "x");  // plays no part
    button(&single, "OK")->click();
    EXPECT_EQ(single.range().first, 7);
    EXPECT_EQ(single.range().last, 7);
}

TEST_F(PluDialogsTest, PcToScaleSendsTheRangeChosenInTheRangeDialog) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(5, "A"), pairOf(7, "B"), pairOf(9, "C")}));
    CPluListDlg d;
    d.show();
    whenModal([&](QDialog* range) {
        type(field(range, "from"), "6");
        type(field(range, "to"), "9");
        button(range, "OK")->click();
    });
    button(&d, "PC->Sc")->click();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], pairOf(7, "B").plu + "\r\n" + pairOf(7, "B").label + "\r\n" +
                                     pairOf(9, "C").plu + "\r\n" + pairOf(9, "C").label + "\r\n");

    // The dialog opens on the selected rows; a range without a PLU says so and sends nothing.
    selectRows(&d, {0, 1});
    whenModal([&](QDialog* range) {
        EXPECT_EQ(field(range, "from")->text(), "5");
        EXPECT_EQ(field(range, "to")->text(), "7");
        type(field(range, "from"), "10");
        type(field(range, "to"), "20");
        button(range, "OK")->click();
    });
    button(&d, "PC->Sc")->click();
    EXPECT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(prompter.texts().back(),
              "No PLU of the list lies in the range 10 to 20: nothing was sent.");
}

TEST_F(PluDialogsTest, SelectUpdateTakesTheSelectedPlusAndAllUpdateEvery) {
    std::string trf1;
    for (int n = 1; n <= 5; ++n) {
        std::string line = pairOf(n * 10, "GOT").plu;
        line[0] = '1';
        trf1 += line + "\r\n";
    }
    test::writeFile("trf1.in", trf1);
    test::writeFile("trf2.in", "");
    {
        CSelectPluDlg select;
        select.show();
        EXPECT_EQ(test::unnamedControls(select), std::vector<std::string>{});
        ASSERT_EQ(shownRows(&select).size(), 5u);
        EXPECT_EQ(shownRows(&select)[0], "  10\tGOT                   1.50\t\t\t");
        selectRows(&select, {1, 3});
        button(&select, "SelectUpdate")->click();
        EXPECT_EQ(select.result(), QDialog::Accepted);
    }
    const std::vector<PluPair> chosen = *readChosenPlus();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].plu, pairOf(20, "GOT").plu);
    EXPECT_EQ(chosen[1].label, asStoredRecord(defaultLabelLine(40)));

    CSelectPluDlg all;
    all.show();
    button(&all, "AllUpdate")->click();
    EXPECT_EQ(readChosenPlus()->size(), 5u);
}

}  // namespace
}  // namespace vorn
