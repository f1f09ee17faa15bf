#pragma once
// The batch dialog's selection and its file Trans.dat: 22 flags (1 ticked, 0 not), slots 1 to
// 22 in this order: 1 Group, 2 DateText, 3 Datetime, 4 reserved, 5 Header Bottom, 6 Default
// Label, 7 Operator, 8 Operator setup, 9 PLU, 10 Preset Key, 11 Marquee Message, 12 the
// scale-number flag, 13 Store Address, 14 Tare, 15 reserved, 16 Discount, 17 Advertisement,
// 18 to 20 reserved, 21 Extra Text, 22 Bar Code. The six flags without a check box are kept,
// loaded and saved like the others. The file is the signature string "KVRAWobnTrs" and the 22
// flags as signed 32-bit little-endian numbers: 100 bytes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tables/TableFiles.h"

namespace vorn {

inline constexpr int kSelectionSlots = 22;

namespace tablefile {
inline constexpr const char* kTransSelection = "Trans.dat";
inline constexpr const char* kTransSignature = "KVRAWobnTrs";
}  // namespace tablefile

struct BatchSelection {
    std::array<std::int32_t, kSelectionSlots> flags{};

    // Slots count from 1, as the file lists them; a slot outside 1 to 22 is never ticked.
    bool ticked(int slot) const;
    void set(int slot, bool on);
    // "Select All" (1 in every slot) and "Clear All" (0 in every slot).
    void setAll(bool on);
};

// The bytes of Trans.dat.
std::string encodeSelection(const BatchSelection& selection);

struct LoadedSelection {
    BatchSelection selection;  // the flags read; those the file did not reach are 0
    FileProblem problem;       // a file cut short, naming it; empty when all went well
};
// Reads the flags from the bytes of a Trans.dat; the signature is read but not compared.
LoadedSelection parseSelection(std::string_view bytes);
// Loads Trans.dat from the current directory; a missing file is an empty selection, silently.
LoadedSelection loadSelection();
// Writes Trans.dat anew in the current directory; the problem names the file when it cannot.
FileProblem saveSelection(const BatchSelection& selection);

}  // namespace vorn
