#pragma once
// CDiscountDlg: the nine discounts as a grid of fields, a row each: the rate in percent, the
// text shown on the scale's display and the text printed. A rate that is no number from -99.99
// to 99.99 is refused, naming its row, and keeps the dialog open.

#include <array>

#include "editors/code/DiscountTable.h"
#include "editors/kit/TableDlg.h"

class QLineEdit;

namespace vorn {

class CDiscountDlg : public TableDlg {
    Q_OBJECT
public:
    explicit CDiscountDlg(QWidget* parent = nullptr);

    const DiscountTable& table() const { return table_; }

protected:
    void saveAndClose() override { onOk(); }

private:
    struct RowFields {
        QLineEdit* rate = nullptr;
        QLineEdit* displayed = nullptr;
        QLineEdit* printed = nullptr;
    };

    void buildWidgets();
    // Copies the fields to the rows; false (told, focus on the field) when a rate is refused.
    bool readFields();
    void writeFields();

    void onOk();
    void onSend();
    void onReceive();

    DiscountTable table_;
    std::array<RowFields, discount::kRows> fields_;
};

}  // namespace vorn
