#pragma once
// CNumEdit: a one-line field that only ever holds a non-negative decimal number within its
// length and decimal limits. A decimal comma is read as the point where the field has decimals.
// Every edit by the user (typing, Backspace, Delete, paste, cut, undo, a middle-button paste, an
// input-method commit) that would leave an unacceptable text is undone at once, text and
// selection, and the field says why. There is no context menu and nothing can be dropped in.

#include <QLineEdit>

#include "widgets/NumericText.h"

namespace vorn {

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);

    void configure(int maxLength, int decimals);
    NumericLimits limits() const { return limits_; }

    // The shown amount in hundredths, as decimal integer text ("12.34" gives "1234").
    std::string valueAsHundredths() const;
    // Shows "%.2f" of the hundredths divided by 100.
    void showHundredths(const std::string& hundredths);

protected:
    bool event(QEvent* e) override;

private:
    NumericLimits limits_;
};

}  // namespace vorn
