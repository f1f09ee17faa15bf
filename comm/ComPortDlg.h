#pragma once
// "ComPort property": the port that leads to the scales and its line settings, stored in
// comport.ini beside the program on OK. Cancel stores nothing.

#include <QDialog>
#include <QStringList>

#include "comm/ComPortSettings.h"

class QComboBox;

namespace vorn {

inline constexpr const char* kCannotCreatePortFileText = "Cant create commport file";

// The serial devices present: /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* and the pseudo-terminals.
QStringList serialDeviceCandidates();

class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    explicit CComPortDlg(QWidget* parent = nullptr);

    QComboBox* portList() const { return portList_; }
    QComboBox* deviceField() const { return device_; }
    // The settings being edited (the file's when the dialog opened, then the changes).
    ComPortSettings settings() const;

    void accept() override;

private:
    void configure();

    ComPortSettings settings_;
    QComboBox* portList_;
    QComboBox* device_;
};

}  // namespace vorn
