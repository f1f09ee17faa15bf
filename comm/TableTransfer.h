#pragma once
// The transfer steps that every table editor shares: write trf.out, run the installed transfer
// runner, read the result code from the first line of trf.in and the answer lines after a
// successful request. All files are in the current (scale) directory.

#include <optional>
#include <string>
#include <vector>

#include "comm/TransferFiles.h"
#include "comm/TransferRunner.h"
#include "tables/TableFiles.h"

namespace vorn {

namespace transferfile {
// The first line of trf.in is read into a buffer of 100 characters: at most 99, line end
// included.
inline constexpr std::size_t kFirstLineLimit = 99;
}  // namespace transferfile

// Writes the lines to the transfer file of that name (trf.out, trf1.in, ...), each ended by
// CR LF, through the safe save: a link there is replaced, not followed, and a failed write
// leaves the old file. The problem names the file and the reason.
FileProblem writeTransferLines(const std::string& name, const std::vector<std::string>& lines);
// The lines to trf.out.
FileProblem writeTransferFile(const std::vector<std::string>& lines);

// The first line of trf.in with its line end as "\n" (CR LF and LF alike), at most limit
// characters; the empty text for an empty file; no value when trf.in cannot be opened.
std::optional<std::string> readFirstAnswerLine(std::size_t limit = transferfile::kFirstLineLimit);
// The first limit bytes of trf.in as they are (several lines, CR LF included).
std::optional<std::string> readFirstAnswerBytes(std::size_t limit);

// Every line of trf.in without its line end; empty when the file is missing.
std::vector<std::string> readAnswerLines();

// Shows a failed transfer: the first line of trf.in, line end included, followed directly by
// the editor's error suffix; under it, in words, the table, what failed and which records
// reached the scale (failureInWords).
void tellTransferFailure(const std::string& firstLine, const std::string& errorSuffix);

// The last transfer as trf.out and trf.in tell it, in words: "Group: 2 of 5 records reached
// scale 01; then the scale refused the record (02210)". Empty without trf.out.
std::string transferInWords();
// The same for a transfer that went through ("Group: 2 records sent to scale 01"); empty for
// one that did not.
std::string successInWords();

// How one table transfer ended, as the editor sees it in trf.in.
enum class TransferResult {
    NotRun,    // trf.out could not be written (the user has been told)
    NoAnswer,  // trf.in could not be opened
    Failed,    // the first line is no success line (the user has been told)
    Succeeded,
};

// How an editor looks at the start of trf.in to judge a transfer, and what it shows of a
// failure: the first line (at most shownLimit characters, line end included), or the first
// shownLimit bytes of the file; followed by the error suffix.
struct AnswerCheck {
    std::string errorSuffix;
    std::size_t shownLimit = transferfile::kFirstLineLimit;
    bool shownAsBytes = false;
};

// Writes the lines to trf.out, runs the transfer and checks trf.in, telling the user of a
// failure: a first line that is no success line, or an error line of the engine after it (the
// transfer broke off: only part of it went through).
TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const AnswerCheck& check);
TransferResult runTableTransfer(const std::vector<std::string>& lines,
                                const TransferRequest& request, const std::string& errorSuffix);

}  // namespace vorn
