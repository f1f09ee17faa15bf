// The PLU list's own tools, driven as a user would: finding PLUs by typing, sorting by a click
// on a column header, and what "Edit" and "Del" act on while the rows are found and sorted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
            {1, "PEAR\x10WILLIAMS"}, {2, "APPLES"}, {3, "pears tinned"}, {4, "BREAD"}};
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

    clickColumn("Description");
    EXPECT_EQ(shown(), (std::vector<int>{2, 4, 1, 3}));
    clickColumn("Description");
    EXPECT_EQ(shown(), (std::vector<int>{3, 1, 4, 2}));
    clickColumn("Price");  // 4.99, 4.98, ...: by number down
    EXPECT_EQ(shown(), (std::vector<int>{4, 3, 2, 1}));
    clickColumn("PLU");
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

}  // namespace
}  // namespace vorn
