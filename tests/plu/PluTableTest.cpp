// The PLU list's operations without a window: loading and saving plurec.dat, Add, Edit and Del
// with their questions, and the current record pair that new PLUs are built on.
#include "plu/PluTable.h"

#include <gtest/gtest.h>

#include "plu/PluFile.h"
#include "plu/PluForm.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pluFileOf;

PluPair pairOf(int number, const std::string& description, char reserved = '0') {
    PluPair pair = test::samplePluPair(number, description);
    pair.plu.replace(126, 44, std::string(44, reserved));
    pair.label.replace(85, 48, std::string(48, reserved));
    return pair;
}

std::vector<int> numbers(const PluTable& table) {
    std::vector<int> out;
    for (std::size_t i = 0; i < table.list().size(); ++i) {
        out.push_back(table.list().number(i));
    }
    return out;
}

// An editor that changes what `change` changes and presses OK.
PluEditorRun editorThat(std::function<void(PluForm&)> change, PluValues* seen = nullptr) {
    return [change, seen](const PluValues& values) -> std::optional<PluValues> {
        if (seen != nullptr) {
            *seen = values;
        }
        PluForm form = formOfValues(values);
        change(form);
        if (!acceptForm(form).passed()) {
            return std::nullopt;
        }
        return form.values;
    };
}

std::optional<PluValues> cancelled(const PluValues&) {
    return std::nullopt;
}

class PluTableTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    PluTable table;
};

TEST_F(PluTableTest, LoadingSortsByNumberAndKeepsTheLaterOfTwoPairsOfOneNumber) {
    test::writeFile("plurec.dat", pluFileOf({pairOf(30, "C"), pairOf(4, "OLD"), pairOf(12, "B"),
                                             pairOf(4, "NEW", 'x')}));
    table.load();
    EXPECT_EQ(numbers(table), (std::vector<int>{4, 12, 30}));
    EXPECT_EQ(table.list().pair(0), pairOf(4, "NEW", 'x'));
    EXPECT_EQ(table.current(), pairOf(4, "NEW", 'x'));  // the last pair read
    EXPECT_TRUE(prompter.texts().empty());

    // Refresh reads the file again into an emptied list.
    test::writeFile("plurec.dat", pluFileOf({pairOf(7, "ONLY")}));
    table.load();
    EXPECT_EQ(numbers(table), (std::vector<int>{7}));
}

TEST_F(PluTableTest, AFileThatIsNoPluFileIsToldAndReplacedOnlyWhenTheUserAgrees) {
    const std::string foreign = "'KVRARetail_RL00_USA_PLU_VERSION_2.0\r\nsomething\r\n";
    test::writeFile("plurec.dat", foreign);
    table.load();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"error file record format!"});
    EXPECT_TRUE(table.list().empty());

    table.addValues(decodePair(pairOf(1, "APPLE")));
    prompter.answerNext(PromptAnswer::Cancel);
    EXPECT_FALSE(table.save());
    EXPECT_EQ(test::readFile("plurec.dat"), foreign);
    ASSERT_EQ(prompter.prompts().back().buttons, PromptButtons::OkCancel);

    EXPECT_TRUE(table.save());
    EXPECT_EQ(parsePluFile(test::readFile("plurec.dat")).pairs.size(), 1u);
}

TEST_F(PluTableTest, DamagedPairsAreToldKeptAndWrittenBackUnchanged) {
    const PluPair good = pairOf(1, "GOOD");
    PluPair cut = pairOf(2, "CUT");
    cut.label.resize(100);
    const std::string bytes = pluFileOf({good, cut});
    test::writeFile("plurec.dat", bytes);
    table.load();
    ASSERT_EQ(table.list().size(), 2u);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("1 damaged PLU record"), std::string::npos);
    EXPECT_EQ(table.current(), good);  // a damaged pair is never built on
    prompter.clear();
    EXPECT_TRUE(table.save());
    EXPECT_EQ(test::readFile("plurec.dat"), bytes);
}

TEST_F(PluTableTest, AddProposesOneMoreThanTheLastNumberAndBuildsOnTheCurrentPair) {
    PluValues seen;
    table.add(editorThat([](PluForm& f) { f.values.description1 = "FIRST"; }, &seen));
    EXPECT_EQ(seen.pluNumber, "1");
    EXPECT_EQ(numbers(table), (std::vector<int>{1}));
    // Built on the template: its envelope, and every field the editor left empty zero.
    EXPECT_EQ(table.list().pair(0).plu.substr(0, 35), "00020700000001000000010000000000000");

    test::writeFile("plurec.dat", pluFileOf({pairOf(41, "LAST"), pairOf(3, "LOW", 'r')}));
    table.load();
    table.add(editorThat([](PluForm& f) { f.values.description1 = "NEXT"; }, &seen));
    EXPECT_EQ(seen.pluNumber, "42");  // even though lower numbers are free
    EXPECT_EQ(numbers(table), (std::vector<int>{3, 41, 42}));
    // The positions the editor does not own come from the pair read last.
    EXPECT_EQ(table.list().pair(2).plu.substr(126, 44), std::string(44, 'r'));

    // Cancel in the editor adds nothing.
    table.add(cancelled);
    EXPECT_EQ(table.list().size(), 3u);
}

