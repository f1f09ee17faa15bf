#include "editors/kit/SingleRecordDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/kit/TableButtons.h"
#include "platform/Prompter.h"
#include "widgets/ControlsState.h"

namespace vorn {

SingleRecordDlg::SingleRecordDlg(const char* caption, CancelPlace cancelPlace, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(caption));
    fields_ = new QVBoxLayout;

    const TableButtons buttons = tableButtons(
        this, cancelPlace, [this] { onOk(); }, [this] { onSend(); }, [this] { onReceive(); });
    buttons_ = buttons.order;

    auto* top = new QHBoxLayout(this);
    top->addLayout(fields_, 1);
    top->addLayout(buttons.layout);
}

void SingleRecordDlg::finishFields(QWidget* firstField, QWidget* lastField) {
    firstField->setFocus();
    QWidget* previous = lastField;
    for (QPushButton* b : buttons_) {
        setTabOrder(previous, b);
        previous = b;
    }
}

void SingleRecordDlg::showEvent(QShowEvent* e) {
    if (!openedState_) {
        openedState_ = controlsState(this);
    }
    QDialog::showEvent(e);
}

void SingleRecordDlg::done(int result) {
    closing_ = true;
    QDialog::done(result);
    closing_ = false;
}

void SingleRecordDlg::reject() {
    if (!closing_ && openedState_ && controlsState(this) != *openedState_) {
        const PromptAnswer answer = askToSave(kUnsavedChangesQuestion);
        if (answer == PromptAnswer::Ok) {
            onOk();
        }
        if (answer != PromptAnswer::Discard) {
            return;
        }
    }
    QDialog::reject();
}

void SingleRecordDlg::onOk() {
    readFields();
    if (save()) {
        accept();
    }
}

void SingleRecordDlg::onSend() {
    readFields();
    send();
    writeFields();
}

void SingleRecordDlg::onReceive() {
    receive();
    writeFields();
}

}  // namespace vorn
