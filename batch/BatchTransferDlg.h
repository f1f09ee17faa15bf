#pragma once
// CBatchTransferDlg ("Communication"): the sixteen categories to tick, "Select All", "Clear
// All", the two run buttons, "&Ok" (saves the selection to Trans.dat) and "&Cancel". A run is
// taken by the step machine, one step per tick of the dialog's one-second timer; the
// application's one progress dialog shows the run and is the only way to stop it.

#include <QDialog>
#include <QTimer>

#include <vector>

#include "batch/BatchRun.h"
#include "batch/ProgressDialogLink.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace vorn {

class CBatchTransferDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBatchTransferDlg(QWidget* parent = nullptr);
    ~CBatchTransferDlg() override;

    // "&Ok": saves the selection; a Trans.dat that cannot be written is told and the dialog
    // stays open.
    void accept() override;

    const BatchSelection& selection() const { return selection_; }
    BatchRun& run() { return run_; }
    // The period of the step timer (1000 ms; tests take shorter steps).
    void setStepInterval(int ms) { timer_.setInterval(ms); }
    // The hidden log list.
    QListWidget* logList() const { return log_; }

private:
    void buildWidgets();
    void showSelection();
    void readSelection();
    void startRun(BatchDirection direction);

    std::vector<QCheckBox*> checks_;  // in the order of the categories
    QListWidget* log_ = nullptr;
    BatchSelection selection_;
    ProgressDialogLink link_;
    BatchRun run_;
    QTimer timer_;
    std::string runStart_;  // the time the run began, as the transfer history writes it
};

}  // namespace vorn
