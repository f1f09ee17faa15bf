#include "widgets/TextBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/RecordingPrompter.h"

namespace vorn {
namespace {

using Lines = std::vector<std::string>;

class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.setAccessibleName("Memo");
        box.show();
        box.setFocus();
    }
    void type(const std::string& text) {
        QTest::keyClicks(&box, QString::fromLatin1(text.c_str()));
    }
    void enter() { QTest::keyClick(&box, Qt::Key_Return); }

    TextBox box;
    QSignalSpy overflows{&box, &TextBox::overflowed};
    test::RecordingPrompter prompter;
};

TEST_F(TextBoxTest, ALineBreakCountsTwoCharactersAgainstTheLength) {
    box.setShape(36, 4, TextBox::Wrap::Words);
    box.setMaxLength(6);
    type("AB");
    enter();
    type("CDE");  // A B CR LF C D: the E is one too many
    EXPECT_EQ(box.text(), "AB\r\nCD");
    EXPECT_EQ(overflows.count(), 1);
    QTest::keyClick(&box, Qt::Key_Backspace);
    type("X");
    EXPECT_EQ(box.text(), "AB\r\nCX");
    EXPECT_EQ(overflows.count(), 1);
}

TEST_F(TextBoxTest, ATwoLineBoxTakesTwoLinesOf36AndNoMore) {
    box.setShape(36, 2, TextBox::Wrap::Anywhere);
    box.setMaxLines(2);
    box.setMaxLength(74);
    type(std::string(72, 'a'));
    EXPECT_EQ(overflows.count(), 0);
    type("b");  // a third line
    enter();
    EXPECT_EQ(overflows.count(), 2);
    EXPECT_EQ(box.text(), std::string(72, 'a'));
    EXPECT_EQ(box.displayedLines(), (Lines{std::string(36, 'a'), std::string(36, 'a')}));

    box.setText("");
    type("TOP");
    enter();
    type("BOTTOM");
    enter();  // no third line, and the box says why
    EXPECT_EQ(box.text(), "TOP\r\nBOTTOM");
    EXPECT_EQ(overflows.count(), 3);
    EXPECT_EQ(prompter.texts().back(), "Memo takes at most 2 lines.");
}

TEST_F(TextBoxTest, WrappedLinesAreShownAsTheFieldBreaksThem) {
    box.setShape(36, 10, TextBox::Wrap::Words);
    box.setText("KEEP IN A COOL AND DRY PLACE, AWAY FROM SUNLIGHT\r\nSERVE CHILLED\r\n" +
                std::string(40, 'z'));
    const Lines lines = box.displayedLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "KEEP IN A COOL AND DRY PLACE, AWAY ");
    EXPECT_EQ(lines[1], "FROM SUNLIGHT\r\n");
    EXPECT_EQ(lines[2], "SERVE CHILLED\r\n");
    EXPECT_EQ(lines[3], std::string(36, 'z'));  // a word longer than a line is cut anywhere
    EXPECT_EQ(lines[4], "zzzz");

    // 36 characters fit a line; a 37th takes its word to the next.
    box.setText(std::string(17, 'x') + " " + std::string(18, 'y'));
    EXPECT_EQ(box.displayedLines().size(), 1u);
    box.setText(std::string(18, 'x') + " " + std::string(18, 'y'));
    EXPECT_EQ(box.displayedLines(), (Lines{std::string(18, 'x') + " ", std::string(18, 'y')}));
}

TEST_F(TextBoxTest, TextSetByTheProgramIsTakenWholeAndAPasteTooLongIsRefusedWhole) {
    box.setShape(36, 2, TextBox::Wrap::Anywhere);
    box.setMaxLength(10);
    box.setText(std::string(12, 'p') + "\r\n\x10");
    EXPECT_EQ(box.text(), std::string(12, 'p') + "\r\n\x10");

    box.setText("AB");
    QTextCursor end = box.textCursor();
    end.movePosition(QTextCursor::End);
    box.setTextCursor(end);
    QApplication::clipboard()->setText("12\r\n34567890");
    box.paste();
    EXPECT_EQ(box.text(), "AB");
    EXPECT_EQ(prompter.texts(), (Lines{"Memo takes at most 10 characters."}));
    QApplication::clipboard()->setText("12\r\n3456");
    box.paste();
    EXPECT_EQ(box.text(), "AB12\r\n3456");  // a CR LF pasted is one break of two characters
    QApplication::clipboard()->setText(QString::fromUtf8("\u20ac"));
    box.setText("");
    box.paste();
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(prompter.texts().back(),
              "Memo does not take \"\u20ac\": the scale's character set does not hold it.");
}

TEST(TextBoxLines, LinesWrappedAnywhereCountEachLineAtLeastOnce) {
    EXPECT_EQ(linesWrappedAnywhere("", 36), 1);
    EXPECT_EQ(linesWrappedAnywhere(QString(36, 'a'), 36), 1);
    EXPECT_EQ(linesWrappedAnywhere(QString(37, 'a'), 36), 2);
    EXPECT_EQ(linesWrappedAnywhere("a\n\nb", 36), 3);
    EXPECT_EQ(linesWrappedAnywhere(QString(100, 'a'), 0), 1);
}

}  // namespace
}  // namespace vorn
