#pragma once
// The list box of the table editors: an extended-selection list in a fixed-pitch font that
// shows a ListRows and draws a TAB up to the next tab stop, given in dialog units (a quarter
// of the average character width), as the list boxes of the scale program's dialogs do.
// For the few rows of a table editor; a list of many rows is a TextRowView over a model.

#include <QListWidget>

#include "widgets/ListRows.h"
#include "widgets/TabStopDelegate.h"

namespace vorn {

class RowListView : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultTabStop = TabStopDelegate::kDefaultTabStop;

    explicit RowListView(QWidget* parent = nullptr);

    void setTabStopDialogUnits(int units);
    int tabStopPixels() const;

    // Shows the rows with their selection and caret.
    void showRows(const ListRows& rows);
    // Copies the user's selection and caret into the rows.
    void copySelectionTo(ListRows& rows) const;

private:
    TabStopDelegate* delegate_;
};

}  // namespace vorn
