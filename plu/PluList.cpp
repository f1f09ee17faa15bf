#include "plu/PluList.h"

#include <algorithm>

namespace vorn {

namespace {

// Above this many separate runs of deleted rows, a delete is one pass and a reset of the view
// rather than one removal per run.
constexpr std::size_t kMostRemovalRuns = 32;

}  // namespace

std::unique_ptr<PluList::Row> PluList::makeRow(PluPair pair) {
    const int number = pluNumberOf(pair.plu);
    return std::make_unique<Row>(Row{number, std::move(pair)});
}

PluList::Place PluList::placeOf(int number) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), number,
                                     [](const auto& row, int n) { return row->number < n; });
    const auto index = static_cast<std::size_t>(it - rows_.begin());
    return {index, it != rows_.end() && (*it)->number == number};
}

PluList::Place PluList::add(PluPair pair) {
    std::unique_ptr<Row> row = makeRow(std::move(pair));
    const Place place = placeOf(row->number);
    if (place.replaces) {
        rows_[place.index] = std::move(row);
        if (observer_ != nullptr) {
            observer_->changed(place.index);
        }
        return place;
    }
    if (observer_ != nullptr) {
        observer_->beginInsert(place.index);
    }
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(place.index), std::move(row));
    if (observer_ != nullptr) {
        observer_->endInsert();
    }
    return place;
}

void PluList::addAll(std::vector<PluPair> pairs) {
    if (pairs.empty()) {
        return;
    }
    // Sorted by number and then by place in the input, as small keys: the pairs themselves are
    // moved only once, to their rows.
    std::vector<std::pair<int, std::size_t>> order(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        order[i] = {pluNumberOf(pairs[i].plu), i};
    }
    if (!std::is_sorted(order.begin(), order.end())) {
        std::sort(order.begin(), order.end());
    }
    // Of several pairs of one number the last one stays, as if each had replaced the one before.
    std::vector<std::unique_ptr<Row>> unique;
    unique.reserve(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + 1 < order.size() && order[k + 1].first == order[k].first) {
            continue;
        }
        unique.push_back(
            std::make_unique<Row>(Row{order[k].first, std::move(pairs[order[k].second])}));
    }
    if (observer_ != nullptr) {
        observer_->beginReset();
    }
    std::vector<std::unique_ptr<Row>> merged;
    merged.reserve(rows_.size() + unique.size());
    auto old = rows_.begin();
    for (auto& row : unique) {
        while (old != rows_.end() && (*old)->number < row->number) {
            merged.push_back(std::move(*old++));
        }
        if (old != rows_.end() && (*old)->number == row->number) {
            ++old;  // replaced
        }
        merged.push_back(std::move(row));
    }
    while (old != rows_.end()) {
        merged.push_back(std::move(*old++));
    }
    rows_ = std::move(merged);
    if (observer_ != nullptr) {
        observer_->endReset();
    }
}

void PluList::removeAt(std::size_t index) {
    if (index >= rows_.size()) {
        return;
    }
    if (observer_ != nullptr) {
        observer_->beginRemove(index, index);
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (observer_ != nullptr) {
        observer_->endRemove();
    }
}

void PluList::removeRows(std::vector<std::size_t> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    while (!indexes.empty() && indexes.back() >= rows_.size()) {
        indexes.pop_back();
    }
    if (indexes.empty()) {
        return;
    }
    // Runs of consecutive indexes, highest first.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i : indexes) {
        if (!runs.empty() && runs.back().second + 1 == i) {
            runs.back().second = i;
        } else {
            runs.push_back({i, i});
        }
    }
    if (runs.size() <= kMostRemovalRuns) {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            if (observer_ != nullptr) {
                observer_->beginRemove(run->first, run->second);
            }
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(run->first),
                        rows_.begin() + static_cast<std::ptrdiff_t>(run->second + 1));
            if (observer_ != nullptr) {
                observer_->endRemove();
            }
        }
        return;
    }
    if (observer_ != nullptr) {
        observer_->beginReset();
    }
    std::size_t next = 0;  // next index in indexes
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (next < indexes.size() && indexes[next] == i) {
            ++next;
            continue;
        }
        rows_[kept++] = std::move(rows_[i]);
    }
    rows_.resize(kept);
    if (observer_ != nullptr) {
        observer_->endReset();
    }
}

void PluList::clear() {
    if (observer_ != nullptr) {
        observer_->beginReset();
    }
    rows_.clear();
    if (observer_ != nullptr) {
        observer_->endReset();
    }
}

std::pair<std::size_t, std::size_t> PluList::rangeOf(int first, int last) const {
    if (last < first) {
        return {0, 0};
    }
    const auto begin = std::lower_bound(rows_.begin(), rows_.end(), first,
                                        [](const auto& row, int n) { return row->number < n; });
    const auto end = std::upper_bound(begin, rows_.end(), last,
                                      [](int n, const auto& row) { return n < row->number; });
    return {static_cast<std::size_t>(begin - rows_.begin()),
            static_cast<std::size_t>(end - rows_.begin())};
}

}  // namespace vorn
