#include "plu/PluTransfer.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "comm/ReceiveGuard.h"
#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"
#include "plu/AcknowledgedPlus.h"
#include "plu/PluReferences.h"
#include "plu/PluTable.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TableBackup.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

inline constexpr const char* kCannotOpen = "Can't open file";
inline constexpr const char* kRangeError = "PLU range error!";
inline constexpr const char* kNothingRead = "cant read data";
inline constexpr const char* kChosenMissing = "Transfer error!";
inline constexpr const char* kNothingChanged =
    "The scale holds every PLU of the list as it is: nothing to send.";
inline constexpr const char* kChangedQuestion =
    " PLUs are new or changed since the scale last acknowledged them. Send them?";
inline constexpr const char* kOneChangedQuestion =
    " PLU is new or changed since the scale last acknowledged it. Send it?";
// The program serves the one scale of its directory.
inline constexpr const char* kThisScale = "01";

// The first line of trf.in after a request is read into a buffer of 230 characters; after a
// send, the first 100 bytes are shown as they are.
constexpr std::size_t kReceiveFirstLineLimit = 229;
constexpr std::size_t kSendAnswerShown = 100;

// The table of a received record line: characters 1 to 5, after the answer status.
constexpr std::string_view kPluTable = "00207";
constexpr std::string_view kLabelTable = "00208";
// The selection list's row and the part of the description it shows.
const char* const kSelectionRowFormat = "%4d\t%s%7s\t\t\t";
constexpr std::size_t kSelectionDescription = 19;

// Writes the lines, each ended by CR LF; tells and returns false when the file cannot be written.
bool writeLines(const char* name, const std::vector<std::string>& lines) {
    if (const FileProblem problem = writeTransferLines(name, lines); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
        return false;
    }
    return true;
}

// The text with its CR LF line ends as LF, as a text-mode read gives it.
std::string withLfLineEnds(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        text += bytes[i];
    }
    return text;
}

void tellFailure(const std::string& text) {
    tell(latin1ToUtf8(text + plutransfer::kErrorSuffix), PromptIcon::None,
         latin1ToUtf8(transferInWords()));
}

// After "PC->Sc": the first 100 bytes of trf.in shown with "error" unless they start with a
// result code of success; a later error line of the engine is shown the same way.
void checkSendAnswer() {
    const std::optional<std::string> bytes = readFileBytes(transferfile::kIn);
    if (!bytes) {
        return;
    }
    const std::string start = withLfLineEnds(*bytes).substr(0, kSendAnswerShown);
    if (!isSuccessLine(start)) {
        tellFailure(start);
        return;
    }
    if (const std::optional<std::string> failed = laterErrorLine(splitTextLines(*bytes))) {
        tellFailure(*failed + "\n");
    }
}

std::string noPluInRangeMessage(const PluRange& range) {
    return "No PLU of the list lies in the range " + std::to_string(range.first) + " to " +
           std::to_string(range.last) + ": nothing was sent.";
}

std::string damagedNotSentMessage(std::size_t count) {
    return std::to_string(count) + " damaged PLU row" + (count == 1 ? " was" : "s were") +
           " not sent.";
}

// Sends the lines and checks the answer; what the scale acknowledged goes into its record.
// A send of PLUs that point to a group, tare or text the tables lack goes on only when the user
// says so.
bool referencesConfirmed(const std::vector<PluPair>& pairs) {
    std::vector<TableReference> references;
    for (const PluPair& pair : pairs) {
        const std::vector<TableReference> more = pluReferences(pair);
        references.insert(references.end(), more.begin(), more.end());
    }
    return confirmSendDespite(danglingReferences(references));
}

void sendLines(const std::vector<std::string>& lines, std::size_t damaged) {
    if (!lines.empty()) {
        if (const FileProblem problem = writeTransferFile(lines); !problem.empty()) {
            tell(latin1ToUtf8(std::string(kCannotOpen) + "\n" + problem), PromptIcon::None,
                 transferfile::kOutUnwritable);
            return;
        }
        transferRunner().run(pluSendRequest());
        checkSendAnswer();
        const std::vector<std::string> answers =
            readTextLines(transferfile::kIn).value_or(std::vector<std::string>{});
        for (const FileProblem& problem : recordSentPlus(lines, answers, {})) {
            tell(problem, PromptIcon::Warning);
        }
    }
    if (damaged > 0) {
        tell(damagedNotSentMessage(damaged), PromptIcon::Warning);
    }
}

}  // namespace

