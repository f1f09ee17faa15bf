#include "batch/SetupCategorySteps.h"

#include <fstream>

#include "batch/StepFiles.h"
#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/setup/LabelFile.h"
#include "editors/setup/OperatorConfig.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/PrintfFormat.h"
#include "tables/TextFiles.h"

namespace vorn {

namespace {

constexpr const char* kNoDiscountNumber = "0";

}  // namespace

// ---- Preset keys

std::optional<TransferSettings> sendPresetKeys(const BatchContext&) {
    if (!readFileBytes(tablefile::kPresetKeys.name)) {
        return std::nullopt;
    }
    const LoadedPresetKeys loaded = loadKeyFile();
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    const PresetSendLines send = presetSendLines(loaded.keys, PresetLineForm::Batch);
    if (!send.problem.empty()) {
        tellNotSent(std::string(tablefile::kPresetKeys.name) + ": " + send.problem);
        return std::nullopt;
    }
    return transferOf(send.lines);
}

std::optional<TransferSettings> requestPresetKeys(const BatchContext&) {
    return transferOf(presetRequestLines());
}

PresetKeys presetKeysOfAnswer(const std::vector<std::string>& lines) {
    PresetKeys keys;
    applyPresetAnswer(keys, parsePresetAnswer(lines));
    if (!keys.discount) {
        keys.discountNumber = kNoDiscountNumber;
    }
    return keys;
}

StoreOutcome storePresetKeys(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveKeyFile(presetKeysOfAnswer(answer.lines), KeyFileRows::LayerKeysOnly));
}

// ---- Label layouts

std::optional<TransferSettings> sendLabelLayouts(const BatchContext&) {
    emptyTransferFile();
    std::vector<std::string> lines;
    for (const char* file : labellayout::kBatchFiles) {
        const std::optional<std::string> line =
            readFirstLine(file, labellayout::kBatchLineLimit + 1);
        if (!line) {
            continue;
        }
        if (line->size() > labellayout::kBatchLineLimit) {
            tellNotSent(std::string(file) + ": its layout is longer than " +
                        std::to_string(labellayout::kBatchLineLimit) + " characters");
            return std::nullopt;
        }
        lines.push_back(batchLayoutLineForSending(*line));
        lines.emplace_back();
    }
    return transferOf(lines);
}

std::optional<TransferSettings> requestLabelLayouts(const BatchContext&) {
    std::vector<std::string> lines;
    for (int n = 1; n <= labellayout::kLabels; ++n) {
        lines.push_back(layoutRequestLine(n));
    }
    return transferOf(lines);
}

std::vector<std::optional<std::string>> layoutsOfAnswer(const std::vector<std::string>& lines) {
    // Each request is answered by one line: the layout, or for an empty slot the request itself,
    // which is no layout and must not become one.
    std::vector<std::optional<std::string>> layouts;
    for (const std::string& line : lines) {
        if (layouts.size() == static_cast<std::size_t>(labellayout::kLabels)) {
            break;
        }
        if (!isAnswerRecord(line)) {
            continue;
        }
        layouts.push_back(isLayoutAnswer(line) ? std::optional(batchLayoutLineForStoring(line))
                                               : std::nullopt);
    }
    return layouts;
}

StoreOutcome storeLabelLayouts(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    const std::vector<std::optional<std::string>> layouts = layoutsOfAnswer(answer.lines);
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i]) {
            const FileProblem problem =
                writeTextLines(labellayout::kBatchFiles[i], {*layouts[i], std::string()});
            if (!problem.empty()) {
                return storedOrTold(problem);
            }
        }
    }
    return StoreOutcome::Stored;
}

// ---- Operator configuration

std::optional<TransferSettings> sendModeFile(const BatchContext&) {
    const std::optional<std::string> bytes = readFileBytes(moderecord::kFile);
    if (!bytes) {
        return std::nullopt;
    }
    // The file goes as it is; one that holds no configuration record is not sent at all.
    if (!recordOfLine(firstLineOfText(*bytes, moderecord::kLineLimit))) {
        tellNotSent(std::string(moderecord::kFile) + " holds no configuration record");
        return std::nullopt;
    }
    std::ofstream out(transferfile::kOut, std::ios::binary | std::ios::trunc);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    out.close();
    if (!out) {
        tell(std::string("Can't write ") + transferfile::kOut + "!", PromptIcon::Error);
        return std::nullopt;
    }
    return TransferSettings{};
}

std::optional<TransferSettings> requestModeRecord(const BatchContext&) {
    return transferOf({cformat(moderecord::kBatchRequestFormat, {0})});
}

StoreOutcome storeModeRecord(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    const std::optional<std::string> record = storedModeRecord(answer.lines.front());
    if (!record) {
        tell(std::string("The scale's answer holds no configuration record; ") + moderecord::kFile +
                 " was left as it was.",
             PromptIcon::Warning);
        return StoreOutcome::NotStored;
    }
    return storedOrTold(saveModeRecord(*record));
}

}  // namespace vorn
