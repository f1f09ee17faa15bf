// The batch steps of the PLUs, texts, codes and scale setup: the lines they send and the table
// files they store, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "comm/TransferFiles.h"
#include "plu/PluFile.h"
#include "tables/KeyFile.h"
#include "tables/TableFiles.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pluFileOf;

using test::lengthPrefixed;
using test::pad;
using Texts = std::vector<std::string>;

std::string word(int v) {
    return {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
}

std::string longValue(int v) {
    return word(v) + word(v >> 16);
}

std::string header(const char* signature, int rows, int valueWidth) {
    return lengthPrefixed(signature) + word(rows) + word(valueWidth);
}

// A record as the scale answers it: status '1', the scale number 01.
std::string answered(std::string line) {
    line[0] = '1';
    line.replace(13, 3, "101");
    return line;
}

// A PLU record pair of the PLU number with its description and label number.
PluPair pluPair(int number, const std::string& description, int labelNumber = 1) {
    const std::string n = std::to_string(1000000 + number).substr(1);
    return {
        pad("0002070000000100" + n + "0000000000000" + description, 189),
        pad("0002080000000100" + n + (labelNumber < 10 ? "0" : "") + std::to_string(labelNumber),
            133)};
}

class CategorySteps : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    Texts log;
    BatchContext context{nullptr, [this](const std::string& line) { log.push_back(line); }};

    const BatchCategory& category(const char* name) { return *batchCategoryNamed(name); }
    std::optional<TransferSettings> send(const char* name) { return category(name).send(context); }
    std::optional<TransferSettings> request(const char* name) {
        return category(name).request(context);
    }
    StoreOutcome store(const char* name) { return category(name).store(context, category(name)); }
    std::string trfOut() { return test::readFile("trf.out"); }
};

// ---- PLU

TEST_F(CategorySteps, PluSendPassesEveryPairOnWithTwoAnswersPerPluAndTheKey) {
    const std::vector<PluPair> pairs = {pluPair(5, "APPLES"), pluPair(123456, "PEARS", 12)};
    test::writeFile("plurec.dat", pluFileOf(pairs));
    const auto settings = send("plu");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->recordsPerItem, 2);
    EXPECT_EQ(settings->keyWidth, 6);
    EXPECT_EQ(trfOut(), pairs[0].plu + "\r\n" + pairs[0].label + "\r\n" + pairs[1].plu + "\r\n" +
                            pairs[1].label + "\r\n");
    EXPECT_EQ(log, Texts{"Begin transfer PLU data!"});
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(CategorySteps, PluSendPassesOverEmptyLinesInsteadOfStoppingThere) {
    const PluPair five = pluPair(5, "APPLES");
    const PluPair six = pluPair(6, "PEARS");
    test::writeFile("plurec.dat", pluFileStart() + five.plu + "\r\n" + five.label + "\r\n\r\n" +
                                      six.plu + "\n" + six.label + "\n");
    ASSERT_TRUE(send("plu"));
    EXPECT_EQ(trfOut(),
              five.plu + "\r\n" + five.label + "\r\n" + six.plu + "\r\n" + six.label + "\r\n");
}

TEST_F(CategorySteps, PluSendOfAFileThatIsNoPluFileLogsItAndRunsAnEmptyTransfer) {
    test::writeFile("plurec.dat", "'SOME OTHER FILE\r\n" + pluPair(5, "APPLES").plu + "\r\n");
    EXPECT_TRUE(send("plu"));
    EXPECT_EQ(trfOut(), "");
    EXPECT_EQ(log, (Texts{"Begin transfer PLU data!", "error file record format!"}));
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("plurec.dat"), std::string::npos);
}

TEST_F(CategorySteps, PluSendOfNoFileOrADamagedFileSendsNothing) {
    EXPECT_FALSE(send("plu"));
    EXPECT_EQ(log, Texts{"Begin transfer PLU data!"});
    EXPECT_EQ(prompter.texts(), Texts{});

    PluPair cut = pluPair(7, "CUT");
    cut.label.resize(100);
    test::writeFile("plurec.dat", pluFileOf({pluPair(5, "APPLES"), cut}));
    EXPECT_FALSE(send("plu"));
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("1 damaged PLU"), std::string::npos);
}

