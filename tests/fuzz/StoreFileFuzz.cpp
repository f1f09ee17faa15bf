// grpscl.dat and pgmpath.dat on any bytes, and the store and scale lists filled from the
// entries. Properties: entries read without a problem are written and read back the same; a
// store entry rebuilt from the names read out of it is stable from the first rebuild on; the
// lists keep their selections within their rows.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/ScaleDirectory.h"
#include "shell/StoreList.h"
#include "tables/Archive.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // pgmpath.dat: one string.
    vorn::ArchiveReader pathReader(bytes);
    std::string basePath;
    if (pathReader.string(basePath)) {
        const std::string encoded = vorn::encodeBasePath(basePath);
        vorn::ArchiveReader back(encoded);
        std::string again;
        require(back.string(again) && again == basePath && back.atEnd());
    }

    // grpscl.dat: a count and the entries.
    const vorn::StoreEntries stored = vorn::decodeStoreEntries(bytes);
    if (stored.problem.empty()) {
        const vorn::StoreEntries again =
            vorn::decodeStoreEntries(vorn::encodeStoreEntries(stored.entries));
        require(again.problem.empty() && again.entries == stored.entries);
    }
    for (const std::string& entry : stored.entries) {
        const std::string rebuilt =
            vorn::storeEntry(vorn::storeNameOf(entry), vorn::scaleNamesOf(entry));
        const std::string twice =
            vorn::storeEntry(vorn::storeNameOf(rebuilt), vorn::scaleNamesOf(rebuilt));
        require(twice == rebuilt);
    }

    vorn::StoreScaleLists lists;
    lists.load(stored.entries);
    require(lists.stores().size() == stored.entries.size());
    for (std::size_t i = 0; i < lists.stores().size(); ++i) {
        lists.selectStore(static_cast<int>(i));
        require(lists.selectedStore() == static_cast<int>(i));
        require(lists.selectedScale() < static_cast<int>(lists.scales().size()));
    }
    const vorn::OkDecision decision = vorn::decideOk(lists);
    require(decision.entries.size() == lists.stores().size());
    return 0;
}
