#pragma once
// PLUdft.dat: the one set of PLU editor values that "Save Default" keeps and "Load Default"
// restores. An archive (length-prefixed strings, 32-bit longs) of a signature and 32 items, with
// no row count and no value width. The texts are the editor's texts as typed; the price is kept
// in hundredths and the fixweight in pounds as shown.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

namespace pludefaults {
inline constexpr const char* kName = "PLUdft.dat";
inline constexpr const char* kSignature = "KVRAWobnOpt";
}  // namespace pludefaults

// The items in file order (after the signature).
struct PluDefaults {
    std::int32_t packCross = 0;
    std::int32_t bestBeforeCross = 0;
    std::int32_t sellByCross = 0;
    std::string packDays;
    std::string bestBeforeDays;
    std::string sellByDays;
    std::string packDateText;
    std::string bestBeforeDateText;
    std::string sellByDateText;
    std::string pluNumber;
    std::string itemNumber;
    std::string description1;
    std::string description2;
    std::string fontSize1;
    std::string fontSize2;
    std::string groupNumber;
    std::string tareNumber;
    std::string vatNumber;
    std::int32_t openPrice = 0;
    std::int32_t byCount = 0;
    std::int32_t discount = 0;
    std::string fixweightPounds;
    std::string priceHundredths;
    std::int32_t alignment = 0;
    std::string labelNumber;
    std::int32_t printStoreAddress = 0;
    std::string advertisingTextNumber;
    std::string extraTextNumber;
    std::string extraFontSize;
    std::int32_t sellByFormat = 0;
    std::int32_t packFormat = 0;
    std::int32_t bestBeforeFormat = 0;

    bool operator==(const PluDefaults&) const = default;
};

std::string pluDefaultsBytes(const PluDefaults& defaults);
// No value when the bytes end before the last item (the signature is read, not compared).
std::optional<PluDefaults> parsePluDefaults(std::string_view bytes);

struct LoadedPluDefaults {
    std::optional<PluDefaults> defaults;  // no value: nothing to take
    FileProblem problem;                  // a damaged file, in words that name it
};
// Reads PLUdft.dat in the current directory: a missing file gives no value and no problem.
LoadedPluDefaults readPluDefaults();
FileProblem savePluDefaults(const PluDefaults& defaults);

}  // namespace vorn