TransferRequest pluSendRequest() {
    return {plutransfer::kMessage, false, plutransfer::kKeyWidth, plutransfer::kRecordsPerPlu,
            false};
}

TransferRequest pluReceiveRequest() {
    return {plutransfer::kMessage, true, 0, plutransfer::kRecordsPerPlu, false};
}

TransferRequest pluClearRequest() {
    return {plutransfer::kClearMessage, false, 0, 1, false};
}

std::vector<std::string> pluSendLines(const PluList& list, std::size_t begin, std::size_t end,
                                      std::size_t* damaged) {
    std::vector<std::string> lines;
    std::size_t skipped = 0;
    end = std::min(end, list.size());
    lines.reserve(2 * (end > begin ? end - begin : 0));
    for (std::size_t i = begin; i < end; ++i) {
        const PluPair& pair = list.pair(i);
        if (!pair.intact()) {
            ++skipped;
            continue;
        }
        lines.push_back(pair.plu);
        lines.push_back(pair.label);
    }
    if (damaged != nullptr) {
        *damaged = skipped;
    }
    return lines;
}

std::vector<std::string> pluSendLines(const std::vector<PluPair>& pairs) {
    std::vector<std::string> lines;
    lines.reserve(2 * pairs.size());
    for (const PluPair& pair : pairs) {
        lines.push_back(pair.plu);
        lines.push_back(pair.label);
    }
    return lines;
}

PluRange rangeOfRows(const PluList& list, const std::vector<std::size_t>& rows) {
    PluRange range;
    bool first = true;
    for (const std::size_t row : rows) {
        if (row >= list.size()) {
            continue;
        }
        const int n = list.number(row);
        range.first = first ? n : std::min(range.first, n);
        range.last = first ? n : std::max(range.last, n);
        first = false;
    }
    return range;
}

void sendPlus(const PluList& list, const std::function<std::optional<PluRange>()>& askRange) {
    if (list.empty()) {
        return;
    }
    if (const FileProblem problem = writeTransferFile({}); !problem.empty()) {
        tell(latin1ToUtf8(std::string(kCannotOpen) + "\n" + problem), PromptIcon::None,
             transferfile::kOutUnwritable);
        return;
    }
    const std::optional<PluRange> range = askRange();
    if (!range) {
        return;
    }
    if (range->last < range->first) {
        tell(kRangeError);
        return;
    }
    const auto [begin, end] = list.rangeOf(range->first, range->last);
    if (begin == end) {
        tell(noPluInRangeMessage(*range), PromptIcon::Information);
        return;
    }
    std::vector<PluPair> pairs;
    for (std::size_t i = begin; i < end; ++i) {
        if (list.pair(i).intact()) {
            pairs.push_back(list.pair(i));
        }
    }
    if (!referencesConfirmed(pairs)) {
        return;
    }
    std::size_t damaged = 0;
    sendLines(pluSendLines(list, begin, end, &damaged), damaged);
}

void sendSelectedPlus(const PluList& list, const std::vector<std::size_t>& rows) {
    std::vector<PluPair> pairs;
    std::size_t damaged = 0;
    for (std::size_t row : rows) {
        if (row >= list.size()) {
            continue;
        }
        if (list.pair(row).intact()) {
            pairs.push_back(list.pair(row));
        } else {
            ++damaged;
        }
    }
    if (referencesConfirmed(pairs)) {
        sendLines(pluSendLines(pairs), damaged);
    }
}

std::vector<PluPair> unacknowledgedPlus(const PluList& list) {
    std::vector<PluPair> pairs;
    pairs.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list.pair(i).intact()) {
            pairs.push_back(list.pair(i));
        }
    }
    return changedPlus(pairs, {loadAcknowledgedPlus(kThisScale)});
}

