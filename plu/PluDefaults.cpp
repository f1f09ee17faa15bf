#include "plu/PluDefaults.h"

#include <type_traits>

#include "tables/Archive.h"

namespace vorn {

namespace {

// The items in their file order, for the writer and the reader alike.
template <class Visit>
void visitItems(Visit&& item, std::string& signature, auto& d) {
    item(signature);
    item(d.packCross);
    item(d.bestBeforeCross);
    item(d.sellByCross);
    item(d.packDays);
    item(d.bestBeforeDays);
    item(d.sellByDays);
    item(d.packDateText);
    item(d.bestBeforeDateText);
    item(d.sellByDateText);
    item(d.pluNumber);
    item(d.itemNumber);
    item(d.description1);
    item(d.description2);
    item(d.fontSize1);
    item(d.fontSize2);
    item(d.groupNumber);
    item(d.tareNumber);
    item(d.vatNumber);
    item(d.openPrice);
    item(d.byCount);
    item(d.discount);
    item(d.fixweightPounds);
    item(d.priceHundredths);
    item(d.alignment);
    item(d.labelNumber);
    item(d.printStoreAddress);
    item(d.advertisingTextNumber);
    item(d.extraTextNumber);
    item(d.extraFontSize);
    item(d.sellByFormat);
    item(d.packFormat);
    item(d.bestBeforeFormat);
}

}  // namespace

std::string pluDefaultsBytes(const PluDefaults& defaults) {
    ArchiveWriter out;
    std::string signature = pludefaults::kSignature;
    PluDefaults copy = defaults;
    visitItems(
        [&out](auto& value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                out.string(value);
            } else {
                out.longValue(value);
            }
        },
        signature, copy);
    return out.bytes();
}

std::optional<PluDefaults> parsePluDefaults(std::string_view bytes) {
    ArchiveReader in(bytes);
    std::string signature;
    PluDefaults d;
    visitItems(
        [&in](auto& value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                in.string(value);
            } else {
                in.longValue(value);
            }
        },
        signature, d);
    if (in.failed()) {
        return std::nullopt;
    }
    return d;
}

LoadedPluDefaults readPluDefaults() {
    LoadedPluDefaults loaded;
    const std::optional<std::string> bytes = readFileBytes(pludefaults::kName);
    if (!bytes) {
        return loaded;
    }
    loaded.defaults = parsePluDefaults(*bytes);
    if (!loaded.defaults) {
        loaded.problem = std::string(pludefaults::kName) +
                         " is damaged or incomplete: the defaults were not loaded";
    }
    return loaded;
}

FileProblem savePluDefaults(const PluDefaults& defaults) {
    return writeFileAtomically(pludefaults::kName, pluDefaultsBytes(defaults));
}

}  // namespace vorn
