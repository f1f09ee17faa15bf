#include "tables/KeyFile.h"

#include <optional>

#include "tables/Archive.h"

namespace vorn {

namespace {

const TableFile& file() {
    return tablefile::kPresetKeys;
}

FileProblem damaged(const std::string& what) {
    return std::string(file().name) + " is damaged or incomplete: " + what;
}

bool readFlag(ArchiveReader& in, bool& flag) {
    std::int32_t v = 0;
    if (!in.longValue(v)) {
        return false;
    }
    flag = v != 0;
    return true;
}

}  // namespace

LoadedPresetKeys parseKeyFile(std::string_view bytes) {
    LoadedPresetKeys loaded;
    PresetKeys& keys = loaded.keys;
    ArchiveReader in(bytes);
    std::string signature;
    std::uint16_t rowCount = 0;
    std::uint16_t valueWidth = 0;
    std::uint16_t operatorKeys = 0;
    if (!in.string(signature) || !in.word(rowCount) || !in.word(valueWidth) ||
        !in.word(operatorKeys)) {
        loaded.problem = damaged("the header is cut short");
        return loaded;
    }
    if (operatorKeys >= presetkey::kMinOperatorKeys &&
        operatorKeys <= presetkey::kMaxReceivedOperatorKeys) {
        keys.operatorKeys = operatorKeys;
    }
    KeyOptions& o = keys.options;
    if (!readFlag(in, keys.discount) || !in.string(keys.discountNumber) ||
        !readFlag(in, o.changeKey) || !readFlag(in, o.cancelKey) || !readFlag(in, o.hashKey) ||
        !readFlag(in, o.minusKey) || !readFlag(in, o.plusKey) || !readFlag(in, o.xKey)) {
        loaded.problem = damaged("the key settings are cut short");
        return loaded;
    }
    for (int k = 0; k < presetkey::kLayerKeys; ++k) {
        std::uint16_t number = 0;
        std::string plu;
        if (!in.word(number) || !in.string(plu)) {
            loaded.problem = damaged(std::to_string(k) + " of " +
                                     std::to_string(presetkey::kLayerKeys) + " keys read");
            break;
        }
        keys.plu[static_cast<std::size_t>(k)] = std::move(plu);
    }
    return loaded;
}

LoadedPresetKeys loadKeyFile() {
    const std::optional<std::string> bytes = readFileBytes(file().name);
    if (!bytes) {
        return {};
    }
    return parseKeyFile(*bytes);
}

std::string keyFileBytes(const PresetKeys& keys, KeyFileRows rows) {
    ArchiveWriter out;
    out.string(file().signature);
    out.word(presetkey::kEntries);
    out.word(static_cast<std::uint16_t>(file().valueWidth));
    out.word(static_cast<std::uint16_t>(keys.operatorKeys));
    out.longValue(keys.discount ? 1 : 0);
    out.string(keys.discountNumber);
    for (const bool flag : {keys.options.changeKey, keys.options.cancelKey, keys.options.hashKey,
                            keys.options.minusKey, keys.options.plusKey, keys.options.xKey}) {
        out.longValue(flag ? 1 : 0);
    }
    const int written = rows == KeyFileRows::All ? presetkey::kEntries : presetkey::kLayerKeys;
    for (int k = 1; k <= written; ++k) {
        out.word(static_cast<std::uint16_t>(k));
        out.string(keys.plu[static_cast<std::size_t>(k - 1)]);
    }
    return out.bytes();
}

FileProblem saveKeyFile(const PresetKeys& keys, KeyFileRows rows) {
    return writeFileAtomically(file().name, keyFileBytes(keys, rows));
}

}  // namespace vorn
