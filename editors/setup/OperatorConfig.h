#pragma once
// The operator configuration: the scale's power-on mode, printer media and ticket options as one
// configuration record (table code 02, 32 characters), kept in Mode.dat. The record's
// functions are plain and shared with the batch transfer; OperatorConfig is the dialog's model.

#include <optional>
#include <string>
#include <string_view>

#include "editors/kit/TableRoundTrip.h"

namespace vorn {

namespace moderecord {
// Configuration record, 32 characters:
//   0-15  envelope, written with position 0 '0' and the operation "0000"
//   16-17 carried through
//   18    printer media code
//   19-23 carried through
//   24-27 word 1, "%04X"
//   28-31 word 2, "%04X"
inline constexpr std::size_t kLength = 32;
inline constexpr std::string_view kStartRecord = "00020200000001010010001100000000";
inline constexpr std::size_t kMediaPos = 18;
inline constexpr std::size_t kWord1Pos = 24;
inline constexpr std::size_t kWord2Pos = 28;

// Word 1.
inline constexpr unsigned kBarcodeBit = 1u << 0;
inline constexpr unsigned kBarcodeOnStubBit = 1u << 1;
inline constexpr unsigned kTotalWeightBit = 1u << 2;
inline constexpr unsigned kPluNumberBit = 1u << 3;
inline constexpr unsigned kStubBit = 1u << 4;
inline constexpr unsigned kHeaderBit = 1u << 5;
inline constexpr unsigned kFooterBit = 1u << 6;
inline constexpr unsigned kAlwaysSetBit = 1u << 7;
inline constexpr unsigned kMarqueeBit = 1u << 15;
// Word 2.
inline constexpr unsigned kHiddenRadioBit = 1u << 4;
inline constexpr unsigned kTicketNumberOnLabelBit = 1u << 9;
inline constexpr unsigned kPrepackModeBit = 1u << 11;
inline constexpr unsigned kTareDisplayBit = 1u << 14;

inline constexpr const char* kFile = "Mode.dat";
inline constexpr const char* kRequest = "0002020002000101";
// The batch transfer's request: positions 14 and 15 formatted with 0 (the engine writes the
// scale number over them anyway).
inline constexpr const char* kBatchRequestFormat = "00020200020001%02d";
inline constexpr const char* kTransferMessage =
    "Transfering Operator config information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
// The first line of Mode.dat or trf.in is read up to this many characters.
inline constexpr std::size_t kLineLimit = 99;
}  // namespace moderecord

// The dialog's controls.
struct ModeSettings {
    int powerOnMode = 0;    // 0 "Sale Mode", 1 "Prepack Mode"
    int printerMedia = -1;  // list entry 0 to 3; -1: none selected
    bool pluNumber = false;
    bool header = false;
    bool footer = false;
    bool totalWeight = false;
    bool stub = false;
    bool barcode = false;
    bool barcodeOnStub = false;
    bool marquee = false;
    bool ticketNumberOnLabel = false;
    bool tareDisplay = false;
    int hiddenRadio = 1;
    bool operator==(const ModeSettings&) const = default;
};

// The printer media list entry of a code at position 18 (the digit modulo 7: 0, 1, 2, 4 give
// entries 0 to 3, 3 and 5 entry 0, 6 no entry), and the code written for an entry (4 for entry
// 3, 0 when none is selected).
int printerMediaEntry(char code);
char printerMediaCode(int entry);

// The controls of a record (32 characters); the printer media entry included.
ModeSettings settingsOfRecord(std::string_view record);
// The record with the settings written in: both words (bit 7 of word 1 set), the printer media
// code, '0' at position 0 and "0000" at positions 6 to 9.
std::string recordWithSettings(std::string record, const ModeSettings& settings);

// The first 32 characters of a line, or no value when it is shorter.
std::optional<std::string> recordOfLine(std::string_view line);
// An answer's first line in the form Mode.dat keeps: its first 32 characters with '0' at
// position 0 and "0000" at positions 6 to 9; no value when it is shorter than 32 characters.
std::optional<std::string> storedModeRecord(std::string_view answerLine);

// Writes Mode.dat: the record and a line end. A problem naming the file when it cannot be
// written.
std::string saveModeRecord(const std::string& record);

// The operator configuration as the dialog holds it: the record, and the settings its controls
// show.
struct ModeConfig {
    std::string record = std::string(moderecord::kStartRecord);
    ModeSettings settings = {};
};

// The round trip of Mode.dat. Loading gives the starting record, or Mode.dat's when its first
// line holds one (no file selects printer media entry 0); a save or a send takes the record as
// it is (the dialog writes its settings in first). The dialog takes an answer's record with its
// settings, and an answer of no record changes nothing; the batch transfer requests with its own
// line and stores the answer's record in the form Mode.dat keeps (storedModeRecord), refusing
// an answer of no record. (The batch sends Mode.dat as it is.)
TableRoundTrip<ModeConfig> modeRoundTrip(TableForm form);

class OperatorConfig {
public:
    const std::string& record() const { return config_.record; }
    ModeSettings& settings() { return config_.settings; }
    const ModeSettings& settings() const { return config_.settings; }

    // Open: the starting record, then Mode.dat when it holds a record.
    void open();
    // OK: writes Mode.dat; false (and told) when it cannot be written.
    bool save();
    // PC->Sc: writes the record to trf.out and runs the transfer.
    void send();
    // Sc->PC: requests the record; a success answer of 32 characters or more is shown.
    void receive();

private:
    // The record with the settings written in, as the file and the send take it.
    const ModeConfig& written();

    ModeConfig config_;
};

}  // namespace vorn
