#pragma once
// The rows of the PLU list while its dialog is open: one row per PLU, each holding the PLU's
// record pair, kept in ascending PLU number. It is the only store of the PLU table while the
// list is open.
//
// The add rule: a new row goes to its place by PLU number, and replaces the row of the same
// number if there is one, so the list never holds two rows of one number. Adding many rows at
// once (loading a file, taking received PLUs) gives the same rows as adding them one by one in
// their order (the later of two rows of one number stays), in O(n log n).
//
// A view follows the rows through a PluListObserver, told before and after every change.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "plu/PluRecord.h"

namespace vorn {

class PluListObserver {
public:
    virtual ~PluListObserver() = default;
    virtual void beginInsert(std::size_t index) = 0;
    virtual void endInsert() = 0;
    virtual void changed(std::size_t index) = 0;
    // Rows first to last, both included.
    virtual void beginRemove(std::size_t first, std::size_t last) = 0;
    virtual void endRemove() = 0;
    // Every row may have changed.
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
};

class PluList {
public:
    PluList() = default;
    PluList(const PluList&) = delete;
    PluList& operator=(const PluList&) = delete;

    void setObserver(PluListObserver* observer) { observer_ = observer; }

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const PluPair& pair(std::size_t index) const { return rows_[index]->pair; }
    int number(std::size_t index) const { return rows_[index]->number; }
    // The list's text of a row: its display part.
    std::string displayText(std::size_t index) const { return displayPart(pair(index)); }

    // Where the add rule puts a row of this PLU number, and whether it replaces the row there.
    struct Place {
        std::size_t index;
        bool replaces;
    };
    Place placeOf(int number) const;

    // The add rule for one pair; returns where it went.
    Place add(PluPair pair);
    // The add rule for every pair, in their order.
    void addAll(std::vector<PluPair> pairs);

    void removeAt(std::size_t index);
    // Deletes the rows of the indexes (any order, duplicates allowed), as if one by one from
    // the highest index down.
    void removeRows(std::vector<std::size_t> indexes);
    void clear();

    // The rows whose PLU numbers lie from first to last, both included: [begin, end) indexes,
    // found by bisection. Empty (begin == end) when none does.
    std::pair<std::size_t, std::size_t> rangeOf(int first, int last) const;

private:
    struct Row {
        int number;
        PluPair pair;
    };
    static std::unique_ptr<Row> makeRow(PluPair pair);

    // Rows by PLU number; one allocation per row keeps an insertion in the middle a move of
    // pointers.
    std::vector<std::unique_ptr<Row>> rows_;
    PluListObserver* observer_ = nullptr;
};

}  // namespace vorn
