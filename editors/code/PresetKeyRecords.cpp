#include "editors/code/PresetKeyRecords.h"

#include <algorithm>
#include <cstddef>

#include "comm/RecordLine.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

using namespace presetrecord;

std::string code4(int code) {
    return cformat("%04d", {std::clamp(code, 0, 9999)});
}

bool isPluNumber(const std::string& text) {
    return !text.empty() && text.size() <= kPluDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

constexpr const char* kNoDiscountNumber = "0";

LoadedTable<PresetKeys> loadKeys() {
    LoadedPresetKeys loaded = loadKeyFile();
    return {readFileBytes(tablefile::kPresetKeys.name).has_value(), std::move(loaded.keys),
            loaded.problem};
}

}  // namespace

std::vector<std::string> keyAreaCodes(int operatorKeys, std::optional<int> discountNumber,
                                      LowerDiscountKey lowerDiscountKey) {
    const int n = operatorKeys;
    std::vector<std::string> codes;
    int k = kKeyAreaFirst;
    // Keys 25 to 28: the discount key, PLU keys, then the operator keys from the right.
    int key = 25;
    if (discountNumber) {
        codes.push_back(code4(kDiscountCodeBase + *discountNumber));
        ++k;
        ++key;
    }
    for (; key <= 29 - n; ++key) {
        codes.push_back(code4(k++));
    }
    for (int c = kOperatorCodeBase + n; c >= kOperatorCodeBase + 2; --c) {
        codes.push_back(code4(c));
    }
    // Keys 29 to 52: the first 24 keys of the down layer.
    k += n - 1;
    for (int i = 0; i < 24; ++i) {
        codes.push_back(code4(k++));
    }
    // Keys 53 to 56, laid out as keys 25 to 28.
    key = 53;
    if (discountNumber) {
        codes.push_back(lowerDiscountKey == LowerDiscountKey::Zero
                            ? std::string("0000")
                            : code4(kDiscountCodeBase + *discountNumber));
        ++k;
        ++key;
    }
    k += n - 1;
    for (; key < 58 - n; ++key) {
        codes.push_back(code4(k++));
    }
    for (int c = kOperatorCodeBase + 1 + n; c >= kOperatorCodeBase + 3; --c) {
        codes.push_back(code4(c));
    }
    return codes;
}

std::optional<std::string> keyboardRecord(const PresetKeys& keys, PresetLineForm form) {
    const int n = keys.operatorKeys;
    std::optional<int> discountNumber;
    if (keys.discount) {
        discountNumber = intValue(keys.discountNumber);
    }
    const std::vector<std::string> area = keyAreaCodes(
        n, discountNumber,
        form == PresetLineForm::Editor ? LowerDiscountKey::Zero : LowerDiscountKey::DiscountCode);
    if (area.size() != static_cast<std::size_t>(kKeyAreaCodes) || n < 1 ||
        n > presetkey::kMaxReceivedOperatorKeys) {
        return std::nullopt;
    }
    std::string record(kKeyboardHead);
    record += cformat("%03d%03d", {2 * (29 - n), n});
    record += cformat("%070dFFFF", {0});
    for (int c = kFixedCodeFirst; c < kFixedCodeFirst + kFixedCodes; ++c) {
        record += cformat("%04d", {c});
    }
    record += cformat("%016d", {0});
    for (const std::string& code : area) {
        record += code;
    }
    record += cformat("%0196s", {"0"});
    return record;
}

std::string presetRecord(int key, const std::string& plu, PresetLineForm form) {
    return form == PresetLineForm::Editor ? cformat(kPresetFormat, {key, plu})
                                          : cformat(kBatchPresetFormat, {0, key, plu});
}

PresetSendLines presetSendLines(const PresetKeys& keys, PresetLineForm form) {
    PresetSendLines out;
    const std::optional<std::string> keyboard = keyboardRecord(keys, form);
    if (!keyboard) {
        out.problem = "With " + std::to_string(keys.operatorKeys) +
                      " operator keys there is no room for the discount key! Nothing was sent.";
        return out;
    }
    out.lines.push_back(*keyboard);
    for (int key = 1; key <= presetkey::kEntries; ++key) {
        const std::string& plu = keys.plu[static_cast<std::size_t>(key - 1)];
        if (plu.empty()) {
            continue;
        }
        if (!isPluNumber(plu)) {
            out.lines.clear();
            out.problem = "The PLU number of key " + std::to_string(key) + " (\"" + plu +
                          "\") is not a number of up to 6 digits! Nothing was sent.";
            return out;
        }
        out.lines.push_back(presetRecord(key, plu, form));
    }
    return out;
}

