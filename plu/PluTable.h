#pragma once
// The PLU list dialog's model without a window: the rows, the current record pair, the PLU file
// and the operations of the buttons "Add", "Edit", "Del", "Refresh" and "Save/Exit". The
// dialog runs the editor through a callback and shows the rows through the list's observer.
//
// The current record pair is the pair handled last: the templates at first, then the last pair
// read from the file, the pair of the row opened for editing, the last pair taken from the scale
// or the pair just built. The editor's values are encoded into it, so every position the editor
// does not own comes from that pair.

#include <functional>
#include <optional>
#include <vector>

#include "plu/PluFile.h"
#include "plu/PluList.h"
#include "plu/PluRecord.h"

namespace vorn {

// Runs the PLU editor modally on the values; the values it hands back after OK, or no value.
using PluEditorRun = std::function<std::optional<PluValues>(const PluValues&)>;

class PluTable {
public:
    PluTable();

    PluList& list() { return list_; }
    const PluList& list() const { return list_; }
    const PluPair& current() const { return current_; }

    // Open and "Refresh": empties the list and loads plurec.dat with the add rule. A file whose
    // first line is not the header is told ("error file record format!") and loads nothing;
    // damaged pairs are kept and told.
    void load();
    // "Save/Exit" and "Import/Export": writes plurec.dat from every row in list order. A file
    // that was refused on loading is replaced only when the user agrees. False when nothing was
    // written (a failure has been told).
    bool save();
    // The whole file as save writes it.
    std::string fileBytes() const;
    // plurec.dat is no longer the file this table last read or wrote: another program wrote it.
    bool fileChangedSinceLoadOrSave() const;

    // The list differs from what the last load or save left: closing would lose it.
    bool hasUnsavedChanges() const { return fileBytes() != savedBytes_; }

    // The number "Add" proposes: one more than the last row's, or 1 for an empty list.
    int proposedNumber() const;
    // "Add": runs the editor on a new PLU; after OK adds it, asking first when its number is
    // a PLU of the list. The row it went to, if any.
    std::optional<std::size_t> add(const PluEditorRun& runEditor);
    // "Edit" of a row: a damaged row is offered for deletion; otherwise the row's pair becomes
    // the current pair (operation "0000"), the editor runs on its values, and after OK the pair
    // is added with the add rule. A PLU given another number moves to it: its old row goes,
    // and a PLU of the new number is replaced only when the user agrees. The row it went to,
    // if any.
    std::optional<std::size_t> edit(std::size_t index, const PluEditorRun& runEditor);
    // "Del": asks "Delete PLU?"; on OK deletes the selected rows, or the caret row when none is
    // selected. True when rows were deleted.
    bool deleteRows(const std::vector<std::size_t>& selected, std::optional<std::size_t> caret);

    // Encodes the values into the current pair and adds it with the add rule; the row it went
    // to. No value (told) when a value does not fit its record field; nothing changes then.
    std::optional<std::size_t> addValues(const PluValues& values);
    // Takes pairs as they are (received from the scale) with the add rule; the last becomes
    // the current pair.
    void take(std::vector<PluPair> pairs);

private:
    void makeCurrent(const PluPair& pair);
    // addValues for the editor's values: asks before a PLU of another row is replaced, and
    // removes the row of `movedFrom` when the PLU got another number.
    std::optional<std::size_t> placeEdited(const PluValues& values, std::optional<int> movedFrom);

    PluList list_;
    PluPair current_;
    bool refusedFile_ = false;                  // the last load found a file that is not a PLU file
    std::optional<FileIdentity> fileIdentity_;  // plurec.dat as last read or written
    std::string savedBytes_;                    // the file's bytes as last loaded or saved
};

// The PLU file's bytes of a list: the header, then every row's pair in list order.
std::string pluFileBytesOf(const PluList& list);

// The process-wide reload flag: set by "Import/Export", cleared when the list has reloaded.
bool& pluReloadPending();

}  // namespace vorn
