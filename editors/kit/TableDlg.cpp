#include "editors/kit/TableDlg.h"

#include <QShowEvent>

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
    if (!closing_ && shownState_ && dataState() != *shownState_ &&
        !closeWithoutSaving([this] { saveAndClose(); })) {
        return;
    }
    QDialog::reject();
}

}  // namespace vorn