std::vector<std::string> presetRequestLines() {
    return {kKeyboardRequest, kPresetRequest};
}

PresetAnswer parsePresetAnswer(const std::vector<std::string>& lines) {
    PresetAnswer answer;
    if (lines.empty()) {
        return answer;
    }
    const std::string& first = lines.front();
    if (first.size() >= kKeyAreaPos + 4 && tableCode(first) == "33") {
        answer.keyboard = true;
        answer.operatorKeys = intValue(field(first, kOperatorKeysPos, 3));
        const unsigned bits = hexValue(field(first, kKeyOptionsPos, 4));
        KeyOptions& o = answer.options;
        o.cancelKey = (bits & kCancelKeyBit) != 0;
        o.changeKey = (bits & kChangeKeyBit) != 0;
        o.xKey = (bits & kXKeyBit) != 0;
        o.minusKey = (bits & kMinusKeyBit) != 0;
        o.plusKey = (bits & kPlusKeyBit) != 0;
        o.hashKey = (bits & kHashKeyBit) != 0;
        answer.discountCode = intValue(field(first, kKeyAreaPos, 4));
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int key = intValue(field(lines[i], kPresetKeyPos, 3));
        if (key < 1 || key > presetkey::kLayerKeys) {
            break;
        }
        const int plu = intValue(field(lines[i], kPresetPluPos, kPluDigits));
        answer.keys.emplace_back(key, plu == 0 ? std::string() : std::to_string(plu));
    }
    return answer;
}

void applyPresetAnswer(PresetKeys& keys, const PresetAnswer& answer) {
    if (answer.keyboard) {
        if (answer.operatorKeys >= presetkey::kMinOperatorKeys &&
            answer.operatorKeys <= presetkey::kMaxReceivedOperatorKeys) {
            keys.operatorKeys = answer.operatorKeys;
        }
        keys.options = answer.options;
        if (answer.discountCode >= kDiscountCodeBase && answer.discountCode <= kMaxDiscountCode) {
            keys.discount = true;
            keys.discountNumber = std::to_string(answer.discountCode - kDiscountCodeBase);
        } else {
            keys.discount = false;
            keys.discountNumber = "0";
        }
    }
    for (const auto& [key, plu] : answer.keys) {
        keys.plu[static_cast<std::size_t>(key - 1)] = plu;
    }
}

PresetKeys presetKeysOfAnswer(const std::vector<std::string>& lines) {
    PresetKeys keys;
    applyPresetAnswer(keys, parsePresetAnswer(lines));
    if (!keys.discount) {
        keys.discountNumber = kNoDiscountNumber;
    }
    return keys;
}

TableRoundTrip<PresetKeys> presetKeyRoundTrip(TableForm form) {
    const bool batch = form == TableForm::Batch;
    return {
        .load = &loadKeys,
        .save =
            [batch](const PresetKeys& keys) {
                return saveKeyFile(keys, batch ? KeyFileRows::LayerKeysOnly : KeyFileRows::All);
            },
        .records =
            [batch](const PresetKeys& keys) {
                PresetSendLines send =
                    presetSendLines(keys, batch ? PresetLineForm::Batch : PresetLineForm::Editor);
                TableRecords out{std::move(send.lines), std::move(send.problem)};
                if (batch && !out.problem.empty()) {
                    out.problem = std::string(tablefile::kPresetKeys.name) + ": " + out.problem +
                                  "; it was not sent";
                }
                return out;
            },
        .request = &presetRequestLines,
        .rowsOfAnswer =
            [batch](const std::vector<std::string>& lines, const PresetKeys& before) {
                if (batch) {
                    return AnswerRows<PresetKeys>{presetKeysOfAnswer(lines)};
                }
                AnswerRows<PresetKeys> answer{before, {}};
                applyPresetAnswer(answer.rows, parsePresetAnswer(lines));
                return answer;
            },
        .files = {tablefile::kPresetKeys.name},
    };
}

std::vector<TableReference> presetKeyReferences(const PresetKeys& keys) {
    std::vector<TableReference> references;
    for (std::size_t k = 0; k < keys.plu.size(); ++k) {
        const std::string& text = keys.plu[k];
        if (text.empty() || text.size() > 9 ||
            text.find_first_not_of("0123456789") != std::string::npos) {
            continue;  // no PLU, or a text that names no number
        }
        references.push_back({"Key " + std::to_string(k + 1), ReferredTable::Plu, std::stol(text)});
    }
    return references;
}

}  // namespace vorn
