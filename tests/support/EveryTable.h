#pragma once
// A scale directory with every table of the batch filled in, and what every editor shows of a
// directory: to check that a batch send and a receive into an empty directory give back the
// same rows in every editor.
//
//     writeEveryTable();                      // in the current directory
//     std::vector<std::string> before = whatEditorsShow();

#include <string>
#include <vector>

#include "editors/code/BarcodeTable.h"
#include "editors/code/DiscountTable.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "editors/setup/OperatorConfig.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "plu/PluFile.h"
#include "plu/PluRecord.h"
#include "plu/PluTable.h"
#include "tables/KeyFile.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextFiles.h"
#include "tests/support/TempDir.h"

namespace vorn::test {

// A PLU of the number with a description and price, made by the editor's encoder.
inline PluPair everyTablePlu(int number, const std::string& description, int priceCents) {
    PluPair pair = templatePair();
    PluValues values = decodePair(pair);
    values.pluNumber = std::to_string(number);
    values.description1 = description;
    values.priceHundredths = std::to_string(priceCents);
    values.labelNumber = "2";
    encodeValues(values, pair);
    return pair;
}

inline void writeEveryTable() {
    std::string plus = pluFileStart();
    appendPluPair(plus, everyTablePlu(1, "APPLES", 199));
    appendPluPair(plus, everyTablePlu(42, "PEARS", 250));
    appendPluPair(plus, everyTablePlu(123456, "PLUMS", 1000));
    writeFile("plurec.dat", plus);
    saveExtraTextFile({extraTextRecord(7,
                                       "KEEP COOL\x10"
                                       "EAT SOON"),
                       extraTextRecord(150, "X")});
    PresetKeys keys;
    keys.operatorKeys = 2;
    keys.discount = true;
    keys.discountNumber = "3";
    keys.plu[0] = "1";
    keys.plu[30] = "42";
    saveKeyFile(keys);
    saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"  12", "VEGETABLES"}});
    saveNumberStringFile(tablefile::kOperators, {{"  1", "ANN"}, {"  4", "DAVE"}});
    saveNumberStringFile(tablefile::kTares, {{" 3", "1.500"}, {"16", "30.999"}});
    std::vector<std::string> discounts;
    for (int k = 1; k <= discount::kRows; ++k) {
        // A discount without a rate is not sent, nor its texts.
        const int rate = k == 2 ? 1250 : k == 5 ? -500 : 0;
        discounts.push_back(
            discountRecord(k, {rate, rate != 0 ? "SHOWN" : "", rate != 0 ? "PRINTED" : ""},
                           discount::kStoredRate));
    }
    saveDiscountFile(discounts);
    saveNumberWordFile(tablefile::kDateTexts, {{1, "PACKED ON"}, {3, "SELL BY"}});
    saveBarcodeFile({barcode::kEan, {{"1", "123456789012"}, {"8", "2000000000AB"}}});
    saveNumberStringFile(tablefile::kAdvertisements, {{" 1", "HELLO\r\nWORLD"}, {"10", "SALE"}});
    saveNumberWordFile(tablefile::kMarquee, {{1, "WELCOME TO THE SHOP"}});
    // The batch carries no centring or font: the plain ones come back as they go.
    saveHeaderBottomFile({"FRESH\r\nEVERY DAY", "THANK YOU", 0, "5", 0, "5"});
    saveNumberWordFile(tablefile::kStoreAddress, {{1, "MAIN STREET 1\r\nTOWN"}});
    writeFile("labedita.dat",
              "0002600000000100"
              "01LAYOUT ONE\r\n\r\n");
    writeFile("labeditc.dat",
              "0002600000000100"
              "03LAYOUT THREE\r\n\r\n");
    saveModeRecord("00020200000001010020001100E80A10");
}

// Every editor's rows and fields of the current directory, one text each, prefixed by the
// table; for the label layouts the layout from its number on. Rows without the blanks at their
// end, which a received record's padding leaves and every record's padding restores.
inline std::vector<std::string> whatEditorsShow() {
    std::vector<std::string> shown;
    const auto add = [&](const std::string& table, const std::string& text) {
        shown.push_back(table + ": " + text);
    };
    PluTable plus;
    plus.load();
    for (std::size_t i = 0; i < plus.list().size(); ++i) {
        const PluValues v = decodePair(plus.list().pair(i));
        add("plu", v.pluNumber + " " + v.description1 + " " + v.priceHundredths + " label " +
                       v.labelNumber);
    }
    for (const NumberedTableKind* kind :
         {&extraTextTable(), &groupTable(), &operatorTable(), &tareTable(), &dateTextTable(),
          &barcodeTable(), &advertisementTable()}) {
        NumberedTable table(*kind);
        table.open();
        for (const std::string& row : table.rows().texts()) {
            add(kind->file.name != nullptr ? kind->file.name : "extra text",
                row.substr(0, row.find_last_not_of(' ') + 1));
        }
        if (kind == &barcodeTable()) {
            add("barcode type", std::to_string(table.fields().type));
        }
    }
    const LoadedPresetKeys keys = loadKeyFile();
    add("keys", std::to_string(keys.keys.operatorKeys) + " operator keys, discount " +
                    (keys.keys.discount ? keys.keys.discountNumber : "off"));
    for (std::size_t k = 0; k < 56; ++k) {
        if (!keys.keys.plu[k].empty()) {
            add("key " + std::to_string(k + 1), keys.keys.plu[k]);
        }
    }
    DiscountTable discounts;
    discounts.open();
    for (const DiscountRow& row : discounts.rows()) {
        add("discount", std::to_string(row.rate) + " " + row.displayed + "|" + row.printed);
    }
    MarqueeMessage marquee;
    marquee.open();
    add("marquee", marquee.text);
    HeaderBottom hb;
    hb.open();
    for (const LabelSide* side : {&hb.header, &hb.bottom}) {
        add("header/bottom",
            side->text + " centred " + std::to_string(side->centred) + " font " + side->font);
    }
    StoreAddress address;
    address.open();
    add("store address", address.text);
    for (const char* file : {"labedita.dat", "labeditb.dat", "labeditc.dat"}) {
        const std::optional<std::string> line = readFirstLine(file, 895);
        add(file, line ? line->substr(std::min<std::size_t>(16, line->size())) : "none");
    }
    OperatorConfig config;
    config.open();
    const ModeSettings& m = config.settings();
    add("operator setup", cformat("mode %d media %d options %d%d%d%d%d%d%d%d%d%d%d",
                                  {m.powerOnMode, m.printerMedia, m.pluNumber, m.header, m.footer,
                                   m.totalWeight, m.stub, m.barcode, m.barcodeOnStub, m.marquee,
                                   m.ticketNumberOnLabel, m.tareDisplay, m.hiddenRadio}));
    return shown;
}

}  // namespace vorn::test
