#pragma once
// "Change Prices": a change of many PLUs' prices at once, on the rows selected in the PLU list
// or on a group. The preview shows each chosen PLU's old and new price as the change is typed;
// "Apply" writes the new prices into the list, and is only offered when the change can be made
// (the reason shows otherwise). The arithmetic and the rules are in PriceChange.

#include <QDialog>
#include <vector>

#include "plu/PriceChange.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace vorn {

class TextRowView;

class CPriceChangeDlg : public QDialog {
    Q_OBJECT
public:
    CPriceChangeDlg(PluList& list, std::vector<std::size_t> selected, QWidget* parent = nullptr);

    // Runs the dialog modally; the number of prices changed.
    static std::size_t run(PluList& list, std::vector<std::size_t> selected, QWidget* parent);
    std::size_t changedCount() const { return changed_; }

private:
    void updatePreview();
    void onApply();

    PluList& list_;
    std::vector<std::size_t> selected_;
    PriceChangePlan plan_;
    std::size_t changed_ = 0;

    QRadioButton* onSelected_;
    QRadioButton* onGroup_;
    QLineEdit* group_;
    QComboBox* kind_;
    QLineEdit* value_;
    QRadioButton* toCent_;
    QRadioButton* to99_;
    QRadioButton* to49_;
    QStringListModel* rows_;
    TextRowView* preview_;
    QLabel* status_;
    QPushButton* apply_;
};

}  // namespace vorn