TEST_F(CategorySteps, PluRequestAsksForBothRecordsOfEveryPlu) {
    const auto settings = request("plu");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->recordsPerItem, 2);
    EXPECT_EQ(settings->keyWidth, 0);
    EXPECT_EQ(trfOut(), "0002070007000100000000" + std::string(23, ' ') + "\r\n" +
                            "0002080007000100000000\r\n");
}

TEST_F(CategorySteps, PluStoreWritesExactlyTheReceivedPlusEachWithItsOwnLabelData) {
    test::writeFile("plurec.dat", pluFileOf({pluPair(99, "OLD")}));
    const PluPair five = pluPair(5, "APPLES", 3);
    const PluPair six = pluPair(6, "PEARS", 4);
    const PluPair seven = pluPair(7, "PLUMS", 5);
    // PLU 6 came without its label data: it gets the default one, and PLU 7 keeps its own.
    test::writeFile("trf.in", answered(five.plu) + "\r\n" + answered(six.plu) + "\r\n" +
                                  answered(seven.plu) + "\r\n" + answered(five.label) + "\r\n" +
                                  answered(seven.label) + "\r\n");
    EXPECT_EQ(store("plu"), StoreOutcome::Stored);
    // Stored with '0' as first character and the operation "0000"; the rest as received.
    const auto kept = [](const std::string& line) { return asStoredRecord(answered(line)); };
    const PluFileContent stored = parsePluFile(test::readFile("plurec.dat"));
    ASSERT_EQ(stored.pairs.size(), 3u);
    EXPECT_EQ(stored.pairs[0], (PluPair{kept(five.plu), kept(five.label)}));
    EXPECT_EQ(stored.pairs[1], (PluPair{kept(six.plu), defaultLabelLine(6)}));
    EXPECT_EQ(stored.pairs[2], (PluPair{kept(seven.plu), kept(seven.label)}));
    EXPECT_EQ(test::readFile("plurec.dat").substr(0, 38),
              "'KVRARetail_RL00_USA_PLU_VERSION_3.0\r\n");
    EXPECT_EQ(test::readFile("trf2.in"),
              answered(five.label) + "\r\n" + answered(seven.label) + "\r\n");
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(CategorySteps, PluStoreRefusesAnEmptyErrorOrForeignAnswer) {
    const std::string before = pluFileOf({pluPair(99, "OLD")});
    test::writeFile("plurec.dat", before);
    test::writeFile("trf.in", "");
    EXPECT_EQ(store("plu"), StoreOutcome::ErrorAnswer);
    test::writeFile("trf.in", "02206\r\n");
    EXPECT_EQ(store("plu"), StoreOutcome::ErrorAnswer);
    std::string foreign = answered(pluPair(5, "APPLES").plu);
    foreign[5] = '9';
    test::writeFile("trf.in", answered(pluPair(4, "FIGS").plu) + "\r\n" + foreign + "\r\n");
    EXPECT_EQ(store("plu"), StoreOutcome::ErrorAnswer);
    // PLU records came, but the request of their label data was refused.
    test::writeFile("trf.in", answered(pluPair(4, "FIGS").plu) + "\r\n02210\r\n");
    EXPECT_EQ(store("plu"), StoreOutcome::ErrorAnswer);
    EXPECT_EQ(prompter.texts(),
              (Texts{"cant read data", "02206\nerror", foreign + "\nerror", "02210\nerror"}));
    EXPECT_EQ(test::readFile("plurec.dat"), before);
    EXPECT_FALSE(category("plu").errorStopsRun);
}

// ---- Extra texts

std::string extraRecord(int number, const std::string& text) {
    return pad("0002090000000100000000" + std::to_string(1000 + number).substr(1) + text, 515);
}

TEST_F(CategorySteps, ExtraTextsGoAsTheirRecordsWithTheNineCharacterKey) {
    const std::string bytes =
        extraRecord(7, "ABC") + "\r\n" + extraRecord(150, "LINE\x10TWO") + "\r\n";
    test::writeFile("extratextrec.dat", bytes);
    const auto settings = send("extra-text");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->keyWidth, 9);
    EXPECT_EQ(trfOut(), bytes);
    ASSERT_TRUE(request("extra-text"));
    EXPECT_EQ(trfOut(), "0002090007000000000000000\r\n");

    // A file cut inside its last record is not sent in part.
    test::writeFile("extratextrec.dat", bytes + extraRecord(8, "X").substr(0, 100));
    std::filesystem::remove("trf.out");
    EXPECT_FALSE(send("extra-text"));
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
    EXPECT_EQ(prompter.texts().size(), 1u);
}

