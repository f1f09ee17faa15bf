#include "batch/ProgressDialogLink.h"

#include <QCoreApplication>

#include "comm/TransferDlg.h"

namespace vorn {

namespace {
QPointer<CTransferDlg> theBatchProgressDialog;

void deleteBatchProgressDialog() {
    delete theBatchProgressDialog.data();
}
}  // namespace

CTransferDlg& batchProgressDialog() {
    if (theBatchProgressDialog.isNull()) {
        theBatchProgressDialog = new CTransferDlg;
        // Gone with the application object, before the window system is.
        qAddPostRoutine(deleteBatchProgressDialog);
    }
    return *theBatchProgressDialog;
}

bool ProgressDialogLink::isStepReady() const {
    return dialog_.isStepReady();
}
bool ProgressDialogLink::isBatchRunning() const {
    return dialog_.isBatchRunning();
}
bool ProgressDialogLink::transferSucceeded() const {
    return dialog_.transferSucceeded();
}
void ProgressDialogLink::setBatchRunning() {
    dialog_.setBatchRunning();
}
void ProgressDialogLink::setStepReady() {
    dialog_.setStepReady();
}
void ProgressDialogLink::clearStepReady() {
    dialog_.clearStepReady();
}
void ProgressDialogLink::stop() {
    dialog_.stop();
}

void ProgressDialogLink::reset() {
    dialog_.reset();
}
void ProgressDialogLink::setReceive(bool receive) {
    dialog_.receive = receive;
}
void ProgressDialogLink::setRecordsPerItem(int records) {
    dialog_.recordsPerItem = records < 1 ? 1 : records;
}
void ProgressDialogLink::setKeyWidth(int width) {
    dialog_.keyWidth = width;
}
void ProgressDialogLink::setAnswerFrameLimit(int frames) {
    dialog_.answerFrameLimit = frames;
}
void ProgressDialogLink::setMessage(const std::string& text) {
    dialog_.messageText = text;
}

void ProgressDialogLink::runProgress() {
    // The dialog has no parent, so that it outlives this batch dialog; it is shown over it.
    if (over_) {
        dialog_.adjustSize();
        const QRect area = over_->frameGeometry();
        dialog_.move(area.center() - dialog_.rect().center());
    }
    dialog_.exec();
}

}  // namespace vorn
