#include "tables/KeyFile.h"

#include <gtest/gtest.h>

#include "tables/Archive.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::lengthPrefixed;
using test::readFile;
using test::writeFile;

std::string word(int v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string longValue(int v) {
    return word(v & 0xFFFF) + word((v >> 16) & 0xFFFF);
}

class KeyFileTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
};

TEST_F(KeyFileTest, ByteLayoutOfTheSettingsAndThe57Rows) {
    PresetKeys keys;
    keys.operatorKeys = 3;
    keys.discount = true;
    keys.discountNumber = "4";
    keys.options.cancelKey = false;
    keys.plu[0] = "12";
    keys.plu[28] = "123";
    ASSERT_EQ(saveKeyFile(keys), "");
    std::string expected = lengthPrefixed("KVRAWobnKey") + word(57) + word(2) + word(3) +
                           longValue(1) + lengthPrefixed("4") + longValue(1) + longValue(0) +
                           longValue(1) + longValue(1) + longValue(1) + longValue(1);
    for (int k = 1; k <= 57; ++k) {
        expected += word(k) + lengthPrefixed(k == 1 ? "12" : k == 29 ? "123" : "");
    }
    EXPECT_EQ(readFile("key.dat"), expected);

    const LoadedPresetKeys loaded = loadKeyFile();
    EXPECT_EQ(loaded.problem, "");
    EXPECT_EQ(loaded.keys, keys);
}

TEST_F(KeyFileTest, TheBatchFormWrites56RowsUnderACountOf57AndReadsTheSame) {
    PresetKeys keys;
    keys.plu[55] = "56";
    keys.plu[56] = "57";
    const std::string bytes = keyFileBytes(keys, KeyFileRows::LayerKeysOnly);
    EXPECT_EQ(bytes.substr(12, 2), word(57));
    EXPECT_EQ(bytes.size(), keyFileBytes(keys).size() - 2 - 1 - 2);
    const LoadedPresetKeys loaded = parseKeyFile(bytes);
    EXPECT_EQ(loaded.problem, "");
    EXPECT_EQ(loaded.keys.plu[55], "56");
    EXPECT_EQ(loaded.keys.plu[56], "");  // the 57th row is never read
}

TEST_F(KeyFileTest, MissingFileGivesTheDefaultsAndADamagedOneWhatWasRead) {
    LoadedPresetKeys missing = loadKeyFile();
    EXPECT_EQ(missing.problem, "");
    EXPECT_EQ(missing.keys, PresetKeys{});
    EXPECT_EQ(missing.keys.operatorKeys, 1);
    EXPECT_TRUE(missing.keys.options.xKey);

    PresetKeys keys;
    keys.operatorKeys = 2;
    keys.plu[0] = "1";
    keys.plu[1] = "2";
    keys.plu[2] = "3";
    std::string bytes = keyFileBytes(keys);
    // Cut inside the third key row.
    const std::size_t thirdRow = bytes.find(std::string(word(3)) + lengthPrefixed("3"));
    writeFile("key.dat", bytes.substr(0, thirdRow + 3));
    const LoadedPresetKeys cut = loadKeyFile();
    EXPECT_EQ(cut.problem, "key.dat is damaged or incomplete: 2 of 56 keys read");
    EXPECT_EQ(cut.keys.operatorKeys, 2);
    EXPECT_EQ(cut.keys.plu[1], "2");
    EXPECT_EQ(cut.keys.plu[2], "");

    writeFile("key.dat", bytes.substr(0, 20));
    EXPECT_EQ(loadKeyFile().problem,
              "key.dat is damaged or incomplete: the key settings are cut short");
    writeFile("key.dat", bytes.substr(0, 5));
    EXPECT_EQ(loadKeyFile().problem, "key.dat is damaged or incomplete: the header is cut short");
}

TEST_F(KeyFileTest, ANumberOfOperatorKeysOutsideOneToFiveReadsAsOne) {
    for (int n : {0, 6, 65535, 5}) {
        std::string bytes = keyFileBytes(PresetKeys{});
        bytes.replace(16, 2, word(n));
        EXPECT_EQ(parseKeyFile(bytes).keys.operatorKeys, n == 5 ? 5 : 1) << n;
    }
}

}  // namespace
}  // namespace vorn
