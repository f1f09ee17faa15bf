#pragma once
// CPluRangeDlg ("PLU range"): the PLU numbers "PC->Sc" sends, From and To, or a single one.
// OK accepts only whole numbers from 0 to 999999 and gives the field with another the focus.

#include <QDialog>
#include <optional>

#include "plu/PluTransfer.h"

class QLineEdit;
class QRadioButton;

namespace vorn {

class CPluRangeDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on the range given: by default 1 to 1000, from the list the rows selected there.
    explicit CPluRangeDlg(QWidget* parent = nullptr, PluRange initial = {});

    // The range after OK ("Single": To is From).
    PluRange range() const { return range_; }

    // Runs the dialog modally; the range after OK, else no value.
    static std::optional<PluRange> ask(QWidget* parent, PluRange initial = {});

private:
    void enableTo();
    void onOk();

    QRadioButton* selectRange_;
    QRadioButton* single_;
    QLineEdit* from_;
    QLineEdit* to_;
    PluRange range_;
};

// The value of a range field: a whole number (blanks around it allowed) from 0 to 999999; the
// message of the platform's prompt when it is not.
struct RangeFieldValue {
    int value = 0;
    const char* problem = nullptr;
};
RangeFieldValue rangeFieldValue(const std::string& text);

}  // namespace vorn
