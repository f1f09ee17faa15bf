#include "plu/PluTable.h"

#include "platform/Prompter.h"
#include "plu/PluFile.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {

inline constexpr const char* kDamagedRowQuestion = "the record is error,delete?";
inline constexpr const char* kDeleteQuestion = "Delete PLU?";

std::string damagedPairsMessage(std::size_t count) {
    return std::string(plufile::kName) + " holds " + std::to_string(count) + " damaged PLU record" +
           (count == 1 ? "" : "s") +
           " (lines of the wrong length). They are kept unchanged; open one with Edit to delete "
           "it.";
}

std::string replacePluQuestion(int number) {
    return "PLU " + std::to_string(number) + " is already in the list. Replace it?";
}

std::string replaceRefusedFileQuestion() {
    return std::string(plufile::kName) + " was not loaded (" + plufile::kForeignMessage +
           "). Replace it with the PLUs of this list?";
}

}  // namespace

bool& pluReloadPending() {
    static bool pending = false;
    return pending;
}

PluTable::PluTable() : current_(templatePair()) {}

void PluTable::makeCurrent(const PluPair& pair) {
    // A damaged pair never becomes the base of a new one.
    if (pair.intact()) {
        current_ = pair;
    }
}

void PluTable::load() {
    list_.clear();
    fileIdentity_ = pluFileIdentity();
    PluFileContent content = readPluFile();
    refusedFile_ = content.status == PluFileContent::Status::Foreign;
    if (refusedFile_) {
        savedBytes_ = fileBytes();
        tell(plufile::kForeignMessage);
        return;
    }
    for (auto it = content.pairs.rbegin(); it != content.pairs.rend(); ++it) {
        if (it->intact()) {
            current_ = *it;
            break;
        }
    }
    list_.addAll(std::move(content.pairs));
    savedBytes_ = fileBytes();
    if (content.damaged > 0) {
        tell(latin1ToUtf8(damagedPairsMessage(content.damaged)), PromptIcon::Warning);
    }
}

std::string pluFileBytesOf(const PluList& list) {
    std::string bytes = pluFileStart();
    bytes.reserve(bytes.size() + list.size() * (plurecord::kLength + labelrecord::kLength + 4));
    for (std::size_t i = 0; i < list.size(); ++i) {
        appendPluPair(bytes, list.pair(i));
    }
    return bytes;
}

std::string PluTable::fileBytes() const {
    return pluFileBytesOf(list_);
}

bool PluTable::save() {
    if (refusedFile_ && !confirmIrreversible(replaceRefusedFileQuestion())) {
        return false;
    }
    std::string bytes = fileBytes();
    const FileProblem problem = savePluFile(bytes);
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error);
        return false;
    }
    savedBytes_ = std::move(bytes);
    refusedFile_ = false;
    fileIdentity_ = pluFileIdentity();
    return true;
}

bool PluTable::fileChangedSinceLoadOrSave() const {
    return pluFileIdentity() != fileIdentity_;
}

int PluTable::proposedNumber() const {
    return list_.empty() ? 1 : list_.number(list_.size() - 1) + 1;
}

std::optional<std::size_t> PluTable::addValues(const PluValues& values) {
    PluPair pair = current_;
    const std::string problem = encodeValues(values, pair);
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Warning);
        return std::nullopt;
    }
    current_ = pair;
    return list_.add(std::move(pair)).index;
}

std::optional<std::size_t> PluTable::placeEdited(const PluValues& values,
                                                 std::optional<int> movedFrom) {
    const int number = intValue(values.pluNumber);
    if (number != movedFrom && list_.placeOf(number).replaces &&
        !confirm(replacePluQuestion(number))) {
        return std::nullopt;
    }
    const std::optional<std::size_t> row = addValues(values);
    if (!row || !movedFrom || *movedFrom == number) {
        return row;
    }
    if (const PluList::Place old = list_.placeOf(*movedFrom); old.replaces) {
        list_.removeAt(old.index);
    }
    return list_.placeOf(number).index;
}

std::optional<std::size_t> PluTable::add(const PluEditorRun& runEditor) {
    PluValues fresh;
    fresh.pluNumber = std::to_string(proposedNumber());
    const std::optional<PluValues> values = runEditor(fresh);
    return values ? placeEdited(*values, std::nullopt) : std::nullopt;
}

std::optional<std::size_t> PluTable::edit(std::size_t index, const PluEditorRun& runEditor) {
    if (index >= list_.size()) {
        return std::nullopt;
    }
    if (!list_.pair(index).intact()) {
        if (prompter().ask(Prompt{kDamagedRowQuestion, PromptButtons::OkCancel, PromptIcon::None,
                                  std::string()}) == PromptAnswer::Ok) {
            list_.removeAt(index);
        }
        return std::nullopt;
    }
    current_ = list_.pair(index);
    markToStore(current_.plu);
    markToStore(current_.label);
    const int number = list_.number(index);
    const std::optional<PluValues> values = runEditor(decodePair(current_));
    return values ? placeEdited(*values, number) : std::nullopt;
}

bool PluTable::deleteRows(const std::vector<std::size_t>& selected,
                          std::optional<std::size_t> caret) {
    if (!confirmIrreversible(kDeleteQuestion)) {
        return false;
    }
    if (!selected.empty()) {
        list_.removeRows(selected);
        return true;
    }
    if (caret && *caret < list_.size()) {
        list_.removeAt(*caret);
        return true;
    }
    return false;
}

void PluTable::take(std::vector<PluPair> pairs) {
    if (pairs.empty()) {
        return;
    }
    makeCurrent(pairs.back());
    list_.addAll(std::move(pairs));
}

}  // namespace vorn
