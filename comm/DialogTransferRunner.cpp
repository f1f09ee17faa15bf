#include "comm/DialogTransferRunner.h"

#include <QApplication>

#include "comm/TableTransfer.h"
#include "comm/TransferDlg.h"
#include "platform/Prompter.h"

namespace vorn {

void DialogTransferRunner::run(const TransferRequest& request) {
    QWidget* owner = parent_ ? parent_.data() : QApplication::activeWindow();
    CTransferDlg dlg(owner);
    dlg.receive = request.receive;
    dlg.messageText = request.message;
    dlg.keyWidth = request.keyWidth;
    dlg.answerFrameLimit = request.answerFrameLimit;
    dlg.recordsPerItem = request.recordsPerItem < 1 ? 1 : request.recordsPerItem;
    dlg.quiet = request.quiet;
    dlg.scaleList = request.scaleList;
    if (!device_.empty()) {
        EngineEnvironment env;
        env.device = device_;
        dlg.setEnvironment(env);
    }
    lastResult_ = dlg.exec();
    // A transfer that went through says what it moved; one that failed is told, in words, by
    // the caller that judges the answer.
    if (const std::string done = successInWords(); !done.empty() && !request.quiet) {
        tell(latin1ToUtf8(done), PromptIcon::Information);
    }
}

}  // namespace vorn
