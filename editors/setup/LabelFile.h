#pragma once
// Label layouts between layout files (*.lbl) and the scale, one at a time. A layout travels as
// one record line of table code 60 with the label number (1 to 3) at positions 16 and 17; the
// rest is layout data passed through. Sending and storing rewrite four single characters.

#include <optional>
#include <string>
#include <vector>

#include "editors/kit/TableRoundTrip.h"

namespace vorn {

namespace labellayout {
inline constexpr const char* kDefaultFileName = "lab.lbl";
inline constexpr const char* kExtension = "lbl";
inline constexpr const char* kFileFilter = "Label Files (*.lbl)";
// The first line of a layout file is taken up to this length.
inline constexpr std::size_t kFileLineLimit = 647;
// Positions rewritten: the answer status, the last digit of the operation, a block digit and
// the label number's last digit.
inline constexpr std::size_t kStatusPos = 0;
inline constexpr std::size_t kOperationPos = 9;
inline constexpr std::size_t kBlockPos = 12;
inline constexpr std::size_t kLabelNumberPos = 17;
inline constexpr std::size_t kRecordMinLength = 18;  // envelope and label number
inline constexpr const char* kRequestFormat = "0002600002000000%02d";
inline constexpr int kLabels = 3;
// The batch transfer's layout files, labels 1 to 3, and the length of line it reads and stores.
inline constexpr const char* kBatchFiles[kLabels] = {"labedita.dat", "labeditb.dat",
                                                     "labeditc.dat"};
inline constexpr std::size_t kBatchLineLimit = 895;

inline constexpr const char* kTransferMessage = "Transfering label information ,please wait...";
inline constexpr const char* kErrorSuffix = "error";
inline constexpr const char* kEmptyPathMessage =
    "Please enter the file path and name in the textbox!";
inline constexpr const char* kWrongTypeMessage = " File type is error!!";
}  // namespace labellayout

// True when the file name's extension is exactly "lbl" (".LBL" is not).
bool hasLabelFileExtension(const std::string& path);

// A layout line as sent: '0' at positions 0 and 9, '1' at 12, the label number digit at 17
// (positions the line does not reach are left out).
std::string layoutLineForSending(std::string line, int labelNumber);
// A received layout line as stored in a layout file: '0' at positions 0, 9, 12 and 17.
std::string layoutLineForStoring(std::string line);
// The batch transfer rewrites less: only position 0 when sending, positions 0 and 9 when
// storing.
std::string batchLayoutLineForSending(std::string line);
std::string batchLayoutLineForStoring(std::string line);
// The request for layout n: "0002600002000000" and n in two digits.
std::string layoutRequestLine(int labelNumber);
// What the answer to the requests of these layouts, in order, must be: each the layout asked
// for (or its empty slot).
AnswerFit layoutFit(std::vector<int> labelNumbers);
// A line of trf.in that carries a layout: an answer record of table 60 with data after the
// label number. (An empty slot answers the request itself.)
bool isLayoutAnswer(const std::string& line);

// The layout line that each of the three requests brought, in request order; no value for a
// request that the scale answered without a layout (an empty slot).
std::vector<std::optional<std::string>> layoutsOfAnswer(const std::vector<std::string>& lines);

// The batch transfer's round trip of the three layout files labedita.dat to labeditc.dat: the
// first line of each file there is sent (each followed by an empty line; one longer than 895
// characters is not sent), the three layouts requested, and each layout answered stored as its
// file's line, followed by an empty line.
TableRoundTrip<std::vector<std::optional<std::string>>> labelLayoutBatchRoundTrip();

enum class LabelTransferResult {
    NotRun,     // nothing was transferred (the user has been told why)
    NoAnswer,   // trf.in could not be opened after the transfer
    Failed,     // the scale's answer was an error (told)
    Succeeded,  // sent, or received and stored
};

// PC->Sc: the first line of the layout file as layout labelNumber. A missing file sends an empty
// transfer, whose empty answer is then told as a failure; a first line longer than 647
// characters is refused.
LabelTransferResult sendLabelFile(const std::string& path, int labelNumber);
// Sc->PC: requests layout labelNumber and rewrites the layout file with the last layout line of
// the answer, followed by an empty line. An answer without a layout leaves the file as it was.
LabelTransferResult receiveLabelFile(const std::string& path, int labelNumber);

}  // namespace vorn
