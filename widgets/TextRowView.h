#pragma once
// The list box of a table of many rows (the PLU list, the received PLUs): a view over a model
// of text rows, never an item per row, in a fixed-pitch font, with extended selection, rows of
// one height and TABs drawn up to the list's tab stops (in dialog units or character columns).
// The Delete key is left to the dialog.

#include <QListView>
#include <vector>

#include "widgets/TabStopDelegate.h"

namespace vorn {

class TextRowView : public QListView {
    Q_OBJECT
public:
    explicit TextRowView(QWidget* parent = nullptr);

    void setTabStops(std::vector<int> stops,
                     TabStopDelegate::Unit unit = TabStopDelegate::Unit::DialogUnits) {
        delegate_->setTabStops(std::move(stops), unit);
    }

    // The selected rows in ascending order, and the caret (current) row or -1.
    std::vector<std::size_t> selectedRows() const;
    int caretRow() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    TabStopDelegate* delegate_;
};

}  // namespace vorn
