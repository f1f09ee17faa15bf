#pragma once
// CHistoryDlg ("Transfer History"): the transfers of the selected scale's directory, newest
// first, as the engine wrote them to its history (comm/TransferHistory.h).

#include <QDialog>

namespace vorn {

class CHistoryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHistoryDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
