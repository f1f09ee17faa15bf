#include "shell/StoreList.h"

#include <algorithm>
#include <cctype>

#include "tables/TextPieces.h"

namespace vorn {

namespace {
int compareRows(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

std::string padRight(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

bool validIndex(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}
}  // namespace

std::string scaleNameFromTyped(const std::string& typed) {
    const std::string trimmed = rightTrimmed(typed);
    return trimmed.substr(std::min(trimmed.find_first_not_of(' '), trimmed.size()));
}

namespace {
std::string directoryNameProblem(const std::string& name) {
    const std::string trimmed = rightTrimmed(name);
    if (trimmed.find_first_of("/\\") != std::string::npos || trimmed == "." || trimmed == "..") {
        return "A name cannot hold / or \\, nor be . or ..";
    }
    return {};
}
}  // namespace

std::string storeNameProblem(const std::string& name) {
    if (name.size() > kMaxStoreName) {
        return "Enter no more than 50 characters.";
    }
    return directoryNameProblem(name);
}

std::string scaleNameProblem(const std::string& name) {
    const std::string kept = scaleNameFromTyped(name);
    if (kept.size() > kMaxScaleName) {
        return "A scale name can have at most 10 characters.";
    }
    return directoryNameProblem(kept);
}

std::string storeEntry(const std::string& storeName, const std::vector<std::string>& scales) {
    std::string entry = padRight(storeName, kStoreNameWidth);
    for (const std::string& scale : scales) {
        entry += padLeft(rightTrimmed(scale), kScaleSlotWidth);
    }
    return entry;
}

std::string storeNameOf(const std::string& entry) {
    return rightTrimmed(entry.substr(0, kStoreNameWidth));
}

std::vector<std::string> scaleNamesOf(const std::string& entry) {
    std::vector<std::string> names;
    if (entry.size() < kStoreNameWidth) {
        return names;
    }
    for (std::size_t at = kStoreNameWidth; at + kScaleSlotWidth <= entry.size();
         at += kScaleSlotWidth) {
        const std::string slot = entry.substr(at, kScaleSlotWidth);
        const std::size_t first = slot.find_first_not_of(' ');
        names.push_back(first == std::string::npos ? std::string() : slot.substr(first));
    }
    return names;
}

std::size_t insertSorted(std::vector<std::string>& rows, const std::string& row) {
    const auto at = std::upper_bound(
        rows.begin(), rows.end(), row,
        [](const std::string& a, const std::string& b) { return compareRows(a, b) < 0; });
    const auto inserted = rows.insert(at, row);
    return static_cast<std::size_t>(inserted - rows.begin());
}

std::string scaleTitle(const std::string& storeName, const std::string& scaleRow) {
    return kScaleTitlePrefix + storeName + "->" + scaleRow.substr(0, kTitleScaleChars);
}

void StoreScaleLists::load(const std::vector<std::string>& entries) {
    stores_.clear();
    for (const std::string& entry : entries) {
        insertSorted(stores_, entry);
    }
    scales_.clear();
    store_ = -1;
    scale_ = -1;
    if (!stores_.empty()) {
        selectStore(0);
    }
}

void StoreScaleLists::selectStore(int index) {
    scales_.clear();
    scale_ = -1;
    store_ = validIndex(index, stores_.size()) ? index : -1;
    if (store_ < 0) {
        return;
    }
    for (const std::string& name : scaleNamesOf(stores_[store_])) {
        insertSorted(scales_, name);
    }
    scale_ = scales_.empty() ? -1 : 0;
}

void StoreScaleLists::selectScale(int index) {
    scale_ = validIndex(index, scales_.size()) ? index : -1;
}

AddOutcome StoreScaleLists::addStore(const std::string& name) {
    const std::string trimmed = rightTrimmed(name);
    if (trimmed.empty()) {
        return AddOutcome::Empty;
    }
    if (storeNameTaken(trimmed)) {
        return AddOutcome::Duplicate;
    }
    store_ = static_cast<int>(insertSorted(stores_, trimmed));
    scales_.clear();
    scale_ = -1;
    return AddOutcome::Added;
}

AddOutcome StoreScaleLists::addScale(const std::string& name) {
    if (store_ < 0) {
        return AddOutcome::NoStore;
    }
    const std::string trimmed = scaleNameFromTyped(name);
    if (trimmed.empty()) {
        return AddOutcome::Empty;
    }
    if (scaleNameTaken(trimmed)) {
        return AddOutcome::Duplicate;
    }
    scale_ = static_cast<int>(insertSorted(scales_, trimmed));
    rebuildSelectedEntry();
    return AddOutcome::Added;
}

bool StoreScaleLists::deleteStore() {
    if (store_ < 0) {
        return false;
    }
    stores_.erase(stores_.begin() + store_);
    store_ = -1;
    scales_.clear();
    scale_ = -1;
    return true;
}

bool StoreScaleLists::deleteScale() {
    if (scale_ < 0) {
        return false;
    }
    scales_.erase(scales_.begin() + scale_);
    scale_ = scales_.empty() ? -1 : 0;
    rebuildSelectedEntry();
    return true;
}

std::string StoreScaleLists::selectedStoreName() const {
    return store_ < 0 ? std::string() : storeNameOf(stores_[store_]);
}

std::string StoreScaleLists::selectedScaleName() const {
    return scale_ < 0 ? std::string() : rightTrimmed(scales_[scale_]);
}

bool StoreScaleLists::storeNameTaken(const std::string& name) const {
    const std::string wanted = rightTrimmed(name);
    return std::any_of(stores_.begin(), stores_.end(),
                       [&](const std::string& entry) { return storeNameOf(entry) == wanted; });
}

bool StoreScaleLists::scaleNameTaken(const std::string& name) const {
    const std::string wanted = scaleNameFromTyped(name);
    return std::any_of(scales_.begin(), scales_.end(),
                       [&](const std::string& row) { return rightTrimmed(row) == wanted; });
}

void StoreScaleLists::renameSelectedStore(const std::string& newName) {
    if (store_ < 0) {
        return;
    }
    const std::string old = stores_[store_];
    const std::string slots = old.size() > kStoreNameWidth ? old.substr(kStoreNameWidth) : "";
    stores_.erase(stores_.begin() + store_);
    store_ = static_cast<int>(
        insertSorted(stores_, padRight(rightTrimmed(newName), kStoreNameWidth) + slots));
}

void StoreScaleLists::renameSelectedScale(const std::string& newName) {
    if (scale_ < 0) {
        return;
    }
    scales_.erase(scales_.begin() + scale_);
    scale_ = static_cast<int>(insertSorted(scales_, scaleNameFromTyped(newName)));
    rebuildSelectedEntry();
}

int StoreScaleLists::findStore(const std::string& name) const {
    const auto at = std::find_if(stores_.begin(), stores_.end(), [&](const std::string& entry) {
        return storeNameOf(entry) == name;
    });
    return at == stores_.end() ? -1 : static_cast<int>(at - stores_.begin());
}

int StoreScaleLists::findScale(const std::string& name) const {
    const auto at = std::find_if(scales_.begin(), scales_.end(),
                                 [&](const std::string& row) { return rightTrimmed(row) == name; });
    return at == scales_.end() ? -1 : static_cast<int>(at - scales_.begin());
}

void StoreScaleLists::rebuildSelectedEntry() {
    if (store_ < 0) {
        return;
    }
    const std::string entry = storeEntry(storeNameOf(stores_[store_]), scales_);
    stores_.erase(stores_.begin() + store_);
    store_ = static_cast<int>(insertSorted(stores_, entry));
}

std::vector<std::string> entriesWithStoreRenamed(const std::vector<std::string>& entries,
                                                 const std::string& oldName,
                                                 const std::string& newName) {
    StoreScaleLists lists;
    lists.load(entries);
    const int store = lists.findStore(oldName);
    if (store < 0) {
        return entries;
    }
    lists.selectStore(store);
    lists.renameSelectedStore(newName);
    return lists.stores();
}

std::vector<std::string> entriesWithScaleRenamed(const std::vector<std::string>& entries,
                                                 const std::string& storeName,
                                                 const std::string& oldName,
                                                 const std::string& newName) {
    StoreScaleLists lists;
    lists.load(entries);
    const int store = lists.findStore(storeName);
    if (store < 0) {
        return entries;
    }
    lists.selectStore(store);
    const int scale = lists.findScale(oldName);
    if (scale < 0) {
        return entries;
    }
    lists.selectScale(scale);
    lists.renameSelectedScale(newName);
    return lists.stores();
}

OkDecision decideOk(const StoreScaleLists& lists) {
    OkDecision d;
    d.noScale = lists.scales().empty();
    if (lists.stores().empty()) {
        d.outcome = OkDecision::Outcome::NoStores;
        d.title = kNoStoreTitle;
        return d;
    }
    d.entries = lists.stores();
    const int store = lists.selectedStore() >= 0 ? lists.selectedStore() : 0;
    d.storeName = storeNameOf(lists.stores()[store]);
    if (lists.scales().empty()) {
        d.outcome = OkDecision::Outcome::NoScaleInStore;
        return d;
    }
    const int scale = lists.selectedScale() >= 0 ? lists.selectedScale() : 0;
    const std::string& row = lists.scales()[scale];
    d.scaleName = rightTrimmed(row);
    d.outcome = OkDecision::Outcome::EnterScale;
    d.title = scaleTitle(d.storeName, row);
    return d;
}

}  // namespace vorn
