#pragma once
// The batch run's side of the progress dialog: the one CTransferDlg that every batch run of the
// application uses, and the BatchLink that forwards the step machine's calls to it.

#include <QPointer>
#include <QWidget>

#include "batch/BatchRun.h"

namespace vorn {

class CTransferDlg;

// The application's batch progress dialog, made on first use and kept until the application
// ends, so that the steps of a run reach the dialog that the run's first step opened.
CTransferDlg& batchProgressDialog();

class ProgressDialogLink : public BatchLink {
public:
    // over: the window that the dialog is shown over.
    ProgressDialogLink(CTransferDlg& dialog, QWidget* over) : dialog_(dialog), over_(over) {}

    bool isStepReady() const override;
    bool isBatchRunning() const override;
    bool transferSucceeded() const override;
    void setBatchRunning() override;
    void setStepReady() override;
    void clearStepReady() override;
    void stop() override;

    void reset() override;
    void setReceive(bool receive) override;
    void setRecordsPerItem(int records) override;
    void setKeyWidth(int width) override;
    void setAnswerFrameLimit(int frames) override;
    void setMessage(const std::string& text) override;

    void runProgress() override;

private:
    CTransferDlg& dialog_;
    QPointer<QWidget> over_;
};

}  // namespace vorn
