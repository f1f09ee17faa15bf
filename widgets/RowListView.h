#pragma once
// The list box of the table editors: an extended-selection list in a fixed-pitch font that
// shows a ListRows and draws a TAB up to the next tab stop, given in dialog units (a quarter
// of the average character width), as the list boxes of the scale program's dialogs do.

#include <QListWidget>

#include "editors/ListRows.h"

namespace vorn {

class RowListView : public QListWidget {
    Q_OBJECT
public:
    // The list boxes' default tab stops: every 32 dialog units (8 characters).
    static constexpr int kDefaultTabStop = 32;

    explicit RowListView(QWidget* parent = nullptr);

    void setTabStopDialogUnits(int units);
    int tabStopPixels() const;

    // Shows the rows with their selection and caret.
    void showRows(const ListRows& rows);
    // Copies the user's selection and caret into the rows.
    void copySelectionTo(ListRows& rows) const;

private:
    int tabStopUnits_ = kDefaultTabStop;
};

}  // namespace vorn