void sendChangedPlus(const PluList& list) {
    const std::vector<PluPair> changed = unacknowledgedPlus(list);
    if (changed.empty()) {
        tell(kNothingChanged, PromptIcon::Information);
        return;
    }
    const std::string count = std::to_string(changed.size());
    if (!confirm(count + (changed.size() == 1 ? kOneChangedQuestion : kChangedQuestion),
                 PromptIcon::Question)) {
        return;
    }
    if (referencesConfirmed(changed)) {
        sendLines(pluSendLines(changed), 0);
    }
}

SplitAnswers splitAnswers(const std::vector<std::string>& lines) {
    SplitAnswers split;
    for (const std::string& line : lines) {
        if (line.size() != plurecord::kLength && line.size() != labelrecord::kLength) {
            continue;
        }
        const std::string_view table = field(line, 1, kPluTable.size());
        if (table == kPluTable) {
            split.pluLines.push_back(line);
        } else if (table == kLabelTable) {
            split.labelLines.push_back(line);
        } else {
            split.foreignLine = line;
            break;
        }
    }
    return split;
}

bool writeSplitAnswers(const SplitAnswers& split) {
    return writeLines(transferfile::kPluRecordsIn, split.pluLines) &&
           writeLines(transferfile::kLabelRecordsIn, split.labelLines);
}

std::vector<PluPair> receivedPluPairs(const SplitAnswers& split) {
    // Each PLU gets the label-data record of its own number, so that a PLU whose label data did
    // not come cannot shift the others' onto the wrong PLUs.
    std::vector<PluPair> pairs;
    for (ReceivedPlu& plu : pairReceived(split.pluLines, split.labelLines)) {
        pairs.push_back({asStoredRecord(std::move(plu.plu)), asStoredRecord(std::move(plu.label))});
    }
    return pairs;
}

bool requestPlus() {
    if (const FileProblem problem = writeTransferFile({pluRequestLine(), labelRequestLine()});
        !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error, transferfile::kOutUnwritable);
        return false;
    }
    transferRunner().run(pluReceiveRequest());
    const std::optional<std::string> first = readFirstAnswerLine(kReceiveFirstLineLimit);
    if (!first || first->empty()) {
        tell(kNothingRead, PromptIcon::None, transferfile::kInEmpty);
        return false;
    }
    if (!isSuccessLine(*first)) {
        tellFailure(*first);
        return false;
    }
    const std::vector<std::string> lines = readAnswerLines();
    // A request that failed after the first (the label data never answered): nothing is taken.
    if (const std::optional<std::string> failed = laterErrorLine(lines)) {
        tellFailure(*failed + "\n");
        return false;
    }
    const SplitAnswers split = splitAnswers(lines);
    if (split.foreignLine) {
        tellFailure(*split.foreignLine + "\n");
        return false;
    }
    if (const std::string misfit = pluAnswerMisfit(split); !misfit.empty()) {
        tell(misfit, PromptIcon::Warning);
        return false;
    }
    if (!writeSplitAnswers(split)) {
        return false;
    }
    // The answer is every PLU the scale holds, whichever the user then takes.
    const FileProblem problem = recordReceivedPlus(kThisScale, receivedPluPairs(split));
    if (!problem.empty()) {
        tell(problem, PromptIcon::Warning);
    }
    return true;
}

std::vector<ReceivedPlu> pairReceived(const std::vector<std::string>& pluLines,
                                      const std::vector<std::string>& labelLines) {
    std::map<int, const std::string*> labels;  // the first label-data line of each number
    for (const std::string& label : labelLines) {
        labels.emplace(pluNumberOf(label), &label);
    }
    std::vector<ReceivedPlu> received;
    received.reserve(pluLines.size());
    for (const std::string& plu : pluLines) {
        const int h = pluNumberOf(plu);
        const auto label = labels.find(h);
        received.push_back({plu, label != labels.end() ? *label->second : defaultLabelLine(h)});
    }
    return received;
}

