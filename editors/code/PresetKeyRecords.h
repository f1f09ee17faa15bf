#pragma once
// The records of the preset keyboard: one keyboard record (table code 33) that lays out the
// keys, and one preset record (table code 16) per key with a PLU; the request lines that read
// them back, and the parse of the scale's answer. Plain functions of plain data, shared by the
// preset key editor and the batch transfer.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editors/kit/TableReferences.h"
#include "editors/kit/TableRoundTrip.h"
#include "tables/KeyFile.h"

namespace vorn {

namespace presetrecord {
// Keyboard record, 535 characters:
//   0-18    "0002330000000101005"
//   19-21   PLU keys on both layers, 2 * (29 - N), "%03d"
//   22-24   N, "%03d"
//   25-94   '0'
//   95-98   key option word: "FFFF" when sent; read back bit by bit (below)
//   99-194  24 fixed key codes 1537 to 1560, "%04d" each
//   195-210 '0'
//   211-338 the 32 codes of the key area (keyAreaCodes)
//   339-534 '0'
inline constexpr std::string_view kKeyboardHead = "0002330000000101005";
inline constexpr std::size_t kKeyboardLength = 535;
inline constexpr std::size_t kOperatorKeysPos = 22;
inline constexpr std::size_t kKeyOptionsPos = 95;
inline constexpr std::size_t kKeyAreaPos = 211;
inline constexpr int kFixedCodeFirst = 1537;
inline constexpr int kFixedCodes = 24;
inline constexpr int kKeyAreaFirst = 1561;
inline constexpr int kKeyAreaCodes = 32;
inline constexpr int kDiscountCodeBase = 1024;
inline constexpr int kOperatorCodeBase = 2048;
inline constexpr int kMaxDiscountCode = kDiscountCodeBase + 10;

// Key option bits of a received keyboard record.
inline constexpr unsigned kCancelKeyBit = 1u << 0;
inline constexpr unsigned kChangeKeyBit = 1u << 1;
inline constexpr unsigned kXKeyBit = 1u << 3;
inline constexpr unsigned kMinusKeyBit = 1u << 6;
inline constexpr unsigned kPlusKeyBit = 1u << 7;
inline constexpr unsigned kHashKeyBit = 1u << 9;

// Preset record: key number at 16-18, PLU number (filled on the left with '0') at 23-28. The
// batch writes positions 14 and 15 as "00".
inline constexpr const char* kPresetFormat = "0002160000000101%03d0000%06s0000000000";
inline constexpr const char* kBatchPresetFormat = "00021600000001%02d%03d0000%06s0000000000";
inline constexpr std::size_t kPresetKeyPos = 16;
inline constexpr std::size_t kPresetPluPos = 23;
inline constexpr std::size_t kPluDigits = 6;

inline constexpr const char* kKeyboardRequest = "0002330002000101";
inline constexpr const char* kPresetRequest = "0002160007000100000";
inline constexpr const char* kTransferMessage = "Transfering Preset Key information,please wait...";
}  // namespace presetrecord

// What the key area writes for the discount key of the down layer (key 53): the editor writes
// "0000", the batch the discount code again.
enum class LowerDiscountKey { Zero, DiscountCode };

// The 4-character codes of the key area (keys 25 to 56) for N operator keys and, when the
// discount key is present, its discount number. Thirty-two codes for N of 1 to 4 (also 5
// without the discount key).
std::vector<std::string> keyAreaCodes(int operatorKeys, std::optional<int> discountNumber,
                                      LowerDiscountKey lowerDiscountKey);

// Which of the two programs' line forms to write.
enum class PresetLineForm { Editor, Batch };

// The keyboard record, or no value when its key area does not come to 32 codes (five operator
// keys with the discount key: both want key 25).
std::optional<std::string> keyboardRecord(const PresetKeys& keys, PresetLineForm form);
std::string presetRecord(int key, const std::string& plu, PresetLineForm form);

// The lines a send writes: the keyboard record, then one preset record per key 1 to 57 with a
// PLU. The discount number is taken as its integer value. A key whose PLU number is not 1 to 6
// digits, or a key area that does not fit, gives no lines and the problem in words.
struct PresetSendLines {
    std::vector<std::string> lines;
    std::string problem;
};
PresetSendLines presetSendLines(const PresetKeys& keys, PresetLineForm form);

// The request lines of a receive.
std::vector<std::string> presetRequestLines();

// The scale's answer: the keyboard record on the first line, then the preset records up to the
// first whose key number is not 1 to 56.
struct PresetAnswer {
    // False when the first line holds no keyboard record (it is too short or of another
    // table): the keyboard settings then stay as they were.
    bool keyboard = false;
    int operatorKeys = 0;
    KeyOptions options;
    int discountCode = 0;
    std::vector<std::pair<int, std::string>> keys;  // key number, PLU text (empty for PLU 0)
};
PresetAnswer parsePresetAnswer(const std::vector<std::string>& lines);

// Takes the answer into the keys: N (when it is 1 to 5), the key options, the discount (on for
// the codes 1024 to 1034, its number the code less 1024; off with the number "0") and the keys
// answered; keys not answered keep their PLU.
void applyPresetAnswer(PresetKeys& keys, const PresetAnswer& answer);

// The keys of an answer as the batch transfer stores them: over the keys of a new keyboard (the
// discount number "0" when the discount is off).
PresetKeys presetKeysOfAnswer(const std::vector<std::string>& lines);

// The round trip of key.dat. The dialog writes the editor's line forms, takes an answer over its
// keys and saves every key; the batch writes its own forms, takes an answer over a new keyboard
// and saves the keys of the two layers.
TableRoundTrip<PresetKeys> presetKeyRoundTrip(TableForm form);

// The PLUs that the keys name, as "Key 12" (every key with a PLU number, the ones under an
// overlay included: they are sent too).
std::vector<TableReference> presetKeyReferences(const PresetKeys& keys);

}  // namespace vorn
