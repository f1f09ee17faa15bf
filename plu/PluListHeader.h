#pragma once
// What stands above the PLU list: the "Find" field, which filters the rows as one types, and
// the column header: one button over each of the list's columns, which sorts the rows by that
// column (a second click turns the order round; an arrow shows the way). Buttons rather than a
// header view, so that the accessibility layer reaches each by its caption. It tells the dialog
// the order the rows are to be shown in.

#include <QWidget>
#include <vector>

#include "plu/PluRowOrder.h"

class QLineEdit;
class QToolButton;

namespace vorn {

class PluListHeader : public QWidget {
    Q_OBJECT
public:
    // columnStarts: the character column where each of the list's columns starts, and the
    // list's width in columns last; indent: the pixels before the rows' text.
    PluListHeader(const QFont& listFont, const std::vector<int>& columnStarts, int indent,
                  QWidget* parent = nullptr);

    const PluRowOrder& order() const { return order_; }
    QLineEdit* searchField() const { return search_; }
    // The last of the header's controls in the Tab order (Find first, then the columns).
    QWidget* lastInTabOrder() const;
    // Sorts by a column as a click on its section does.
    void sortBy(PluColumn column);

signals:
    void orderChanged();

private:
    QLineEdit* search_;
    void showSortArrow();

    std::vector<QToolButton*> columns_;
    PluRowOrder order_;
};

}  // namespace vorn