TEST_F(PluTableTest, EditReplacesTheRowOrMovesItToTheNewNumberAndKeepsTheScalesCharacters) {
    PluPair scale = pairOf(7, "SEVEN", 's');
    scale.plu.replace(6, 4, "0007");  // the operation of a request answer
    test::writeFile("plurec.dat", pluFileOf({pairOf(5, "FIVE"), scale}));
    table.load();

    PluValues seen;
    table.edit(1, editorThat([](PluForm& f) { f.price = "3.99"; }, &seen));
    EXPECT_EQ(seen.description1, "SEVEN");
    ASSERT_EQ(numbers(table), (std::vector<int>{5, 7}));
    PluPair expected = scale;
    expected.plu.replace(6, 4, "0000");
    expected.label.replace(6, 4, "0000");
    expected.plu.replace(108, 8, "00000399");
    EXPECT_EQ(table.list().pair(1), expected);

    // A new number moves PLU 7 to 8: no copy stays behind.
    table.edit(1, editorThat([](PluForm& f) { f.values.pluNumber = "8"; }));
    EXPECT_EQ(numbers(table), (std::vector<int>{5, 8}));
    expected.plu.replace(16, 6, "000008");
    expected.label.replace(16, 6, "000008");
    EXPECT_EQ(table.list().pair(1), expected);

    // Cancel changes no row.
    table.edit(0, cancelled);
    EXPECT_EQ(table.list().pair(0), pairOf(5, "FIVE"));
}

TEST_F(PluTableTest, EditOfADamagedRowOffersToDeleteIt) {
    PluPair cut = pairOf(2, "CUT");
    cut.plu.resize(150);
    test::writeFile("plurec.dat", pluFileOf({pairOf(1, "ONE"), cut}));
    table.load();
    prompter.clear();
    bool editorRan = false;
    const PluEditorRun editor = [&editorRan](const PluValues&) -> std::optional<PluValues> {
        editorRan = true;
        return std::nullopt;
    };
    prompter.answerNext(PromptAnswer::Cancel);
    table.edit(1, editor);
    EXPECT_EQ(table.list().size(), 2u);
    table.edit(1, editor);
    EXPECT_EQ(numbers(table), (std::vector<int>{1}));
    EXPECT_FALSE(editorRan);
    const std::vector<Prompt> prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].text, "the record is error,delete?");
    EXPECT_EQ(prompts[0].caption, std::optional<std::string>(""));
    EXPECT_EQ(prompts[0].buttons, PromptButtons::OkCancel);
}

TEST_F(PluTableTest, DelAsksOnceAndDeletesTheSelectedRowsOrTheCaretRow) {
    std::vector<PluPair> pairs;
    for (int n = 1; n <= 6; ++n) {
        pairs.push_back(pairOf(n, "X"));
    }
    table.take(pairs);
    prompter.answerNext(PromptAnswer::Cancel);
    EXPECT_FALSE(table.deleteRows({0, 1}, 2));
    EXPECT_EQ(table.list().size(), 6u);

    EXPECT_TRUE(table.deleteRows({0, 2, 3}, 5));
    EXPECT_EQ(numbers(table), (std::vector<int>{2, 5, 6}));
    EXPECT_TRUE(table.deleteRows({}, 1));
    EXPECT_EQ(numbers(table), (std::vector<int>{2, 6}));
    EXPECT_FALSE(table.deleteRows({}, std::nullopt));
    const std::vector<Prompt> prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(prompts[0].text, "Delete PLU?");
    EXPECT_EQ(prompts[0].icon, PromptIcon::Warning);
}

TEST_F(PluTableTest, APluOfTwelveThousandSurvivesLoadEditAndSave) {
    PluPair big = pairOf(9, "HAM", 'q');
    big.plu.replace(108, 8, "01234567");
    const std::string bytes = pluFileOf({pairOf(1, "A"), big});
    test::writeFile("plurec.dat", bytes);
    table.load();
    ASSERT_EQ(table.list().size(), 2u);
    EXPECT_EQ(table.list().displayText(1), "     9\tHAM               \t12345.67\t Weight  ");
    PluValues seen;
    table.edit(1, editorThat([](PluForm& f) { EXPECT_EQ(f.price, "12345.67"); }, &seen));
    ASSERT_TRUE(table.save());
    EXPECT_EQ(test::readFile("plurec.dat"), bytes);
}

}  // namespace
}  // namespace vorn
