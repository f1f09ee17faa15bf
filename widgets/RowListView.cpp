#include "widgets/RowListView.h"

#include <QFontDatabase>
#include <QSignalBlocker>

#include "widgets/QtText.h"

namespace vorn {

RowListView::RowListView(QWidget* parent)
    : QListWidget(parent), delegate_(new TabStopDelegate(this)) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
}

void RowListView::setTabStopDialogUnits(int units) {
    delegate_->setTabStops({units});
}

int RowListView::tabStopPixels() const {
    return delegate_->tabStopPixels();
}

void RowListView::showRows(const ListRows& rows) {
    const QSignalBlocker blocker(this);
    clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        addItem(toQString(rows.text(i)));
    }
    if (rows.caret() != ListRows::kNoRow) {
        setCurrentRow(static_cast<int>(rows.caret()), QItemSelectionModel::NoUpdate);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        item(static_cast<int>(i))->setSelected(rows.isSelected(i));
    }
}

void RowListView::copySelectionTo(ListRows& rows) const {
    for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(count()); ++i) {
        rows.setSelected(i, item(static_cast<int>(i))->isSelected());
    }
    rows.setCaret(currentRow() < 0 ? ListRows::kNoRow : static_cast<std::size_t>(currentRow()));
}

}  // namespace vorn
