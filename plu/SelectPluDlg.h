#pragma once
// CSelectPluDlg ("Select PLU"): the PLUs received from the scale, each paired with its
// label-data record, in the order received. "SelectUpdate" writes the selected ones to trf3.in
// and trf4.in, "AllUpdate" all of them; Cancel takes nothing.

#include <QDialog>
#include <vector>

#include "plu/PluTransfer.h"

class QStringListModel;

namespace vorn {

class TextRowView;

class CSelectPluDlg : public QDialog {
    Q_OBJECT
public:
    // Reads trf1.in and trf2.in.
    explicit CSelectPluDlg(QWidget* parent = nullptr);

    const std::vector<ReceivedPlu>& received() const { return received_; }

    // Runs the dialog modally; true when it ended with a choice written.
    static bool choose(QWidget* parent);

private:
    void take(const std::vector<std::size_t>& rows);

    std::vector<ReceivedPlu> received_;
    TextRowView* list_;
    QStringListModel* model_;
};

}  // namespace vorn
