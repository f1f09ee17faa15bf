#include "editors/kit/SingleRecordDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/kit/TableButtons.h"

namespace vorn {

SingleRecordDlg::SingleRecordDlg(const char* caption, CancelPlace cancelPlace, QWidget* parent)
    : TableDlg(parent) {
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
