#pragma once
// The dialog of every numbered table editor (groups, operators, date texts, tares, VAT rates):
// a list of the rows, the number and value fields under their captions, and the buttons
// "Add", "Del", "PC->Sc", "Sc->PC", "OK" and "Cancel". It owns its widgets, copies field texts
// and the list selection to its NumberedTable model and back, and calls the model for every
// rule. The editors differ only by their table kind and their NumberedTableLayout.

#include <QDialog>

#include "editors/NumberedTable.h"
#include "widgets/RowListView.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorn {

// What the dialogs of the numbered tables show differently.
struct NumberedTableLayout {
    const char* caption;
    const char* listCaption;
    // The caption over both fields, or over the number field alone when valueCaption is set.
    const char* fieldsCaption;
    const char* valueCaption = nullptr;
    int tabStopDialogUnits = RowListView::kDefaultTabStop;
    // With "Add" as default button Enter adds; without one Enter acts as "OK", except in the
    // value field when valueEnterAdds.
    bool addIsDefault = true;
    bool valueEnterAdds = false;
    bool valueOverflowAdds = false;  // typing past the value field's length adds the row
    bool focusNumberOnOpen = false;
    bool focusNumberAfterAdd = false;
    bool numberDigitsOnly = false;
    bool valueCentred = false;
    bool numericValue = false;  // the value field is a CNumEdit (length and decimals of the kind)
    int valueDecimals = 0;
};

class NumberedTableDlg : public QDialog {
    Q_OBJECT
public:
    NumberedTableDlg(const NumberedTableKind& kind, const NumberedTableLayout& layout,
                     QWidget* parent);

    const NumberedTable& table() const { return table_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildWidgets();
    QLayout* buildFields();
    void readFields();
    void writeFields();
    void showRows();
    void syncSelection();

    void onNumberEdited();
    void onValueEdited();
    void onAdd();
    void onDelete();
    void onPick(int row);
    void onOk();
    void onSend();
    void onReceive();

    NumberedTable table_;
    const NumberedTableLayout& layout_;
    RowListView* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* value_ = nullptr;
    QPushButton* add_ = nullptr;
};

// The parts of a caption that stands over several fields, split at runs of two or more blanks,
// with the column each part starts at ("    No.     Group Name": "No." at 4, "Group Name" at 12).
struct CaptionPart {
    std::string text;
    int column;
};
std::vector<CaptionPart> captionParts(const std::string& caption);

}  // namespace vorn
