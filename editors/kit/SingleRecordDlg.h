#pragma once
// The base of the single-record dialogs (store address, marquee message, header and bottom):
// the dialog's own fields beside the buttons "OK" (default), "Cancel", "PC->Sc" and "Sc->PC".
// OK reads the fields and closes when the record was saved; PC->Sc reads the fields, sends and
// shows the fields again; Sc->PC receives and shows the fields. A derived dialog builds its
// fields into fieldsLayout(), calls finishFields, opens its record and shows it, and implements
// the five hooks over its core model.

#include <vector>

#include "editors/kit/TableButtons.h"
#include "editors/kit/TableDlg.h"

class QPushButton;
class QVBoxLayout;

namespace vorn {

class SingleRecordDlg : public TableDlg {
    Q_OBJECT
public:
    SingleRecordDlg(const char* caption, CancelPlace cancelPlace, QWidget* parent);

protected:
    void saveAndClose() override { onOk(); }
    QVBoxLayout* fieldsLayout() const { return fields_; }
    // Called once the fields are built: the first field has the focus when the dialog opens,
    // and Tab goes through the fields, then down the buttons.
    void finishFields(QWidget* firstField, QWidget* lastField);

    virtual void readFields() = 0;
    virtual void writeFields() = 0;
    virtual bool save() = 0;  // false keeps the dialog open
    virtual void send() = 0;
    virtual void receive() = 0;

private:
    void onOk();
    void onSend();
    void onReceive();

    QVBoxLayout* fields_ = nullptr;
    std::vector<QPushButton*> buttons_;  // in the order they stand
};

}  // namespace vorn
