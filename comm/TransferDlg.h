#pragma once
// CTransferDlg: the transfer progress dialog. Run modally, it starts the engine's worker, shows
// the message text, an animation of the direction, the scale being served and the count of
// items sent, and ends when the worker finishes (OK; Cancel when the run was stopped) or the
// port cannot be opened. Cancel only asks the worker to stop; the dialog stays until it has.
// The batch dialog keeps one open for a whole run and drives its passes through the batch
// operations below.

#include <QDialog>

#include <memory>
#include <string>

#include "comm/Engine.h"

class QLabel;
class QPushButton;

namespace vorn {

class TransferAnimation;

class CTransferDlg : public QDialog, private TransferEvents {
    Q_OBJECT
public:
    explicit CTransferDlg(QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // The dialog's settings, set by the caller before the modal run.
    bool quiet = false;         // no item count, no "TimeOut" box
    std::string scaleList;      // 14-character entries; empty: scale 01
    int recordsPerItem = 1;     // answer lines per item in the count shown
    int keyWidth = 0;           // characters of the item key after the envelope
    int answerFrameLimit = 0;   // most frames of one answer; 0: the engine's bound
    bool receive = false;       // false: sending animation; true: receiving animation
    std::string messageText;    // shown at the top
    std::string itemsSentText;  // shown below the animation; the engine fills in the count

    // Starts the worker and runs the dialog modally.
    int exec() override;
    // Cancel (and Escape): asks the worker to stop; the dialog ends when it has.
    void reject() override;

    // Batch operations.
    bool reset();
    void setBatchRunning();
    void setStepReady();
    void clearStepReady();
    bool isBatchRunning() const;
    bool transferSucceeded() const;
    bool isStepReady() const;
    void stop();

    // Another line, clock, device or beep for the engine (tests, device overrides). Without
    // one the real serial line and clock and the port from comport.ini are used.
    void setEnvironment(const EngineEnvironment& env);

    // The widgets, for tests.
    QLabel* messageLabel() const { return message_; }
    QLabel* itemsSentLabel() const { return itemsSent_; }
    QPushButton* cancelButton() const { return cancel_; }
    TransferAnimation* animation() const { return animation_; }

private:
    void initDialog();
    void showValues();
    void endRun(int result);

    // From the worker thread; each is handed over to the dialog's thread.
    void finished(bool stopped) override;
    void progress(int scaleNumber, const std::string& scaleName, int answerCount) override;
    void portFailed() override;

    void onProgress(int scaleNumber, const std::string& scaleName, int answerCount);
    void onPortFailure();

    QLabel* message_;
    TransferAnimation* animation_;
    QLabel* itemsSent_;
    QPushButton* cancel_;
    std::unique_ptr<SerialLine> ownLine_;
    EngineEnvironment env_;
    TransferWorker worker_;
};

}  // namespace vorn
