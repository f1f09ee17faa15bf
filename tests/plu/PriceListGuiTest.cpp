// The printed price list, saved as PDF and read back with pdftotext: the heading with store,
// scale and date, a row for each PLU chosen (all, the rows shown, a group) with both description
// lines, price, unit and group, and numbered pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "plu/PluListDlg.h"
#include "plu/PriceListPrintDlg.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Controls.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

// The text of a PDF file, as pdftotext lays it out.
std::string pdfText(const std::string& path) {
    const std::string command = "pdftotext -layout '" + path + "' -";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return text;
}

int occurrences(const std::string& text, const std::string& word) {
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

class PriceListGuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories("Corner Shop/deli");
        std::filesystem::current_path("Corner Shop/deli");
        std::vector<PluPair> pairs;
        for (int n = 1; n <= 150; ++n) {
            PluPair pair = test::samplePluPair(
                n, n == 7 ? "PEARS\x10WILLIAMS" : "ITEM" + std::to_string(n), "1234");
            test::setField(pair.plu, plurecord::kGroupNumber, n % 10 == 0 ? "0042" : "0001");
            test::setField(pair.plu, plurecord::kFlags, n == 20 ? "0001" : "0000");
            pairs.push_back(pair);
        }
        test::writeFile("plurec.dat", test::pluFileOf(pairs));
    }

    // Prints from the open list with the choice made by choose; the PDF's text.
    std::string printed(CPluListDlg& list, const std::function<void(QDialog*)>& choose) {
        const std::string pdf = dir.file("list.pdf");
        std::filesystem::remove(pdf);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CPriceListPrintDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(test::unnamedControls(*dialog), std::vector<std::string>{});
            choose(dialog);
            EXPECT_TRUE(dialog->saveAsPdf(QString::fromStdString(pdf)));
            dialog->reject();
        });
        test::button(&list, "Print")->click();
        return pdfText(pdf);
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
};

TEST_F(PriceListGuiTest, AllTheRowsShownOrAGroupGoOnNumberedPagesUnderTheHeading) {
    CPluListDlg list;
    list.show();
    const std::string all = printed(list, [](QDialog*) {});
    ASSERT_FALSE(all.empty()) << "pdftotext (poppler-utils) missing?";
    const std::string heading = "Price list Store: Corner Shop Scale: deli " +
                                QDate::currentDate().toString(Qt::ISODate).toStdString();
    std::string flat;  // blanks run together, as pdftotext spaces them as it likes
    for (char c : all) {
        if (!(c == ' ' && !flat.empty() && flat.back() == ' ')) {
            flat += c;
        }
    }
    const int pages = occurrences(all, "Page ");
    ASSERT_GT(pages, 1);
    EXPECT_EQ(occurrences(flat, heading), pages);
    EXPECT_EQ(occurrences(all, "Description"), pages);
    EXPECT_NE(all.find("Page 1 of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(all.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)),
              std::string::npos);
    for (int n : {1, 99, 150}) {
        EXPECT_EQ(occurrences(all, "ITEM" + std::to_string(n) + " "), 1) << n;
    }
    EXPECT_NE(flat.find("7 PEARS 12.34 Weight 1\n WILLIAMS"), std::string::npos);
    EXPECT_NE(flat.find("20 ITEM20 12.34 Count 42"), std::string::npos);

    // The rows the search shows; then a group.
    QTest::keyClicks(list.findChild<QLineEdit*>("find"), "pears");
    const std::string found = printed(list, [](QDialog* d) {
        test::withCaption<QRadioButton>(d, "The rows &shown (1)")->click();
    });
    EXPECT_NE(found.find("PEARS"), std::string::npos);
    EXPECT_EQ(occurrences(found, "ITEM"), 0);
    EXPECT_NE(found.find("Page 1 of 1"), std::string::npos);
    const std::string group = printed(
        list, [](QDialog* d) { QTest::keyClicks(d->findChild<QLineEdit*>("group"), "42"); });
    EXPECT_EQ(occurrences(group, "ITEM"), 15);
    EXPECT_EQ(occurrences(group, "ITEM1 "), 0);
}

}  // namespace
}  // namespace vorn
