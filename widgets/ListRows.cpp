#include "widgets/ListRows.h"

#include <algorithm>

namespace vorn {

namespace {
unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}
}  // namespace

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

std::vector<std::string> ListRows::texts() const {
    std::vector<std::string> out;
    out.reserve(rows_.size());
    for (const Row& r : rows_) {
        out.push_back(r.text);
    }
    return out;
}

std::size_t ListRows::addSorted(std::string text) {
    const auto at = std::upper_bound(
        rows_.begin(), rows_.end(), text,
        [](const std::string& t, const Row& row) { return lessIgnoringCase(t, row.text); });
    const auto index = static_cast<std::size_t>(at - rows_.begin());
    insertAt(index, std::move(text));
    return index;
}

void ListRows::insertAt(std::size_t index, std::string text) {
    index = std::min(index, rows_.size());
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), Row{std::move(text), false});
    if (caret_ != kNoRow && caret_ >= index) {
        ++caret_;
    }
}

void ListRows::removeAt(std::size_t index) {
    if (index >= rows_.size()) {
        return;
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (caret_ == kNoRow) {
        return;
    }
    if (caret_ > index) {
        --caret_;
    } else if (caret_ == index) {
        caret_ = index < rows_.size() ? index : (rows_.empty() ? kNoRow : rows_.size() - 1);
    }
}

void ListRows::clear() {
    rows_.clear();
    caret_ = kNoRow;
}

std::vector<std::size_t> ListRows::selectedIndexes() const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].selected) {
            out.push_back(i);
        }
    }
    return out;
}

void ListRows::clearSelection() {
    for (Row& r : rows_) {
        r.selected = false;
    }
}

std::vector<std::size_t> ListRows::deleteSelected() {
    std::vector<std::size_t> order = selectedIndexes();
    std::reverse(order.begin(), order.end());
    for (std::size_t index : order) {
        removeAt(index);
    }
    clearSelection();
    return order;
}

}  // namespace vorn
