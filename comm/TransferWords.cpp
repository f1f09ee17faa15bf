#include "comm/TransferWords.h"

#include <array>
#include <utility>

#include "comm/LineExchange.h"
#include "comm/RecordLine.h"

namespace vorn {

namespace {

constexpr const char* kPlu = "PLU";

// The tables by the code of their records.
constexpr std::array<std::pair<std::string_view, const char*>, 20> kTables{{
    {"02", "Operator setup"},
    {"04", "Operator"},
    {"07", kPlu},
    {"08", "PLU label data"},
    {"09", "Extra Text"},
    {"10", "Group"},
    {"11", "Header Bottom"},
    {"12", "Store Address"},
    {"13", "Marquee Message"},
    {"14", "Bar Code"},
    {"15", "Tare"},
    {"16", "Preset Key"},
    {"18", "VAT"},
    {"19", "DateText"},
    {"20", "Advertisement"},
    {"21", "Discount"},
    {"33", "Preset Key"},
    {"38", "Datetime"},
    {"43", "Default Label"},
    {"60", "Label layout"},
}};

// The engine's error codes in words.
constexpr std::array<std::pair<int, const char*>, 9> kErrors{{
    {lineError::kNoAnswerByte, "the scale did not answer in time"},
    {lineError::kAnswerTooLong, "the scale's answer was too long"},
    {lineError::kBadAnswer, "the scale's answer was damaged or did not fit the request"},
    {lineError::kNoAck, "the scale did not acknowledge the record"},
    {lineError::kWriteFailed, "the record could not be written to the line"},
    {lineError::kNak, "the scale refused the record"},
    {lineError::kUserBreak, "the transfer was stopped"},
    {lineError::kEndlessAnswer, "the scale's answer did not end"},
    {lineError::kNoProgress, "the scale stopped answering"},
}};

// Every outcome of a transfer that did not succeed goes on with what ended it after this.
constexpr std::string_view kThen = "; then ";
// A receive whose answer was not taken into the table goes on with the reason after this.
constexpr std::string_view kNotTaken = "; not taken: ";

std::string records(int n) {
    return std::to_string(n) + (n == 1 ? " record" : " records");
}

// A PLU goes as two records: its PLU record and its label-data record.
std::string plus(int records) {
    const int n = records / 2;
    return std::to_string(n) + (n == 1 ? " PLU" : " PLUs");
}

}  // namespace

std::string tableNameOfLine(std::string_view line) {
    const std::string_view code = tableCode(line);
    for (const auto& [c, name] : kTables) {
        if (c == code) {
            return name;
        }
    }
    return "table " + std::string(code);
}

std::string errorLineInWords(std::string_view line) {
    if (line.size() < 5 || line.substr(0, 2) != "02") {
        return {};
    }
    int code = 0;
    for (const char c : line.substr(2, 3)) {
        if (c < '0' || c > '9') {
            return {};
        }
        code = code * 10 + (c - '0');
    }
    for (const auto& [c, words] : kErrors) {
        if (c == code) {
            return words;
        }
    }
    return {};
}

ScaleTransfer::Direction directionOfLine(std::string_view line) {
    const std::string_view op = operation(line);
    if (op == envelope::kDeletePlu) {
        return ScaleTransfer::Direction::Delete;
    }
    if (op == envelope::kRequestAll || op == envelope::kRequestNamed) {
        return ScaleTransfer::Direction::Receive;
    }
    return ScaleTransfer::Direction::Send;
}

const char* directionWord(ScaleTransfer::Direction direction) {
    switch (direction) {
        case ScaleTransfer::Direction::Receive:
            return "receive";
        case ScaleTransfer::Direction::Delete:
            return "delete";
        case ScaleTransfer::Direction::Send:
            break;
    }
    return "send";
}

bool succeeded(const ScaleTransfer& t) {
    return t.failure.empty() && !t.stopped && t.linesDone == t.lines;
}

std::string outcomeInWords(const ScaleTransfer& t) {
    const std::string scale = t.scale.empty() ? std::string("the scale") : "scale " + t.scale;
    if (succeeded(t)) {
        switch (t.direction) {
            case ScaleTransfer::Direction::Receive:
                return (t.table == kPlu ? plus(t.records) : records(t.records)) +
                       " received from " + scale;
            case ScaleTransfer::Direction::Delete:
                return "deleted in " + scale;
            case ScaleTransfer::Direction::Send:
                break;
        }
        return (t.table == kPlu ? plus(t.lines) : records(t.lines)) + " sent to " + scale;
    }
    std::string text =
        t.direction == ScaleTransfer::Direction::Send
            ? std::to_string(t.linesDone) + " of " + records(t.lines) + " reached " + scale
            : "failed at " + scale + " after " + records(t.records) + " received";
    if (t.stopped) {
        return text + std::string(kThen) + "the transfer was stopped";
    }
    const std::string words = errorLineInWords(t.failure);
    const std::string code = t.failure.substr(0, 5);
    return text + std::string(kThen) +
           (words.empty() ? "the scale answered " + code : words + " (" + code + ")");
}

std::string notTakenInWords(const std::string& outcome, const std::string& reason) {
    return outcome + std::string(kNotTaken) + reason;
}

bool isFailureInWords(const std::string& outcome) {
    return outcome.find(kThen) != std::string::npos || outcome.find(kNotTaken) != std::string::npos;
}

}  // namespace vorn
