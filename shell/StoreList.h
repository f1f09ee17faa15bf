#pragma once
// The store and scale lists of the store and scale dialog, without a window: the store entries
// ("%-50s" store name, then one "%10s" slot per scale), the sorted rows, the checks of the ADD
// and EDIT commands and the decision taken by OK.

#include <string>
#include <vector>

#include "platform/Translatable.h"

namespace vorn {

inline constexpr std::size_t kStoreNameWidth = 50;  // "%-50s"
inline constexpr std::size_t kScaleSlotWidth = 10;  // "%10s"
inline constexpr std::size_t kMaxStoreName = 50;
inline constexpr std::size_t kMaxScaleName = 10;
inline constexpr std::size_t kTitleScaleChars = 30;

inline constexpr const char* kSameNameText = "Same name,can not add!";
inline constexpr const char* kNoScaleText = VORN_TRANSLATABLE("vorn", "No scale selected!");
inline constexpr const char* kDeleteStoreText = "Delete this store?";
inline constexpr const char* kDeleteScaleText = "Delete this scale?";
inline constexpr const char* kNoStoreTitle = "- vorn";
inline constexpr const char* kScaleDeletedTitle = VORN_TRANSLATABLE("vorn", "Undefined - vorn");
inline constexpr const char* kScaleTitlePrefix = "The Scale: ";

// A typed scale name as it is kept: without leading and trailing blanks. Its slot is read back
// without leading blanks, so a name that kept them would name another directory next time.
std::string scaleNameFromTyped(const std::string& typed);

// The entry of a store with these scales: the name padded to 50, then one right-aligned
// 10-character slot per scale. (A store just added, without scales, is its bare name.)
std::string storeEntry(const std::string& storeName, const std::vector<std::string>& scales);
// The first 50 characters, trailing blanks removed.
std::string storeNameOf(const std::string& entry);
// The whole 10-character slots after the first 50 characters, leading blanks dropped.
std::vector<std::string> scaleNamesOf(const std::string& entry);

// Inserts the row where the list keeps it sorted (case-insensitive, ties by byte order) and
// returns its index.
std::size_t insertSorted(std::vector<std::string>& rows, const std::string& row);

// "The Scale: " store "->" and the first 30 characters of the scale row.
std::string scaleTitle(const std::string& storeName, const std::string& scaleRow);

// Why a typed store or scale name cannot be taken, or "" when it can. Names become directory
// names, so a path separator or a bare "." or ".." is refused along with an overlong name.
std::string storeNameProblem(const std::string& name);
std::string scaleNameProblem(const std::string& name);

enum class AddOutcome { Added, Empty, Duplicate, NoStore };

// The rows of both lists and their selections (-1: none).
class StoreScaleLists {
public:
    // Fills the store list with the entries, selects the first store and its first scale.
    void load(const std::vector<std::string>& entries);

    const std::vector<std::string>& stores() const { return stores_; }
    const std::vector<std::string>& scales() const { return scales_; }
    int selectedStore() const { return store_; }
    int selectedScale() const { return scale_; }

    // Selects a store and fills the scale list from its entry, first scale selected.
    void selectStore(int index);
    void selectScale(int index);

    AddOutcome addStore(const std::string& name);
    AddOutcome addScale(const std::string& name);
    // Removes the selected row; false when none is selected.
    bool deleteStore();
    bool deleteScale();

    // The selected store's name and the selected scale's name, trailing blanks removed.
    std::string selectedStoreName() const;
    std::string selectedScaleName() const;
    // True when another store (or scale of the selected store) has this name.
    bool storeNameTaken(const std::string& name) const;
    bool scaleNameTaken(const std::string& name) const;
    // After the directory was renamed (or never existed): the new name takes the old one's place.
    void renameSelectedStore(const std::string& newName);
    void renameSelectedScale(const std::string& newName);
    // The row of the store (of the scale of the selected store) with this name, or -1.
    int findStore(const std::string& name) const;
    int findScale(const std::string& name) const;

private:
    void rebuildSelectedEntry();
    std::vector<std::string> stores_;
    std::vector<std::string> scales_;
    int store_ = -1;
    int scale_ = -1;
};

// Stored entries after EDIT Store renamed the store oldName to newName: its entry takes the new
// name and keeps its scale slots, in the order the list keeps. Unchanged when no entry has
// oldName.
std::vector<std::string> entriesWithStoreRenamed(const std::vector<std::string>& entries,
                                                 const std::string& oldName,
                                                 const std::string& newName);
// Stored entries after EDIT Scale renamed the scale oldName of the store to newName; unchanged
// when the store or its scale is not among them.
std::vector<std::string> entriesWithScaleRenamed(const std::vector<std::string>& entries,
                                                 const std::string& storeName,
                                                 const std::string& oldName,
                                                 const std::string& newName);

// What OK does with the lists.
struct OkDecision {
    enum class Outcome {
        NoStores,        // grpscl.dat empty, title "- vorn", close with no scale
        NoScaleInStore,  // "No scale selected!", the dialog stays open
        EnterScale,      // make base/store/scale current, title scaleTitle
    };
    Outcome outcome = Outcome::NoStores;
    bool noScale = true;
    std::vector<std::string> entries;  // for grpscl.dat, in list order
    std::string storeName;             // trailing blanks removed
    std::string scaleName;             // trailing blanks removed
    std::string title;                 // set for NoStores and EnterScale
};
OkDecision decideOk(const StoreScaleLists& lists);

}  // namespace vorn
