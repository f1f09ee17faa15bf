#include "editors/kit/SingleRecordDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn {

SingleRecordDlg::SingleRecordDlg(const char* caption, CancelPlace cancelPlace, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(caption));
    fields_ = new QVBoxLayout;

    auto button = [this](const char* text, void (SingleRecordDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton* ok = button("OK", &SingleRecordDlg::onOk);
    ok->setDefault(true);
    QPushButton* cancel = button("Cancel", &SingleRecordDlg::reject);
    QPushButton* send = button("PC->Sc", &SingleRecordDlg::onSend);
    QPushButton* receive = button("Sc->PC", &SingleRecordDlg::onReceive);

    if (cancelPlace == CancelPlace::AfterOk) {
        buttons_ = {ok, cancel, send, receive};
    } else {
        buttons_ = {ok, send, receive, cancel};
    }
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : buttons_) {
        // The transfer buttons stand apart from OK and Cancel.
        if (b == send || (b == cancel && cancelPlace == CancelPlace::Last)) {
            buttons->addSpacing(12);
        }
        buttons->addWidget(b);
    }
    buttons->addStretch(1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(fields_, 1);
    top->addLayout(buttons);
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
