#include "plu/PluListModel.h"

#include <QString>

#include "widgets/QtText.h"

namespace vorn {

PluListModel::PluListModel(PluList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
    list_.setObserver(this);
}

PluListModel::~PluListModel() {
    list_.setObserver(nullptr);
}

int PluListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

QVariant PluListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= list_.size() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    std::string text = list_.displayText(static_cast<std::size_t>(index.row()));
    // A description's line break (and any other control character but TAB) shows as a blank.
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            c = ' ';
        }
    }
    return toQString(text);
}

void PluListModel::beginInsert(std::size_t index) {
    const int row = static_cast<int>(index);
    beginInsertRows(QModelIndex(), row, row);
}

void PluListModel::endInsert() {
    endInsertRows();
}

void PluListModel::changed(std::size_t index) {
    const QModelIndex i = this->index(static_cast<int>(index));
    emit dataChanged(i, i);
}

void PluListModel::beginRemove(std::size_t first, std::size_t last) {
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void PluListModel::endRemove() {
    endRemoveRows();
}

void PluListModel::beginReset() {
    beginResetModel();
}

void PluListModel::endReset() {
    endResetModel();
}

}  // namespace vorn