TEST_F(CategorySteps, ExtraTextAnswersAreStoredAsRecordsAndAFailureShowsItsFirstHundredBytes) {
    test::writeFile("trf.in", answered(extraRecord(7, "ABC")) + "\r\n" +
                                  answered(extraRecord(9, "DEF")) + "\r\n");
    EXPECT_EQ(store("extra-text"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("extratextrec.dat"),
              "0" + answered(extraRecord(7, "ABC")).substr(1) + "\r\n" + "0" +
                  answered(extraRecord(9, "DEF")).substr(1) + "\r\n");

    const std::string failure = "02206\r\n" + std::string(200, 'x');
    test::writeFile("trf.in", failure);
    EXPECT_EQ(store("extra-text"), StoreOutcome::ErrorAnswer);
    EXPECT_EQ(prompter.texts(), Texts{failure.substr(0, 100) + "error"});
    EXPECT_FALSE(category("extra-text").errorStopsRun);
}

// ---- Preset keys

TEST_F(CategorySteps, PresetKeysGoAsTheKeyboardAndOnePresetLinePerKeyInTheBatchForm) {
    PresetKeys keys;
    keys.plu[0] = "7";
    keys.plu[28] = "123";  // the first key of the down layer
    keys.discount = true;
    keys.discountNumber = "4";
    ASSERT_EQ(saveKeyFile(keys), "");
    ASSERT_TRUE(send("preset-key"));
    std::string area = "1028156215631564";
    for (int code = 1565; code <= 1588; ++code) {
        area += std::to_string(code);
    }
    area += "1028159015911592";  // the batch repeats the discount code on the lower layer
    std::string fixed;
    for (int code = 1537; code <= 1560; ++code) {
        fixed += std::to_string(code);
    }
    const std::string keyboard = "0002330000000101005056001" + std::string(70, '0') + "FFFF" +
                                 fixed + std::string(16, '0') + area + std::string(196, '0');
    EXPECT_EQ(trfOut(), keyboard + "\r\n" + "0002160000000100001" + "0000000007" +
                            "0000000000\r\n" + "0002160000000100029" + "0000000123" +
                            "0000000000\r\n");
    ASSERT_TRUE(request("preset-key"));
    EXPECT_EQ(trfOut(), "0002330002000101\r\n0002160007000100000\r\n");
}

TEST_F(CategorySteps, APresetAnswerBecomesKeyDatWithTheLayerKeysOnly) {
    std::string keyboard = "1002330000000101005054002" + std::string(70, '0') + "0241" +
                           std::string(112, '0') + "1027" + std::string(320, '0');
    ASSERT_EQ(keyboard.size(), 535u);
    test::writeFile("trf.in", keyboard + "\r\n" + "1002160000000101005" + "0000000077" +
                                  "0000000000\r\n" + "1002160000000101056" + "0000123456" +
                                  "0000000000\r\n" + "1002160000000101057" + "0000000001" +
                                  "0000000000\r\n");
    EXPECT_EQ(store("preset-key"), StoreOutcome::Stored);
    PresetKeys expected;
    expected.operatorKeys = 2;
    expected.discount = true;
    expected.discountNumber = "3";
    expected.options = {false, true, true, true, false, false};  // change, cancel, #, -, +, X
    expected.plu[4] = "77";
    expected.plu[55] = "123456";  // key 57 ends the preset lines
    const std::string bytes = test::readFile("key.dat");
    EXPECT_EQ(bytes, keyFileBytes(expected, KeyFileRows::LayerKeysOnly));
    EXPECT_EQ(bytes.substr(12, 4), word(57) + word(2));
    EXPECT_EQ(bytes.size() + 3, keyFileBytes(expected, KeyFileRows::All).size());

    // Without the discount key the discount number is "0".
    keyboard.replace(211, 4, "0000");
    test::writeFile("trf.in", keyboard + "\r\n");
    EXPECT_EQ(store("preset-key"), StoreOutcome::Stored);
    EXPECT_EQ(loadKeyFile().keys.discountNumber, "0");
    EXPECT_FALSE(loadKeyFile().keys.discount);

    test::writeFile("trf.in", "02206\r\n");
    EXPECT_EQ(store("preset-key"), StoreOutcome::ErrorAnswer);
    EXPECT_EQ(prompter.texts(), Texts{"02206\nerror!"});
    EXPECT_TRUE(category("preset-key").errorStopsRun);
}

// ---- Discounts

TEST_F(CategorySteps, DiscountsGoUnsignedInFiveDigitsAndOnlyWhereTheRateIsSet) {
    std::vector<std::string> strings;
    for (int k = 1; k <= 9; ++k) {
        strings.push_back("0002210000000000" + std::to_string(k) + std::string(40, ' ') + "+000");
    }
    strings[0] = "00022100000000001" + pad("SALE", 20) + pad("TEN OFF", 20) + "+1000";
    strings[1] = "00022100000000002" + pad("TEXT ONLY", 20) + pad("", 20) + "+000";
    strings[2] = "00022100000000003" + pad("DEARER", 20) + pad("", 20) + "-500";
    ASSERT_EQ(saveDiscountFile(strings), "");
    ASSERT_TRUE(send("discount"));
    EXPECT_EQ(trfOut(), "00022100000000001" + pad("SALE", 20) + pad("TEN OFF", 20) + "01000\r\n" +
                            "00022100000000003" + pad("DEARER", 20) + pad("", 20) + "-0500\r\n");
    ASSERT_TRUE(request("discount"));
    EXPECT_EQ(trfOut(), "00022100070001000\r\n");

    // No rate set: an empty transfer.
    for (std::string& s : strings) {
        s.replace(57, std::string::npos, "+000");
    }
    ASSERT_EQ(saveDiscountFile(strings), "");
    EXPECT_TRUE(send("discount"));
    EXPECT_EQ(trfOut(), "");
}

TEST_F(CategorySteps, ADiscountAnswerRewritesAllNineStringsWithTheirLineEnd) {
    test::writeFile("trf.in", "10022100000001014" + pad("HALF", 20) + pad("HALF PRICE", 20) +
                                  "+5000\r\n" + "10022100000001019" + pad("", 20) + pad("", 20) +
                                  "-0125\r\n");
    EXPECT_EQ(store("discount"), StoreOutcome::Stored);
    std::string expected;
    for (int k = 1; k <= 9; ++k) {
        std::string s = "0002210000000000" + std::to_string(k) + std::string(40, ' ') + "+000\n";
        if (k == 4) {
            s = "00022100000000004" + pad("HALF", 20) + pad("HALF PRICE", 20) + "+5000\n";
        } else if (k == 9) {
            s = "00022100000000009" + std::string(40, ' ') + "-125\n";
        }
        expected += lengthPrefixed(s);
    }
    EXPECT_EQ(test::readFile("discount.dat"), expected);
    EXPECT_FALSE(category("discount").errorStopsRun);
}

// ---- Barcode formats

TEST_F(CategorySteps, BarcodesGoInTheirTypesLayout) {
    ASSERT_EQ(saveBarcodeFile({0, {{"1", "12345678901"}, {"2", "4"}}}), "");
    ASSERT_TRUE(send("bar-code"));
    EXPECT_EQ(trfOut(), "0002140000000100010" + std::string("12345678901") + "C000000\r\n" +
                            "0002140000000100020" + pad("4", 11) + "C000000\r\n");
    ASSERT_EQ(saveBarcodeFile({1, {{"8", "123456789012"}}}), "");
    ASSERT_TRUE(send("bar-code"));
    EXPECT_EQ(trfOut(), "0002140000000100080123456789012C00000\r\n");
    // Another type sends no format, but the transfer runs.
    ASSERT_EQ(saveBarcodeFile({5, {{"8", "123456789012"}}}), "");
    EXPECT_TRUE(send("bar-code"));
    EXPECT_EQ(trfOut(), "");
    // A pattern too long for its type is no record: the table is not sent.
    ASSERT_EQ(saveBarcodeFile({0, {{"1", "123456789012"}}}), "");
    EXPECT_FALSE(send("bar-code"));
    EXPECT_EQ(trfOut(), "");
    EXPECT_EQ(prompter.texts().size(), 1u);
    ASSERT_TRUE(request("bar-code"));
    EXPECT_EQ(trfOut(), "000214000700010000\r\n");
}

TEST_F(CategorySteps, ABarcodeAnswerGivesTheTypeAndOneRowPerPatternCountedInTheHeader) {
    test::writeFile("trf.in", "1002140000000101010" + std::string("12345678901") + "C000000\r\n" +
                                  "1002140000000101030" + pad("ABC", 11) + "C000000\r\n" +
                                  "1002140000000101040" + std::string(18, ' ') + "\r\n");
    EXPECT_EQ(store("bar-code"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("EAN.dat"), header("KVRAWobnEAN", 2, 12) + longValue(0) +
                                             lengthPrefixed("1") + lengthPrefixed("12345678901") +
                                             lengthPrefixed("3") + lengthPrefixed(pad("ABC", 11)));

    test::writeFile("trf.in", "1002140000000101080123456789012C00000\r\n");
    EXPECT_EQ(store("bar-code"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("EAN.dat"), header("KVRAWobnEAN", 1, 12) + longValue(1) +
                                             lengthPrefixed("8") + lengthPrefixed("123456789012"));
}

// ---- Advertisement texts

TEST_F(CategorySteps, AdvertisementsGoTrimmedWithTheirBreaksAsCode16) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kAdvertisements,
                                   {{" 1", "HELLO\r\nWORLD"}, {"10", "  PADDED  "}}),
              "");
    ASSERT_TRUE(send("advertisement"));
    EXPECT_EQ(trfOut(), "000220000000000001" + pad("HELLO\x10WORLD", 73) + "\r\n" +
                            "000220000000000010" + pad("PADDED", 73) + "\r\n");
    ASSERT_TRUE(request("advertisement"));
    EXPECT_EQ(trfOut(), "000220000700010000\r\n");
    // An empty table runs an empty transfer.
    ASSERT_EQ(saveNumberStringFile(tablefile::kAdvertisements, {}), "");
    EXPECT_TRUE(send("advertisement"));
    EXPECT_EQ(trfOut(), "");
}

