#include "widgets/TextRowView.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <algorithm>

namespace vorn {

TextRowView::TextRowView(QWidget* parent)
    : QListView(parent), delegate_(new TabStopDelegate(this)) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setItemDelegate(delegate_);
    // Rows of one height: the view lays out a hundred thousand rows without asking each.
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

std::vector<std::size_t> TextRowView::selectedRows() const {
    std::vector<std::size_t> rows;
    if (selectionModel() == nullptr) {
        return rows;
    }
    // Ranges rather than one index per row: a selection of every row stays one range.
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            rows.push_back(static_cast<std::size_t>(r));
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TextRowView::caretRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void TextRowView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete) {
        e->ignore();  // the dialog's
        return;
    }
    QListView::keyPressEvent(e);
}

}  // namespace vorn
