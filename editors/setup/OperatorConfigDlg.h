#pragma once
// COperatorConfigDlg: "Operator Configuration". The power-on mode, the printer media list, the
// ticket options and three further options, with OK, Cancel, "PC->Sc" and "Sc->PC". Every rule
// is in OperatorConfig.

#include "editors/kit/TableDlg.h"
#include "editors/setup/OperatorConfig.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace vorn {

class COperatorConfigDlg : public TableDlg {
    Q_OBJECT
public:
    explicit COperatorConfigDlg(QWidget* parent = nullptr);

    const OperatorConfig& config() const { return config_; }

protected:
    void saveAndClose() override { onOk(); }

private:
    void buildWidgets();
    void readControls();
    void writeControls();

    void onOk();
    void onSend();
    void onReceive();

    OperatorConfig config_;
    QRadioButton* saleMode_ = nullptr;
    QRadioButton* prepackMode_ = nullptr;
    QComboBox* printerMedia_ = nullptr;
    QCheckBox* pluNumber_ = nullptr;
    QCheckBox* header_ = nullptr;
    QCheckBox* footer_ = nullptr;
    QCheckBox* totalWeight_ = nullptr;
    QCheckBox* stub_ = nullptr;
    QCheckBox* barcode_ = nullptr;
    QCheckBox* barcodeOnStub_ = nullptr;
    QCheckBox* marquee_ = nullptr;
    QCheckBox* ticketNumberOnLabel_ = nullptr;
    QCheckBox* tareDisplay_ = nullptr;
    QRadioButton* hiddenRadio0_ = nullptr;
    QRadioButton* hiddenRadio1_ = nullptr;
};

}  // namespace vorn
