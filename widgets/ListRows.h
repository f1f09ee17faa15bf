#pragma once
// The rows of a table editor's list box while its dialog is open: single-byte texts, an
// extended (multiple) selection and the caret row. Rows that are simply added go to their place
// in the list's own case-insensitive text order; Add of an editor inserts at an index instead.
// The dialog shows these rows and copies the user's selection and caret back.

#include <cstddef>
#include <string>
#include <vector>

namespace vorn {

class ListRows {
public:
    static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const std::string& text(std::size_t index) const { return rows_[index].text; }
    std::vector<std::string> texts() const;

    // Adds with the list's own sorting: after every row whose text is not greater, compared
    // without regard to case. Returns the index the row went to.
    std::size_t addSorted(std::string text);
    // Inserts at index (the end when index is past it) without sorting.
    void insertAt(std::size_t index, std::string text);
    void removeAt(std::size_t index);
    void clear();

    bool isSelected(std::size_t index) const { return rows_[index].selected; }
    void setSelected(std::size_t index, bool selected) { rows_[index].selected = selected; }
    std::vector<std::size_t> selectedIndexes() const;
    void clearSelection();

    // The caret (current) row, kNoRow when there is none.
    std::size_t caret() const { return caret_; }
    void setCaret(std::size_t index) { caret_ = index < rows_.size() ? index : kNoRow; }

    // The delete operation of every list editor: deletes all selected rows, highest index first;
    // no row is selected afterwards. Returns the indexes deleted, in the order deleted.
    std::vector<std::size_t> deleteSelected();

private:
    struct Row {
        std::string text;
        bool selected = false;
    };
    std::vector<Row> rows_;
    std::size_t caret_ = kNoRow;
};

// The list's order: byte order after folding ASCII letters to lower case.
bool lessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace vorn
