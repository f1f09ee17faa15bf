#include "comm/TransferDlg.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/RunState.h"
#include "comm/TransferProgress.h"
#include "res/TransferAnimation.h"
#include "widgets/QtText.h"

namespace vorn {

CTransferDlg::CTransferDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      message_(new QLabel(QString::fromLatin1(kDefaultMessageText))),
      animation_(new TransferAnimation),
      itemsSent_(new QLabel),
      cancel_(new QPushButton(tr("Cancel"))),
      ownLine_(makeSerialLine()) {
    setModal(true);
    runState().batchRunning = false;
    runState().timeout = false;
    env_.line = ownLine_.get();

    // A modal frame without a caption bar: the frame is drawn around the contents.
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* animationFrame = new QFrame;
    animationFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* animationLayout = new QHBoxLayout(animationFrame);
    animationLayout->addWidget(animation_);
    itemsSent_->setAlignment(Qt::AlignCenter);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &CTransferDlg::reject);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addWidget(message_);
    layout->addWidget(animationFrame);
    layout->addWidget(itemsSent_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(340);
}

CTransferDlg::~CTransferDlg() {
    if (worker_.running()) {
        runState().batchRunning = false;
        runState().requestStop();
        worker_.join();
    }
}

void CTransferDlg::setEnvironment(const EngineEnvironment& env) {
    env_ = env;
    if (env_.line == nullptr) {
        env_.line = ownLine_.get();
    }
}

int CTransferDlg::exec() {
    initDialog();
    return QDialog::exec();
}

void CTransferDlg::initDialog() {
    animation_->setReceive(receive);
    animation_->play();
    showValues();
    RunState& state = runState();
    state.setScaleList(scaleList);
    state.quiet = quiet;
    state.keyWidth = keyWidth;
    state.answerFrameLimit = answerFrameLimit;
    if (!env_.beep) {
        // The beeps come from the worker; QApplication::beep belongs to the dialog's thread.
        env_.beep = [](Beep) {
            QMetaObject::invokeMethod(
                qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
        };
    }
    worker_.join();
    worker_.start(env_, *this);
}

void CTransferDlg::showValues() {
    message_->setText(toQString(messageText));
    itemsSent_->setText(toQString(itemsSentText));
}

void CTransferDlg::endRun(int result) {
    worker_.join();  // the worker's last act was to post this
    animation_->stop();
    tellLineFailure(env_.line->failureText());
    done(result);
}

void CTransferDlg::reject() {
    runState().requestStop();
    if (runState().batchRunning) {
        runState().setBatchRunning(false);
    }
}

void CTransferDlg::finished(bool stopped) {
    QMetaObject::invokeMethod(
        this, [this, stopped] { endRun(stopped ? QDialog::Rejected : QDialog::Accepted); },
        Qt::QueuedConnection);
}

void CTransferDlg::progress(int scaleNumber, const std::string& scaleName, int answerCount) {
    // The scale name is copied into the call: the worker may already be at the next scale.
    QMetaObject::invokeMethod(
        this,
        [this, scaleNumber, name = scaleName, answerCount] {
            onProgress(scaleNumber, name, answerCount);
        },
        Qt::QueuedConnection);
}

void CTransferDlg::portFailed() {
    QMetaObject::invokeMethod(
        this, [this] { onPortFailure(); }, Qt::QueuedConnection);
}

void CTransferDlg::onProgress(int scaleNumber, const std::string& scaleName, int answerCount) {
    if (scaleNumber != 0) {
        setWindowTitle(toQString(scaleTitle(scaleNumber, scaleName)));
    }
    if (!runState().quiet) {
        itemsSentText = vorn::itemsSentText(answerCount, recordsPerItem, itemsSentText);
    }
    showValues();
}

void CTransferDlg::onPortFailure() {
    animation_->stop();
    messageText = kPortFailureText;
    showValues();
    endRun(QDialog::Rejected);
}

bool CTransferDlg::reset() {
    messageText.clear();
    itemsSentText.clear();
    scaleList.clear();
    quiet = false;
    keyWidth = 0;
    answerFrameLimit = 0;
    recordsPerItem = 1;
    RunState& state = runState();
    state.timeout = false;
    state.setScaleList(scaleList);
    state.quiet = quiet;
    state.keyWidth = keyWidth;
    state.answerFrameLimit = answerFrameLimit;
    return true;
}

void CTransferDlg::setBatchRunning() {
    runState().setBatchRunning(true);
}
void CTransferDlg::setStepReady() {
    runState().setStepReady();
}
void CTransferDlg::clearStepReady() {
    runState().requestNextPass();
}
bool CTransferDlg::isBatchRunning() const {
    return runState().batchRunning;
}
bool CTransferDlg::transferSucceeded() const {
    return runState().transferSucceeded;
}
bool CTransferDlg::isStepReady() const {
    return runState().stepReady;
}

void CTransferDlg::stop() {
    RunState& state = runState();
    state.batchRunning = false;
    state.requestStop();
}

}  // namespace vorn
