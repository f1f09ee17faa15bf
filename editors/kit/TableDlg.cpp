#include "editors/kit/TableDlg.h"

#include <QShowEvent>

#include "platform/Prompter.h"
#include "widgets/ControlsState.h"

namespace vorn {

void TableDlg::showEvent(QShowEvent* e) {
    if (!shownState_) {
        shownState_ = dataState();
    }
    QDialog::showEvent(e);
}

QStringList TableDlg::dataState() const {
    return controlsState(this);
}

void TableDlg::done(int result) {
    closing_ = true;
    QDialog::done(result);
    closing_ = false;
}

void TableDlg::reject() {
    if (!closing_ && shownState_ && dataState() != *shownState_) {
        const PromptAnswer answer = askToSave(kUnsavedChangesQuestion);
        if (answer == PromptAnswer::Ok) {
            saveAndClose();
        }
        if (answer != PromptAnswer::Discard) {
            return;
        }
    }
    QDialog::reject();
}

}  // namespace vorn
