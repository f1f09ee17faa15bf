#pragma once
// The dialog of every list table editor (groups, operators, date texts, tares, VAT rates,
// advertisement and extra texts, barcode formats): a list of the rows, the number and value
// fields under their captions, and the buttons "Add", "Del", "PC->Sc", "Sc->PC", "OK" and
// "Cancel". It owns its widgets, copies field texts and the list selection to its
// NumberedTable model and back, and calls the model for every rule. The editors differ only by
// their table kind and their NumberedTableLayout.

#include <vector>

#include "editors/kit/NumberedTable.h"
#include "editors/kit/TableDlg.h"
#include "widgets/RowListView.h"
#include "widgets/TextBox.h"

class QButtonGroup;
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
    bool focusNumberOnOpen = false;
    bool focusNumberAfterAdd = false;
    bool numberRightAligned = false;
    bool valueCentred = false;
    bool numericValue = false;  // the value field is a CNumEdit (length and decimals of the kind)
    int valueDecimals = 0;
    bool valueUpperCase = false;  // letters typed into the value field become capitals
    bool focusValueAfterAdd = false;
    // A value field of several lines (a TextBox) when valueLines is set: the lines it shows, the
    // columns it is wide (and wraps at), how it wraps and the most lines it takes (0: any).
    int valueLines = 0;
    int valueColumns = 0;
    TextBox::Wrap valueWrap = TextBox::Wrap::None;
    int valueLineLimit = 0;
    // The list's width in characters; 0: room for the tab stop and the whole value.
    int listColumns = 0;
    // A type choice shown as radio buttons in a group box (the barcode type).
    const char* choiceCaption = nullptr;
    std::vector<const char*> choices = {};
    const char* cancelCaption = "Cancel";
};

class NumberedTableDlg : public TableDlg {
    Q_OBJECT
public:
    NumberedTableDlg(const NumberedTableKind& kind, const NumberedTableLayout& layout,
                     QWidget* parent);

    const NumberedTable& table() const { return table_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // Escape and the close box ask when the rows changed.
    QStringList dataState() const override;
    void saveAndClose() override { onOk(); }

private:
    void buildWidgets();
    QLayout* buildFields();
    void readFields();
    void writeFields();
    void showRows();
    void syncSelection();

    QString valueText() const;
    void setValueText(const std::string& text);

    void onNumberEdited();
    void onValueEdited();
    void onChoose(int type);
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
    QLineEdit* value_ = nullptr;     // the value field of one line, or
    TextBox* textValue_ = nullptr;   // the value field of several lines
    QWidget* valueField_ = nullptr;  // whichever it is
    QButtonGroup* choices_ = nullptr;
    QPushButton* add_ = nullptr;
};

// The parts of a caption that stands over several fields, split at runs of two or more blanks,
// with the column each part starts at ("    No.     Group Name": "No." at 4, "Group Name" at 12).
struct CaptionPart {
    std::string text;
    int column;
};
std::vector<CaptionPart> captionParts(const std::string& caption);

// The list rows as the list shows them: each line break of a text (CR LF, or 0x10 of a record)
// as the mark '\xB6' (a pilcrow), so that a row stays one line.
ListRows rowsWithBreakMarks(const ListRows& rows);

}  // namespace vorn
