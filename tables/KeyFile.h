#pragma once
// key.dat: the preset keyboard as the preset key editor keeps it. An archive with the table
// header (signature "KVRAWobnKey", row count 57, value width 2), then the number of operator
// keys (word), the discount flag (long 0/1), the discount number as typed (string), the six key
// options (longs 0/1: Change, Cancel, #, -, +, X), and one row per key: the key number (word)
// and the PLU number text (string).

#include <array>
#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

namespace presetkey {
// Keys 1 to 28 are the up layer, 29 to 56 the down layer; a 57th entry is kept but never shown.
inline constexpr int kKeysPerLayer = 28;
inline constexpr int kLayerKeys = 2 * kKeysPerLayer;
inline constexpr int kEntries = 57;
inline constexpr int kMinOperatorKeys = 1;
inline constexpr int kMaxOperatorKeys = 4;
// A scale may report five operator keys; the fifth takes key 25.
inline constexpr int kMaxReceivedOperatorKeys = 5;
}  // namespace presetkey

// The flags of the scale's fixed keys, kept in key.dat and taken from the scale.
struct KeyOptions {
    bool changeKey = true;
    bool cancelKey = true;
    bool hashKey = true;
    bool minusKey = true;
    bool plusKey = true;
    bool xKey = true;
    bool operator==(const KeyOptions&) const = default;
};

struct PresetKeys {
    int operatorKeys = 1;  // N
    bool discount = false;
    std::string discountNumber;  // as typed
    KeyOptions options;
    // The PLU number text of key k at index k - 1; empty: no PLU.
    std::array<std::string, presetkey::kEntries> plu;
    bool operator==(const PresetKeys&) const = default;
};

namespace tablefile {
inline constexpr TableFile kPresetKeys{"key.dat", "KVRAWobnKey", 2};
}  // namespace tablefile

struct LoadedPresetKeys {
    PresetKeys keys;
    FileProblem problem;
};

// Reads key.dat: the header (not compared), the settings and the rows of keys 1 to 56 in order
// (their key numbers are skipped). A missing file gives the defaults silently; a damaged one the
// values read so far and a problem naming the file. A number of operator keys outside 1 to 5
// is taken as 1.
LoadedPresetKeys loadKeyFile();

// How many key rows a save writes: the editor writes all 57, the batch store keys 1 to 56; the
// row count says 57 either way.
enum class KeyFileRows { All, LayerKeysOnly };

// The bytes of key.dat for these keys.
std::string keyFileBytes(const PresetKeys& keys, KeyFileRows rows = KeyFileRows::All);
// Writes key.dat; a problem naming the file when it cannot be written.
FileProblem saveKeyFile(const PresetKeys& keys, KeyFileRows rows = KeyFileRows::All);

// Reads key.dat's bytes as loadKeyFile reads the file.
LoadedPresetKeys parseKeyFile(std::string_view bytes);

}  // namespace vorn
