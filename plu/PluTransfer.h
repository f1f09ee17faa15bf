#pragma once
// The PLU transfers of the PLU list: "PC->Sc" sends the listed PLUs of a number range, "Send
// selected" the rows chosen, "Send changed" those the scale has not acknowledged as they are,
// "Sc->PC" requests every PLU of the scale, lets the user choose and takes the chosen ones into
// the list, and "Clear Scale" deletes every PLU in the scale. Each writes trf.out, runs the
// installed transfer runner and reads trf.in; the steps are plain functions on lines and files,
// so that batch transfers can use them too.
//
// A reception splits the answer lines into trf1.in (PLU records) and trf2.in (label-data
// records); the selection pairs each PLU record with its label-data record and writes the
// chosen pairs to trf3.in and trf4.in; taking reads those back.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "comm/TransferRunner.h"
#include "plu/PluList.h"
#include "plu/PluRecord.h"

namespace vorn {

class PluTable;

namespace plutransfer {
inline constexpr const char* kMessage = "Transfering PLU items,please wait...";
inline constexpr const char* kClearMessage = "Deleting PLU information,please wait...";
inline constexpr const char* kErrorSuffix = "error";
inline constexpr const char* kClearQuestion =
    "Do you want clear all PLU in scale ? they can not be restored!";
// The key of a PLU record after the envelope, and the answer lines that make one PLU.
inline constexpr int kKeyWidth = 6;
inline constexpr int kRecordsPerPlu = 2;
}  // namespace plutransfer

TransferRequest pluSendRequest();
TransferRequest pluReceiveRequest();
TransferRequest pluClearRequest();

// ---- "PC->Sc"

// The range chosen in the range dialog: From and To, both included ("Single": To is From).
struct PluRange {
    int first = 1;
    int last = 1000;
};

// The lines that send the rows [begin, end): each row's PLU record and label-data record.
// Damaged rows are not sent; *damaged counts them.
std::vector<std::string> pluSendLines(const PluList& list, std::size_t begin, std::size_t end,
                                      std::size_t* damaged = nullptr);
// The lines that send the pairs, as the batch transfer sends the PLU file: each pair's PLU
// record and label-data record.
std::vector<std::string> pluSendLines(const std::vector<PluPair>& pairs);

// The range the range dialog opens on: the lowest to the highest PLU number of the rows given,
// the default range when none is given.
PluRange rangeOfRows(const PluList& list, const std::vector<std::size_t>& rows);

// "PC->Sc": nothing for an empty list; "Can't open file" when trf.out cannot be created; asks
// the range (no value: Cancel); "PLU range error!" when To is below From; when no PLU lies in
// the range, says so; otherwise sends the rows and checks the answer.
void sendPlus(const PluList& list, const std::function<std::optional<PluRange>()>& askRange);

// "Send selected": sends the pairs of the list's rows (list indexes); damaged rows are not sent
// (told).
void sendSelectedPlus(const PluList& list, const std::vector<std::size_t>& rows);
// The intact pairs of the list that the scale does not hold as they are, by its record of what
// it acknowledged: the rule of the command line's changed-only send.
std::vector<PluPair> unacknowledgedPlus(const PluList& list);
// "Send changed": tells when there is nothing to send; else asks with the count and sends.
// Every send from the list brings the record of what the scale acknowledged up to date.
void sendChangedPlus(const PluList& list);

// ---- "Sc->PC"

// The answer lines of a request split by table: a line of exactly 189 or 133 characters is a
// record and goes by its characters 1 to 5 ("00207" PLU, "00208" label data); a record line of
// any other table is foreign and stops the split; lines of other lengths are passed over.
struct SplitAnswers {
    std::vector<std::string> pluLines;
    std::vector<std::string> labelLines;
    std::optional<std::string> foreignLine;
};
SplitAnswers splitAnswers(const std::vector<std::string>& lines);
// Writes the split to trf1.in and trf2.in; false (and told) when they cannot be written.
bool writeSplitAnswers(const SplitAnswers& split);
// The PLUs of a split answer as the PLU file keeps them: each PLU record with the label-data
// record of the same number (or the default one), both with '0' as first character and the
// operation "0000". (The batch transfer stores these, in answer order.)
std::vector<PluPair> receivedPluPairs(const SplitAnswers& split);

// Requests every PLU, checks the answer ("cant read data" for none, the first line and "error"
// for a failure, a foreign record line and "error") and writes trf1.in and trf2.in; the record
// of what the scale acknowledged then holds exactly the PLUs received. True when the selection
// can follow.
bool requestPlus();

// A received PLU: its PLU record line and the label-data line paired with it.
struct ReceivedPlu {
    std::string plu;
    std::string label;
    bool operator==(const ReceivedPlu&) const = default;
};

// Pairs each PLU record with the label-data record of its PLU number, wherever it stands in the
// answer (the scale's order is no promise); a PLU without one gets the default label-data line.
// Every reception (the list's, the batch's) and the taking of the chosen PLUs pair this way.
std::vector<ReceivedPlu> pairReceived(const std::vector<std::string>& pluLines,
                                      const std::vector<std::string>& labelLines);
// Why a split answer is no PLU table, in words (a PLU, or its label data, sent twice); the empty
// text when it is one.
std::string pluAnswerMisfit(const SplitAnswers& split);
// The pairs of trf1.in and trf2.in (missing files hold nothing).
std::vector<ReceivedPlu> readReceivedPlus();
// The selection list's row of a received PLU: "%4d\t%s%7.2f\t\t\t" of the PLU number, the
// description's first 19 characters and the price.
std::string selectionRow(const ReceivedPlu& plu);
// "SelectUpdate" and "AllUpdate": writes the chosen PLUs to trf3.in and trf4.in, in order.
bool writeChosenPlus(const std::vector<ReceivedPlu>& received,
                     const std::vector<std::size_t>& chosen);

// The pairs to take from the lines of trf3.in and trf4.in: each PLU record line of 189
// characters with the label-data line of its PLU number (its first 133 characters, or the
// default line when there is none), both with '0' as first character and operation "0000".
// Lines of other lengths are passed over.
std::vector<PluPair> chosenPairs(const std::vector<std::string>& pluLines,
                                 const std::vector<std::string>& labelLines);
// The pairs of trf3.in and trf4.in; no value ("Transfer error!" told) when either is missing.
std::optional<std::vector<PluPair>> readChosenPlus();

// "Sc->PC" as a whole: request, run the selection (true when it ended with a choice made by
// "SelectUpdate" or "AllUpdate"), take the chosen PLUs into the table.
void receivePlus(PluTable& table, const std::function<bool()>& runSelection);

// "Restore Backup": asks, then puts back the PLU file as it was before the last receive (kept
// in backup/ by every receive). True when the file was restored: the list reloads it.
bool restorePluBackup();

// ---- "Clear Scale"

// Asks first; on OK sends the delete line and checks the answer. The list is not changed; the
// records of what the scales acknowledged are removed.
void clearScale();

}  // namespace vorn
