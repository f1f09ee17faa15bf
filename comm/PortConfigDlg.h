#pragma once
// The port configuration dialog behind "&Config...": baud rate, data bits, parity and stop
// bits, with the codes of comport.ini. OK copies the choices into the settings; Cancel leaves
// them as they were.

#include <QDialog>

#include "comm/ComPortSettings.h"

class QComboBox;

namespace vorn {

class CPortConfigDlg : public QDialog {
    Q_OBJECT
public:
    CPortConfigDlg(QWidget* parent, const QString& portName, const ComPortSettings& settings);

    // The settings with the choices of the dialog.
    ComPortSettings settings() const;

    QComboBox* baudRateBox() const { return baud_; }
    QComboBox* dataBitsBox() const { return dataBits_; }
    QComboBox* parityBox() const { return parity_; }
    QComboBox* stopBitsBox() const { return stopBits_; }

private:
    ComPortSettings settings_;
    QComboBox* baud_;
    QComboBox* dataBits_;
    QComboBox* parity_;
    QComboBox* stopBits_;
};

}  // namespace vorn