TEST_F(CategorySteps, AnAdvertisementAnswerIsStoredWithValueWidthSixtyAndWholeTexts) {
    const std::string full = std::string(36, 'A') + "\x10" + std::string(36, 'B');
    test::writeFile("trf.in", "100220000000010103" +
                                  pad("AB\x10"
                                      "CD",
                                      73) +
                                  "\r\n" + "100220000000010110" + full + "\r\n");
    EXPECT_EQ(store("advertisement"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("adv.dat"),
              header("KVRAWobnadv", 2, 60) + lengthPrefixed(" 3") + lengthPrefixed("AB\r\nCD") +
                  lengthPrefixed("10") +
                  lengthPrefixed(std::string(36, 'A') + "\r\n" + std::string(36, 'B')));

    // An empty scale table gives no row; no answer file is said.
    test::writeFile("trf.in", "100220400700010100\r\n");
    EXPECT_EQ(store("advertisement"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("adv.dat"), header("KVRAWobnadv", 0, 60));
    std::filesystem::remove("trf.in");
    EXPECT_EQ(store("advertisement"), StoreOutcome::NoAnswer);
    EXPECT_EQ(prompter.texts(), Texts{"Can't read file!"});
    EXPECT_EQ(prompter.prompts().at(0).detail, transferfile::kInUnreadable);
}

// ---- Marquee message, header and bottom, store address

TEST_F(CategorySteps, TheMarqueeMessageGoesAndComesBackAsItsRecord) {
    ASSERT_EQ(saveNumberWordFile(tablefile::kMarquee, {{1, "HELLO"}}), "");
    ASSERT_TRUE(send("marquee-message"));
    EXPECT_EQ(trfOut(), "0002130000000100" + pad("HELLO", 100) + "\r\n");
    ASSERT_TRUE(request("marquee-message"));
    EXPECT_EQ(trfOut(), "0002130007000100\r\n");

    test::writeFile("trf.in", "1002130000000101" + pad("NEWS", 100) + "\r\n");
    EXPECT_EQ(store("marquee-message"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("runmsg.dat"),
              header("KVRAWobnmsg", 1, 100) + word(1) + lengthPrefixed(pad("NEWS", 100)));
}

TEST_F(CategorySteps, HeaderAndBottomGoWithoutFontWithEachBreakAsABlankAndCode210) {
    ASSERT_EQ(saveHeaderBottomFile({"AB\r\nCD", "BYE", 1, "12", 0, "5"}), "");
    ASSERT_TRUE(send("header-bottom"));
    EXPECT_EQ(trfOut(), "00021100000001000" +
                            pad("AB \xD2"
                                "CD",
                                140) +
                            "\r\n" + "00021100000001001" + pad("BYE", 140) + "\r\n");
    ASSERT_TRUE(request("header-bottom"));
    EXPECT_EQ(trfOut(), "00021100070001000\r\n");
}

TEST_F(CategorySteps, HeaderAndBottomAnswersAreDecodedAndKeepTheFilesFontsWhenTheyHaveNone) {
    ASSERT_EQ(saveHeaderBottomFile({"OLD", "OLD", 1, "12", 0, ""}), "");
    // Sent by the batch and given back: breaks come back single, font and centring stay.
    test::writeFile("trf.in", "10021100000001010" +
                                  pad("AB \xD2"
                                      "CD",
                                      141) +
                                  "\r\n" + "10021100000001011" +
                                  pad("\x0B"
                                      "CX\xD2Y",
                                      141) +
                                  "\r\n");
    EXPECT_EQ(store("header-bottom"), StoreOutcome::Stored);
    LoadedHeaderBottom loaded = loadHeaderBottomFile();
    EXPECT_EQ(loaded.texts.header, "AB\r\nCD");
    EXPECT_EQ(loaded.texts.headerCentred, 1);
    EXPECT_EQ(loaded.texts.headerFont, "12");
    EXPECT_EQ(loaded.texts.bottom, "X\r\nY");
    EXPECT_EQ(loaded.texts.bottomCentred, 1);
    EXPECT_EQ(loaded.texts.bottomFont, "C");
    EXPECT_EQ(prompter.texts(), Texts{});

    // A lead without a valid font is told; the text stays as received.
    std::filesystem::remove("hbtext.dat");
    test::writeFile("trf.in", "10021100000001010" +
                                  pad("\x05"
                                      "0AB",
                                      141) +
                                  "\r\n");
    EXPECT_EQ(store("header-bottom"), StoreOutcome::Stored);
    loaded = loadHeaderBottomFile();
    EXPECT_EQ(loaded.texts.header,
              "\x05"
              "0AB");
    EXPECT_EQ(loaded.texts.headerFont, "5");
    EXPECT_EQ(loaded.texts.bottom, "");
    EXPECT_EQ(prompter.texts(), Texts{"Transfer error!"});
}

TEST_F(CategorySteps, TheStoreAddressGoesAsTheDialogSendsItAndComesBackWhole) {
    ASSERT_EQ(saveNumberWordFile(tablefile::kStoreAddress, {{1, std::string(50, 'S')}}), "");
    ASSERT_TRUE(send("store-address"));
    EXPECT_EQ(trfOut(), "000212000000000001" +
                            pad(std::string(36, 'S') + "\x10" + std::string(14, 'S'), 73) + "\r\n");
    ASSERT_TRUE(request("store-address"));
    EXPECT_EQ(trfOut(), "000212000700000000\r\n");

    const std::string full = std::string(36, 'A') + "\x10" + std::string(36, 'B');
    test::writeFile("trf.in", "100212000000010101" + full + "\r\n");
    EXPECT_EQ(store("store-address"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("shpnm.dat"),
              header("KVRAWobnSPN", 1, 70) + word(1) +
                  lengthPrefixed(std::string(36, 'A') + "\r\n" + std::string(36, 'B')));
    test::writeFile("trf.in", "100212000000010101" + pad("ONE\xD2TWO", 73) + "\r\n");
    EXPECT_EQ(store("store-address"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("shpnm.dat"),
              header("KVRAWobnSPN", 1, 70) + word(1) + lengthPrefixed("ONE\r\nTWO"));
}

// ---- Label layouts

TEST_F(CategorySteps, LabelLayoutsGoFromTheFilesThatExistEachFollowedByAnEmptyLine) {
    const std::string a = "1002600000000101" + std::string("01") + "LAYOUT-A";
    const std::string c = "1002600000000101" + std::string("03") + "LAYOUT-C";
    test::writeFile("labedita.dat", a + "\r\n\r\n");
    test::writeFile("labeditc.dat", c + "\r\n\r\n");
    ASSERT_TRUE(send("default-label"));
    EXPECT_EQ(trfOut(), "0" + a.substr(1) + "\r\n\r\n" + "0" + c.substr(1) + "\r\n\r\n");
    ASSERT_TRUE(request("default-label"));
    EXPECT_EQ(trfOut(), "000260000200000001\r\n000260000200000002\r\n000260000200000003\r\n");
    // No layout file: the transfer runs, of nothing.
    std::filesystem::remove("labedita.dat");
    std::filesystem::remove("labeditc.dat");
    EXPECT_TRUE(send("default-label"));
    EXPECT_EQ(trfOut(), "");
}

TEST_F(CategorySteps, LayoutAnswersGoToTheFilesOfTheirRequestsAndAnEmptySlotChangesNothing) {
    test::writeFile("labeditb.dat", "OLD B\r\n\r\n");
    const std::string one = "1002600002000101" + std::string("01") + "LAYOUT-1";
    const std::string three = "1002600002000101" + std::string("03") + "LAYOUT-3";
    test::writeFile("trf.in", one + "\r\n" + "100260400200010102\r\n" + three + "\r\n");
    EXPECT_EQ(store("default-label"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("labedita.dat"),
              "0002600000000101"
              "01LAYOUT-1\r\n\r\n");
    EXPECT_EQ(test::readFile("labeditb.dat"), "OLD B\r\n\r\n");
    EXPECT_EQ(test::readFile("labeditc.dat"),
              "0002600000000101"
              "03LAYOUT-3\r\n\r\n");
}

// ---- Operator configuration

TEST_F(CategorySteps, ModeDatIsSentAsItIsAndAnAnswerStoredInItsForm) {
    const std::string mode = "00020200000001010010001100800010\r\n";
    test::writeFile("Mode.dat", mode);
    EXPECT_TRUE(send("operator-setup"));
    EXPECT_EQ(trfOut(), mode);
    ASSERT_TRUE(request("operator-setup"));
    EXPECT_EQ(trfOut(), "0002020002000100\r\n");

    test::writeFile("trf.in", "10020200020001010041001100A80010XYZ\r\n");
    EXPECT_EQ(store("operator-setup"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("Mode.dat"), "00020200000001010041001100A80010\r\n");

    // An answer without a record leaves Mode.dat; a Mode.dat without one is not sent.
    test::writeFile("trf.in", "1002024002000101\r\n");
    EXPECT_EQ(store("operator-setup"), StoreOutcome::NotStored);
    EXPECT_EQ(test::readFile("Mode.dat"), "00020200000001010041001100A80010\r\n");
    test::writeFile("Mode.dat", "0002020000\r\n");
    std::filesystem::remove("trf.out");
    EXPECT_FALSE(send("operator-setup"));
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
    EXPECT_EQ(prompter.texts().size(), 2u);
}

// ---- Every category

TEST_F(CategorySteps, NoTableFileStartsNoTransferExceptForTheLabelLayouts) {
    for (const BatchCategory& c : batchCategories()) {
        if (c.files.empty()) {
            continue;  // the clock
        }
        const bool runs = std::string(c.name) == "default-label";
        EXPECT_EQ(c.send(context).has_value(), runs) << c.name;
    }
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(CategorySteps, AnErrorAnswerLeavesEveryTableFileAndStopsTheRunWhereTheCategorySays) {
    const Texts stopping = {"preset-key",    "group",         "operator",        "tare",
                            "datetext",      "advertisement", "marquee-message", "header-bottom",
                            "store-address", "default-label", "operator-setup"};
    for (const BatchCategory& c : batchCategories()) {
        if (!c.readBack) {
            continue;
        }
        SCOPED_TRACE(c.name);
        prompter.clear();
        test::writeFile("trf.in", "02210\r\n");
        EXPECT_EQ(c.store(context, c), StoreOutcome::ErrorAnswer);
        ASSERT_EQ(prompter.texts().size(), 1u);
        // Extra texts show the bytes of trf.in as they are, CR LF included.
        EXPECT_EQ(prompter.texts()[0],
                  (c.answer.shownAsBytes ? "02210\r\n" : "02210\n") + std::string(c.errorSuffix));
        EXPECT_EQ(c.errorStopsRun,
                  std::find(stopping.begin(), stopping.end(), c.name) != stopping.end());
    }
    std::filesystem::remove("trf.in");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()),
              0);
}

}  // namespace
}  // namespace vorn