std::string pluAnswerMisfit(const SplitAnswers& split) {
    for (const auto* lines : {&split.pluLines, &split.labelLines}) {
        std::set<int> numbers;
        for (const std::string& line : *lines) {
            if (!numbers.insert(pluNumberOf(line)).second) {
                return "The scale sent " +
                       std::string(lines == &split.pluLines ? "PLU" : "the label data of PLU") +
                       " " + std::to_string(pluNumberOf(line)) + " twice. Nothing was taken.";
            }
        }
    }
    return {};
}

std::vector<ReceivedPlu> readReceivedPlus() {
    return pairReceived(
        readTextLines(transferfile::kPluRecordsIn).value_or(std::vector<std::string>{}),
        readTextLines(transferfile::kLabelRecordsIn).value_or(std::vector<std::string>{}));
}

std::string selectionRow(const ReceivedPlu& plu) {
    const std::int64_t price =
        decimalToUnits(field(plu.plu, plurecord::kPrice.pos, plurecord::kPrice.width), 0);
    return cformat(
        kSelectionRowFormat,
        {pluNumberOf(plu.plu), field(plu.plu, plurecord::kDescription.pos, kSelectionDescription),
         unitsToDecimal(price, 2)});
}

bool writeChosenPlus(const std::vector<ReceivedPlu>& received,
                     const std::vector<std::size_t>& chosen) {
    std::vector<std::string> pluLines;
    std::vector<std::string> labelLines;
    for (std::size_t index : chosen) {
        if (index < received.size()) {
            pluLines.push_back(received[index].plu);
            labelLines.push_back(received[index].label);
        }
    }
    return writeLines(transferfile::kChosenPluRecordsIn, pluLines) &&
           writeLines(transferfile::kChosenLabelRecordsIn, labelLines);
}

std::vector<PluPair> chosenPairs(const std::vector<std::string>& pluLines,
                                 const std::vector<std::string>& labelLines) {
    std::vector<PluPair> pairs;
    pairs.reserve(pluLines.size());
    for (ReceivedPlu& plu : pairReceived(pluLines, labelLines)) {
        if (plu.plu.size() != plurecord::kLength) {
            continue;
        }
        pairs.push_back({asStoredRecord(std::move(plu.plu)),
                         asStoredRecord(plu.label.substr(0, labelrecord::kLength))});
    }
    return pairs;
}

std::optional<std::vector<PluPair>> readChosenPlus() {
    const std::optional<std::vector<std::string>> pluLines =
        readTextLines(transferfile::kChosenPluRecordsIn);
    const std::optional<std::vector<std::string>> labelLines =
        readTextLines(transferfile::kChosenLabelRecordsIn);
    if (!pluLines || !labelLines) {
        tell(kChosenMissing);
        return std::nullopt;
    }
    return chosenPairs(*pluLines, *labelLines);
}

void receivePlus(PluTable& table, const std::function<bool()>& runSelection) {
    if (!requestPlus() || !runSelection()) {
        return;
    }
    // The chosen PLUs join the list; the file as it was is kept as the backup that the list
    // can restore.
    std::optional<std::vector<PluPair>> pairs = readChosenPlus();
    if (pairs && receiveMayReplace({"PLU", {plufile::kName}, std::nullopt, std::nullopt})) {
        table.take(std::move(*pairs));
    }
}

bool restorePluBackup() {
    if (!hasBackup(plufile::kName)) {
        tell("There is no backup of the PLU list yet: each receive from the scale keeps one.",
             PromptIcon::Information);
        return false;
    }
    if (!confirmIrreversible("Replace the PLU list with the one kept before the last receive from "
                             "the scale? Changes that were not saved are lost.")) {
        return false;
    }
    if (const FileProblem problem = restoreBackup(plufile::kName); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
        return false;
    }
    return true;
}

void clearScale() {
    if (!confirmIrreversible(plutransfer::kClearQuestion)) {
        return;
    }
    // Whatever the answer says, the scale may now hold fewer PLUs than the records of what it
    // acknowledged: they go, so that the next send that leaves out unchanged PLUs sends all.
    if (runTableTransfer({deleteAllPlusLine()}, pluClearRequest(), plutransfer::kErrorSuffix) !=
        TransferResult::NotRun) {
        forgetAcknowledgedPlus();
    }
}

}  // namespace vorn
