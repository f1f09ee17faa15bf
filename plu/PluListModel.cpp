#include "plu/PluListModel.h"

#include <QString>
#include <algorithm>

#include "widgets/QtText.h"

namespace vorn {

namespace {

// The description column's room: from its tab stop to the price's, less a blank.
constexpr std::size_t kDescriptionWidth = 42;

}  // namespace

PluListModel::PluListModel(PluList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
    list_.setObserver(this);
}

PluListModel::~PluListModel() {
    list_.setObserver(nullptr);
}

int PluListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return static_cast<int>(order_.showsListAsItIs() ? list_.size() : shown_.size());
}

void PluListModel::setOrder(PluRowOrder order) {
    if (order == order_) {
        return;
    }
    beginResetModel();
    order_ = std::move(order);
    reshow();
    endResetModel();
}

void PluListModel::reshow() {
    shown_ = order_.showsListAsItIs() ? std::vector<std::size_t>{} : shownRows(list_, order_);
}

std::size_t PluListModel::listRow(int viewRow) const {
    const auto row = static_cast<std::size_t>(viewRow);
    return order_.showsListAsItIs() ? row : shown_[row];
}

int PluListModel::viewRow(std::size_t listRow) const {
    if (order_.showsListAsItIs()) {
        return listRow < list_.size() ? static_cast<int>(listRow) : -1;
    }
    const auto it = std::find(shown_.begin(), shown_.end(), listRow);
    return it == shown_.end() ? -1 : static_cast<int>(it - shown_.begin());
}

QVariant PluListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const std::size_t row = listRow(index.row());
    if (role == Qt::ToolTipRole) {
        const PluValues values = decodePair(list_.pair(row));
        return toQString(values.description2.empty()
                             ? values.description1
                             : values.description1 + "\n" + values.description2);
    }
    std::string text = displayPart(list_.pair(row), kDescriptionWidth);
    // A description's line break (and any other control character but TAB) shows as a blank.
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            c = ' ';
        }
    }
    return toQString(text);
}

// While rows are filtered or sorted, a change of the list shows the rows anew.
void PluListModel::beginInsert(std::size_t index) {
    if (!order_.showsListAsItIs()) {
        beginReset();
        return;
    }
    const int row = static_cast<int>(index);
    beginInsertRows(QModelIndex(), row, row);
}

void PluListModel::endInsert() {
    if (resetting_) {
        endReset();
        return;
    }
    endInsertRows();
}

void PluListModel::changed(std::size_t index) {
    if (!order_.showsListAsItIs()) {
        beginReset();
        endReset();
        return;
    }
    const QModelIndex i = this->index(static_cast<int>(index));
    emit dataChanged(i, i);
}

void PluListModel::beginRemove(std::size_t first, std::size_t last) {
    if (!order_.showsListAsItIs()) {
        beginReset();
        return;
    }
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void PluListModel::endRemove() {
    if (resetting_) {
        endReset();
        return;
    }
    endRemoveRows();
}

void PluListModel::beginReset() {
    resetting_ = true;
    beginResetModel();
}

void PluListModel::endReset() {
    resetting_ = false;
    reshow();
    endResetModel();
}

}  // namespace vorn
