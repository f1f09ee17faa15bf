#include "editors/setup/OperatorConfig.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "platform/Prompter.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

using namespace moderecord;

unsigned bit(bool on, unsigned mask) {
    return on ? mask : 0u;
}

}  // namespace

int printerMediaEntry(char code) {
    const int digit = code >= '0' && code <= '9' ? code - '0' : 0;
    switch (digit % 7) {
        case 1:
            return 1;
        case 2:
            return 2;
        case 4:
            return 3;
        case 6:
            return -1;
        default:
            return 0;
    }
}

char printerMediaCode(int entry) {
    switch (entry) {
        case 1:
            return '1';
        case 2:
            return '2';
        case 3:
            return '4';
        default:
            return '0';
    }
}

ModeSettings settingsOfRecord(std::string_view record) {
    const unsigned w1 = hexValue(field(record, kWord1Pos, 4));
    const unsigned w2 = hexValue(field(record, kWord2Pos, 4));
    ModeSettings s;
    s.barcode = (w1 & kBarcodeBit) != 0;
    s.barcodeOnStub = (w1 & kBarcodeOnStubBit) != 0;
    s.totalWeight = (w1 & kTotalWeightBit) != 0;
    s.pluNumber = (w1 & kPluNumberBit) != 0;
    s.stub = (w1 & kStubBit) != 0;
    s.header = (w1 & kHeaderBit) != 0;
    s.footer = (w1 & kFooterBit) != 0;
    s.marquee = (w1 & kMarqueeBit) != 0;
    s.hiddenRadio = (w2 & kHiddenRadioBit) != 0 ? 1 : 0;
    s.ticketNumberOnLabel = (w2 & kTicketNumberOnLabelBit) != 0;
    s.powerOnMode = (w2 & kPrepackModeBit) != 0 ? 1 : 0;
    s.tareDisplay = (w2 & kTareDisplayBit) != 0;
    s.printerMedia = printerMediaEntry(record.size() > kMediaPos ? record[kMediaPos] : '0');
    return s;
}

std::string recordWithSettings(std::string record, const ModeSettings& s) {
    record.resize(kLength, '0');
    const unsigned w1 = bit(s.barcode, kBarcodeBit) | bit(s.barcodeOnStub, kBarcodeOnStubBit) |
                        bit(s.totalWeight, kTotalWeightBit) | bit(s.pluNumber, kPluNumberBit) |
                        bit(s.stub, kStubBit) | bit(s.header, kHeaderBit) |
                        bit(s.footer, kFooterBit) | kAlwaysSetBit | bit(s.marquee, kMarqueeBit);
    const unsigned w2 = bit(s.hiddenRadio != 0, kHiddenRadioBit) |
                        bit(s.ticketNumberOnLabel, kTicketNumberOnLabelBit) |
                        bit(s.powerOnMode != 0, kPrepackModeBit) |
                        bit(s.tareDisplay, kTareDisplayBit);
    record.replace(kWord1Pos, 4, cformat("%04X", {w1}));
    record.replace(kWord2Pos, 4, cformat("%04X", {w2}));
    record[kMediaPos] = printerMediaCode(s.printerMedia);
    record[0] = '0';
    record.replace(envelope::kOperation, 4, envelope::kStore);
    return record;
}

std::optional<std::string> recordOfLine(std::string_view line) {
    if (line.size() < kLength) {
        return std::nullopt;
    }
    return std::string(line.substr(0, kLength));
}

std::optional<std::string> storedModeRecord(std::string_view answerLine) {
    std::optional<std::string> record = recordOfLine(answerLine);
    if (record) {
        (*record)[0] = '0';
        record->replace(envelope::kOperation, 4, envelope::kStore);
    }
    return record;
}

std::string saveModeRecord(const std::string& record) {
    return writeTextLines(kFile, {record});
}

namespace {

// The configuration of a first line that holds a record; none for a shorter line.
std::optional<ModeConfig> configOfLine(std::string_view line) {
    std::optional<std::string> record = recordOfLine(line);
    if (!record) {
        return std::nullopt;
    }
    ModeSettings settings = settingsOfRecord(*record);
    return ModeConfig{std::move(*record), settings};
}

LoadedTable<ModeConfig> loadConfig() {
    LoadedTable<ModeConfig> table;
    const std::optional<std::string> line = readFirstLine(kFile, kLineLimit);
    table.found = line.has_value();
    if (!line) {
        table.rows.settings.printerMedia = 0;
    } else if (std::optional<ModeConfig> config = configOfLine(*line)) {
        table.rows = std::move(*config);
    }
    return table;
}

}  // namespace

TableRoundTrip<ModeConfig> modeRoundTrip(TableForm form) {
    const bool batch = form == TableForm::Batch;
    return {
        .load = &loadConfig,
        .save = [](const ModeConfig& config) { return saveModeRecord(config.record); },
        .records = [](const ModeConfig& config) { return TableRecords{{config.record}}; },
        .request =
            [batch] {
                return std::vector<std::string>{batch ? cformat(kBatchRequestFormat, {0})
                                                      : std::string(kRequest)};
            },
        .rowsOfAnswer =
            [batch](const std::vector<std::string>& lines, const ModeConfig& before) {
                AnswerRows<ModeConfig> answer{before, {}};
                const std::string first = lines.empty() ? std::string() : lines.front();
                if (!batch) {
                    if (std::optional<ModeConfig> config = configOfLine(first)) {
                        answer.rows = std::move(*config);
                    }
                } else if (std::optional<std::string> record = storedModeRecord(first)) {
                    answer.rows.record = std::move(*record);
                } else {
                    answer.refusal = std::string(
                                         "The scale's answer holds no configuration "
                                         "record; ") +
                                     kFile + " was left as it was.";
                }
                return answer;
            },
        .files = {kFile},
    };
}

void OperatorConfig::open() {
    config_ = modeRoundTrip(TableForm::Dialog).load().rows;
}

const ModeConfig& OperatorConfig::written() {
    config_.record = recordWithSettings(config_.record, config_.settings);
    return config_;
}

bool OperatorConfig::save() {
    const std::string problem = modeRoundTrip(TableForm::Dialog).save(written());
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

void OperatorConfig::send() {
    sendTable(modeRoundTrip(TableForm::Dialog), written(), TransferRequest{kTransferMessage, false},
              AnswerCheck{kErrorSuffix});
}

void OperatorConfig::receive() {
    receiveTable(modeRoundTrip(TableForm::Dialog), config_, TransferRequest{kTransferMessage, true},
                 AnswerCheck{kErrorSuffix});
}

}  // namespace vorn
