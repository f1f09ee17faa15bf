// The PLU list's own tools, driven as a user would: finding PLUs by typing, sorting by a click
// on a column header, and what "Edit" and "Del" act on while the rows are found and sorted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "plu/PluFile.h"
#include "plu/PluListDlg.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"
#include "widgets/TextRowView.h"

namespace vorn {
namespace {

using test::button;

class PluListGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<PluPair> pairs;
        const std::pair<int, const char*> samples[] = {
            {1, "PEAR\x10WILLIAMS"},
            {2, "APPLES"},
            {3, "pears tinned\x10in syrup, halves, 410 g tin"},
            {4, "BREAD"}};
        for (const auto& [number, description] : samples) {
            pairs.push_back(test::samplePluPair(number, description, std::to_string(500 - number)));
        }
        test::writeFile("plurec.dat", test::pluFileOf(pairs));
        dialog = std::make_unique<CPluListDlg>();
        dialog->show();
    }

    TextRowView* list() { return d().findChild<TextRowView*>("list"); }
    QLineEdit* find() { return d().findChild<QLineEdit*>("find"); }
    // The PLU numbers of the rows as shown.
    std::vector<int> shown() {
        std::vector<int> numbers;
        for (int r = 0; r < list()->model()->rowCount(); ++r) {
            numbers.push_back(std::stoi(
                list()->model()->index(r, 0).data().toString().toStdString().substr(0, 6)));
        }
        return numbers;
    }
    void clickColumn(const char* caption) {
        QTest::mouseClick(test::withCaption<QToolButton>(&d(), caption), Qt::LeftButton);
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    std::unique_ptr<CPluListDlg> dialog;
    CPluListDlg& d() { return *dialog; }
};

TEST_F(PluListGuiTest, TypingFindsAndAClickOnAColumnHeaderSorts) {
    EXPECT_EQ(test::unnamedControls(d()), std::vector<std::string>{});
    EXPECT_EQ(find()->accessibleName(), "Find");
    QTest::keyClicks(find(), "pear");
    EXPECT_EQ(shown(), (std::vector<int>{1, 3}));
    QTest::keyClicks(find(), "s");
    EXPECT_EQ(shown(), (std::vector<int>{3}));
    find()->clear();
    QTest::keyClicks(find(), "william");  // the second description line
    EXPECT_EQ(shown(), (std::vector<int>{1}));
    EXPECT_EQ(list()->model()->index(0, 0).data(Qt::ToolTipRole).toString(), "PEAR\nWILLIAMS");
    find()->clear();
    QTest::keyClicks(find(), "syrup");  // both lines as far as the column goes
    EXPECT_EQ(list()->model()->index(0, 0).data().toString(),
              "     3\tpears tinned in syrup, halves, 410 g tin\t   4.97\t Weight  ");
    find()->clear();

    clickColumn("Description");
    EXPECT_EQ(shown(), (std::vector<int>{2, 4, 1, 3}));
    clickColumn("Description");
    EXPECT_EQ(shown(), (std::vector<int>{3, 1, 4, 2}));
    clickColumn("Price");  // 4.99, 4.98, ...: by number down
    EXPECT_EQ(shown(), (std::vector<int>{4, 3, 2, 1}));
    clickColumn("PLU");
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(PluListGuiTest, TabReachesTheColumnHeadersAndTheirKeySorts) {
    d().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d()));
    find()->setFocus();
    std::vector<QString> reached;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        auto* b = qobject_cast<QToolButton*>(focus);
        reached.push_back(b != nullptr ? b->text() : focus->objectName());
    }
    EXPECT_EQ(reached, (std::vector<QString>{"PLU", "Description", "Price", "PLU type", "list"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // on "Price": 4.96 first
    EXPECT_EQ(shown(), (std::vector<int>{4, 3, 2, 1}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(PluListGuiTest, EditAndDelActOnTheRowsAsShown) {
    clickColumn("Price");           // 4, 3, 2, 1
    QTest::keyClicks(find(), "e");  // PEAR, APPLES, pears, BREAD: all
    list()->selectionModel()->select(list()->model()->index(1, 0),
                                     QItemSelectionModel::ClearAndSelect);  // PLU 3
    button(&d(), "Del")->click();
    EXPECT_EQ(shown(), (std::vector<int>{4, 2, 1}));

    // When the caret's PLU is not found, the first row found is the caret: Enter opens it.
    list()->setCurrentIndex(list()->model()->index(2, 0));  // PLU 1
    find()->clear();
    QTest::keyClicks(find(), "bread");
    EXPECT_EQ(list()->caretRow(), 0);
    std::string opened;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        opened = editor->findChild<QLineEdit*>("pluNumber")->text().toStdString();
        editor->reject();
    });
    QTest::keyClick(find(), Qt::Key_Return);
    EXPECT_EQ(opened, "4");
    find()->clear();
    EXPECT_EQ(shown(), (std::vector<int>{4, 2, 1}));
}

TEST_F(PluListGuiTest, ChangePricesPreviewsAndAppliesToTheSelectedRowsOnly) {
    list()->selectionModel()->select(list()->model()->index(1, 0), QItemSelectionModel::Select);
    list()->selectionModel()->select(list()->model()->index(3, 0), QItemSelectionModel::Select);
    std::vector<std::string> preview;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(test::unnamedControls(*dialog), std::vector<std::string>{});
        auto* value = dialog->findChild<QLineEdit*>("value");
        EXPECT_TRUE(test::withCaption<QRadioButton>(dialog, "&Selected PLUs (2)")->isChecked());
        auto* apply = button(dialog, "Apply");
        // A change below 0.00 is refused with its reason.
        dialog->findChild<QComboBox*>("kind")->setCurrentText("Change by amount");
        QTest::keyClicks(value, "-4.97");
        EXPECT_FALSE(apply->isEnabled());
        EXPECT_EQ(dialog->findChild<QLabel*>("status")->text(),
                  "PLU 4: the new price -0.01 is outside 0.00 to 999999.99.");
        value->clear();
        dialog->findChild<QComboBox*>("kind")->setCurrentText("Change by percent");
        QTest::keyClicks(value, "10");
        test::withCaption<QRadioButton>(dialog, "To .&49")->click();
        const QAbstractItemModel* rows = dialog->findChild<QAbstractItemView*>("preview")->model();
        for (int r = 0; r < rows->rowCount(); ++r) {
            preview.push_back(rows->index(r, 0).data().toString().toStdString());
        }
        apply->click();
    });
    button(&d(), "Change Prices")->click();
    // 4.98 and 4.96 up by a tenth: 5.478 and 5.456, to the cent 5.48 and 5.46, then to .49.
    EXPECT_EQ(preview,
              (std::vector<std::string>{"     2\tAPPLES            \t     4.98\t     5.49",
                                        "     4\tBREAD             \t     4.96\t     5.49"}));
    const auto price = [this](int row) {
        return d().table().list().pair(static_cast<std::size_t>(row)).plu.substr(108, 8);
    };
    EXPECT_EQ(price(0), "00000499");
    EXPECT_EQ(price(1), "00000549");
    EXPECT_EQ(price(2), "00000497");
    EXPECT_EQ(price(3), "00000549");
}

}  // namespace
}  // namespace vorn
