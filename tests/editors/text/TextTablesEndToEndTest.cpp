// Each text table goes from its model through the real engine and serial code to vornsim on a
// pseudo-terminal, and back into an empty model; the simulator's dump shows the records as they
// arrived on the wire.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/code/BarcodeTable.h"
#include "editors/code/DiscountTable.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScaleEndToEnd.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;
using Rows = std::vector<std::string>;

const std::string kBreak(1, '\x10');

class TextTablesEndToEnd : public test::ScaleEndToEnd {
protected:
    static void add(NumberedTable& t, const std::string& number, const std::string& value) {
        t.fields().number = number;
        t.fields().value = value;
        ASSERT_TRUE(t.add());
    }
};

TEST_F(TextTablesEndToEnd, AdvertisementTexts) {
    NumberedTable sent(advertisementTable());
    add(sent, "1", "FRESH BREAD\r\nOPEN 7 DAYS");
    add(sent, "10", std::string(40, 'x'));
    sent.send();
    NumberedTable received(advertisementTable());
    received.receive();
    EXPECT_EQ(prompter.texts(), Rows{});
    EXPECT_EQ(received.rows().texts(),
              (Rows{" 1\t" + pad("FRESH BREAD\r\nOPEN 7 DAYS", 74),
                    "10\t" + pad(std::string(36, 'x') + "\r\n" + std::string(4, 'x'), 74)}));
    EXPECT_EQ(stored("20"),
              (Rows{"0002200000000101"
                    "01" +
                        pad("FRESH BREAD" + kBreak + "OPEN 7 DAYS", 73),
                    "0002200000000101"
                    "10" +
                        pad(std::string(36, 'x') + kBreak + std::string(4, 'x'), 73)}));
}

TEST_F(TextTablesEndToEnd, ExtraTextsTravelAsWhole515CharacterRecords) {
    NumberedTable sent(extraTextTable());
    add(sent, "7", "ABC");
    add(sent, "150", "INGREDIENTS:\r\n" + std::string(470, 'i'));
    sent.send();
    NumberedTable received(extraTextTable());
    received.receive();
    EXPECT_EQ(prompter.texts(), Rows{});
    EXPECT_EQ(received.rows().texts(), sent.rows().texts());
    const Rows records = stored("09");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], "0002090000000101" + extraTextRecord(7, "ABC").substr(16));
    EXPECT_EQ(records[1].size(), 515u);
}

TEST_F(TextTablesEndToEnd, BarcodeFormatsBringTheirTypeBack) {
    NumberedTable sent(barcodeTable());
    sent.choose(barcode::kEan);
    add(sent, "1", "210000000009");
    add(sent, "1", "220000000007");  // the same format again replaces it on the scale too
    add(sent, "3", "230000000005");
    sent.send();
    NumberedTable received(barcodeTable());
    received.receive();
    EXPECT_EQ(received.fields().type, barcode::kEan);
    EXPECT_EQ(received.rows().texts(), (Rows{"1\t220000000007", "3\t230000000005"}));
    EXPECT_EQ(stored("14").size(), 2u);
}

TEST_F(TextTablesEndToEnd, Discounts) {
    DiscountTable sent;
    sent.rows()[0] = {1250, "SALE", "REDUCED"};
    sent.rows()[8] = {-9999, "MOST", "EVER"};
    sent.send();
    DiscountTable received;
    received.rows()[4] = {100, "STAYS", ""};
    received.receive();
    EXPECT_EQ(prompter.texts(), Rows{});
    EXPECT_EQ(received.rows()[0].rate, 1250);
    EXPECT_EQ(received.rows()[0].printed, "REDUCED");
    EXPECT_EQ(received.rows()[8].rate, -9999);
    EXPECT_EQ(received.rows()[8].displayed, "MOST");
    EXPECT_EQ(received.rows()[4].displayed, "STAYS");
    EXPECT_EQ(stored("21"), (Rows{"0002210000000101"
                                  "1" +
                                      pad("SALE", 20) + pad("REDUCED", 20) + "+1250",
                                  "0002210000000101"
                                  "9" +
                                      pad("MOST", 20) + pad("EVER", 20) + "-9999"}));
}

TEST_F(TextTablesEndToEnd, StoreAddressMarqueeAndHeaderBottom) {
    StoreAddress address;
    address.text = "CORNER GROCERY\r\n12 HIGH STREET";
    address.send();
    StoreAddress addressBack;
    addressBack.receive();
    EXPECT_EQ(addressBack.text, address.text);

    MarqueeMessage message;
    message.text = std::string(100, 'm');
    message.send();
    MarqueeMessage messageBack;
    messageBack.receive();
    EXPECT_EQ(messageBack.text, message.text);

    HeaderBottom hb;
    hb.header = {"AB\r\nCD", 1, "12"};
    hb.bottom = {"THANK YOU", 0, ""};
    ASSERT_TRUE(hb.send());
    HeaderBottom hbBack;
    hbBack.receive();
    EXPECT_EQ(hbBack.header.text, "AB\r\nCD");
    EXPECT_EQ(hbBack.header.centred, 1);
    EXPECT_EQ(hbBack.header.font, "C");
    EXPECT_EQ(hbBack.bottom.text, "THANK YOU");
    EXPECT_EQ(hbBack.bottom.centred, 0);
    EXPECT_EQ(hbBack.bottom.font, "5");
    EXPECT_EQ(prompter.texts(), Rows{});
    EXPECT_EQ(stored("11").size(), 2u);
}

TEST_F(TextTablesEndToEnd, AnEmptyScaleGivesEmptyTablesAndKeepsTheBarcodeType) {
    NumberedTable adv(advertisementTable());
    adv.rows().addSorted(" 1\tOLD");
    adv.receive();
    EXPECT_TRUE(adv.rows().empty());
    NumberedTable extra(extraTextTable());
    extra.rows().addSorted("   1 OLD");
    extra.receive();
    EXPECT_TRUE(extra.rows().empty());
    NumberedTable codes(barcodeTable());
    codes.receive();
    EXPECT_EQ(codes.fields().type, barcode::kUpc);
    EXPECT_TRUE(codes.rows().empty());
    // Asked (and answered OK) before each list that held a row was emptied.
    EXPECT_EQ(prompter.texts().size(), 2u);
}

}  // namespace
}  // namespace vorn
