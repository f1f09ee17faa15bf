#include "plu/AcknowledgedPlus.h"

#include <filesystem>
#include <unordered_map>

#include "comm/RecordLine.h"
#include "plu/PluFile.h"
#include "tables/Archive.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr std::string_view kFilePrefix = "pluack";
constexpr std::string_view kFileSuffix = ".dat";
constexpr std::string_view kPluTable = "07";
constexpr std::string_view kLabelTable = "08";
constexpr const char* kSingleScale = "01";
// An answer to a PLU line holds at least the envelope and the PLU number.
constexpr std::size_t kKeyedAnswerLength = envelope::kLength + plurecord::kPluNumber.width;

// A pair that names one PLU in both of its records, of their tables and lengths.
bool wellFormed(const PluPair& pair) {
    return pair.intact() && tableCode(pair.plu) == kPluTable &&
           tableCode(pair.label) == kLabelTable &&
           field(pair.plu, plurecord::kPluNumber.pos, plurecord::kPluNumber.width) ==
               field(pair.label, labelrecord::kPluNumber.pos, labelrecord::kPluNumber.width);
}

// The pairs that can be trusted.
AcknowledgedPlus trustedPlus(const std::vector<PluPair>& pairs) {
    AcknowledgedPlus plus;
    std::set<int> repeated;
    for (const PluPair& pair : pairs) {
        if (!wellFormed(pair)) {
            continue;
        }
        const int number = pluNumberOf(pair.plu);
        if (!plus.emplace(number, pair).second) {
            repeated.insert(number);
        }
    }
    for (const int number : repeated) {
        plus.erase(number);
    }
    return plus;
}

}  // namespace

std::string acknowledgedPluFile(std::string_view scaleNumber) {
    return std::string(kFilePrefix) + std::string(scaleNumber) + std::string(kFileSuffix);
}

AcknowledgedPlus parseAcknowledgedPlus(std::string_view bytes) {
    return trustedPlus(parsePluFile(bytes).pairs);
}

std::string acknowledgedPlusBytes(const AcknowledgedPlus& plus) {
    std::string bytes = pluFileStart();
    bytes.reserve(bytes.size() + plus.size() * (plurecord::kLength + labelrecord::kLength + 4));
    for (const auto& [number, pair] : plus) {
        appendPluPair(bytes, pair);
    }
    return bytes;
}

AcknowledgedPlus loadAcknowledgedPlus(std::string_view scaleNumber) {
    const std::optional<std::string> bytes = readFileBytes(acknowledgedPluFile(scaleNumber));
    return bytes ? parseAcknowledgedPlus(*bytes) : AcknowledgedPlus{};
}

FileProblem saveAcknowledgedPlus(std::string_view scaleNumber, const AcknowledgedPlus& plus) {
    return writeFileAtomically(acknowledgedPluFile(scaleNumber), acknowledgedPlusBytes(plus));
}

void forgetAcknowledgedPlus() {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(".", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == kFilePrefix.size() + 2 + kFileSuffix.size() &&
            name.starts_with(kFilePrefix) && name.ends_with(kFileSuffix)) {
            fs::remove(entry.path(), ec);
        }
    }
}

std::vector<PluPair> changedPlus(const std::vector<PluPair>& pairs,
                                 const std::vector<AcknowledgedPlus>& records) {
    std::unordered_map<int, int> occurrences;
    for (const PluPair& pair : pairs) {
        ++occurrences[pluNumberOf(pair.plu)];
    }
    std::vector<PluPair> changed;
    for (const PluPair& pair : pairs) {
        const int number = pluNumberOf(pair.plu);
        bool held = occurrences[number] == 1 && !records.empty();
        for (std::size_t i = 0; held && i < records.size(); ++i) {
            const auto it = records[i].find(number);
            held = it != records[i].end() && it->second == pair;
        }
        if (!held) {
            changed.push_back(pair);
        }
    }
    return changed;
}

std::vector<PluPair> pairsOfLines(const std::vector<std::string>& lines) {
    std::vector<PluPair> pairs;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        PluPair pair{lines[i], lines[i + 1]};
        if (wellFormed(pair)) {
            pairs.push_back(std::move(pair));
            ++i;
        }
    }
    return pairs;
}

std::map<std::string, std::set<int>> acknowledgedByScale(const std::vector<PluPair>& sent,
                                                         const std::vector<std::string>& answers,
                                                         const std::vector<std::string>& scales) {
    std::map<std::string, std::set<int>> acknowledged;
    const std::vector<std::string> served =
        scales.empty() ? std::vector<std::string>{kSingleScale} : scales;
    std::size_t next = 0;  // the next answer line
    // Whether the next answer is a success of this scale for the line of this PLU number. With a
    // list, the scale number tells the scales' answers apart also where a failed answer left no
    // line at all.
    const auto takeAnswer = [&](const std::string& scale, int number) {
        if (next >= answers.size()) {
            return false;
        }
        const std::string& answer = answers[next];
        // An error line, or what came of a broken answer, ends the scale's answers.
        if (!isSuccessLine(answer) || answer.size() < kKeyedAnswerLength) {
            ++next;
            return false;
        }
        if (!scales.empty() && field(answer, envelope::kScale, 2) != scale) {
            return false;  // the next scale's answer: this scale left no line for its failure
        }
        ++next;
        return pluNumberOf(answer) == number;
    };
    for (const std::string& scale : served) {
        std::set<int>& taken = acknowledged[scale];
        for (const PluPair& pair : sent) {
            const int number = pluNumberOf(pair.plu);
            if (!takeAnswer(scale, number) || !takeAnswer(scale, number)) {
                break;
            }
            taken.insert(number);
        }
    }
    return acknowledged;
}

void takeAcknowledged(AcknowledgedPlus& record, const std::vector<PluPair>& sent,
                      const std::set<int>& acknowledged) {
    for (const PluPair& pair : sent) {
        const int number = pluNumberOf(pair.plu);
        if (acknowledged.count(number) != 0) {
            record[number] = pair;
        }
    }
}

std::vector<FileProblem> recordSentPlus(const std::vector<std::string>& sentLines,
                                        const std::vector<std::string>& answers,
                                        const std::vector<std::string>& scales) {
    const std::vector<PluPair> sent = pairsOfLines(sentLines);
    std::vector<FileProblem> problems;
    for (const auto& [scale, acknowledged] : acknowledgedByScale(sent, answers, scales)) {
        if (acknowledged.empty()) {
            continue;
        }
        AcknowledgedPlus record = loadAcknowledgedPlus(scale);
        takeAcknowledged(record, sent, acknowledged);
        FileProblem problem = saveAcknowledgedPlus(scale, record);
        if (!problem.empty()) {
            problems.push_back(std::move(problem));
        }
    }
    return problems;
}

FileProblem recordReceivedPlus(std::string_view scaleNumber, const std::vector<PluPair>& received) {
    return saveAcknowledgedPlus(scaleNumber, trustedPlus(received));
}

}  // namespace vorn
