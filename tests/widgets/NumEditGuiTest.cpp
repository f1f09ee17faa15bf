#include "widgets/NumEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "tests/support/RecordingPrompter.h"

namespace vorn {
namespace {

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit.configure(7, 2);  // the price field
        edit.show();
        edit.setFocus();
    }
    void setText(const char* text, int cursor) {
        edit.setText(text);
        edit.setCursorPosition(cursor);
    }

    CNumEdit edit;
};

TEST_F(NumEditTest, TypingKeepsOnlyAcceptableTexts) {
    QTest::keyClicks(&edit, "9999.99");
    EXPECT_EQ(edit.text(), "9999.99");
    edit.clear();
    QTest::keyClicks(&edit, "12345");  // a fifth digit before any point
    EXPECT_EQ(edit.text(), "1234");
    QTest::keyClicks(&edit, ".567");  // a third decimal
    EXPECT_EQ(edit.text(), "1234.56");
    edit.clear();
    QTest::keyClicks(&edit, "0a5.5.");  // 05, letters and a second point are refused
    EXPECT_EQ(edit.text(), "0.5");
}

TEST_F(NumEditTest, ADecimalCommaIsThePointAndARefusalSaysWhy) {
    test::RecordingPrompter prompter;
    edit.setAccessibleName("Price");
    QTest::keyClicks(&edit, "12,99");
    EXPECT_EQ(edit.text(), "12.99");
    EXPECT_TRUE(prompter.texts().empty());
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), "12.99");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Price takes at most 2 decimals."});
}

TEST_F(NumEditTest, BackspaceAndDeleteThatWouldLeaveABadTextAreUndone) {
    setText("0.5", 2);
    QTest::keyClick(&edit, Qt::Key_Backspace);  // 05
    EXPECT_EQ(edit.text(), "0.5");
    EXPECT_EQ(edit.cursorPosition(), 2);

    setText("1234.56", 4);
    QTest::keyClick(&edit, Qt::Key_Delete);  // 123456
    EXPECT_EQ(edit.text(), "1234.56");
    QTest::keyClick(&edit, Qt::Key_Backspace);  // 123.56 is fine
    EXPECT_EQ(edit.text(), "123.56");
}

TEST_F(NumEditTest, PasteByKeyboardIsCheckedLikeTyping) {
    QApplication::clipboard()->setText("12a");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "");
    QApplication::clipboard()->setText("1.234");
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit.text(), "");
    QApplication::clipboard()->setText("12.5");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "12.5");
}

TEST_F(NumEditTest, ARefusedKeystrokeRestoresTheSelection) {
    edit.setText("12.5");
    edit.setSelection(1, 2);  // "2."
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "12.5");
    EXPECT_EQ(edit.selectedText(), "2.");
    QTest::keyClicks(&edit, "3");  // replaces the selection: 135
    EXPECT_EQ(edit.text(), "135");
}

TEST_F(NumEditTest, NoContextMenuAndNoDrops) {
    EXPECT_EQ(edit.contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(edit.acceptDrops());
}

TEST_F(NumEditTest, TareWeightFieldBoundsDigitsBeforeAPointOnlyWithoutOne) {
    edit.configure(5, 3);
    QTest::keyClicks(&edit, "10");
    EXPECT_EQ(edit.text(), "1");
    QTest::keyClicks(&edit, ".5");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "0");  // 10.5
    EXPECT_EQ(edit.text(), "10.5");
}

TEST_F(NumEditTest, ValueAsHundredthsAndShowHundredths) {
    edit.setText("12.34");
    EXPECT_EQ(edit.valueAsHundredths(), "1234");
    edit.clear();
    EXPECT_EQ(edit.valueAsHundredths(), "0");
    edit.showHundredths("150");
    EXPECT_EQ(edit.text(), "1.50");
    edit.showHundredths("");
    EXPECT_EQ(edit.text(), "0.00");
}

}  // namespace
}  // namespace vorn
