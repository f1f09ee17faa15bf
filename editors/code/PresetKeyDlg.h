#pragma once
// CPresetKeyDlg: "Configure Presets". The 28 key buttons of one layer, the layer button, the
// number of operator keys, the discount key with its number, the PLU entry that appears when a
// key is clicked, the six hidden key options, and OK, Cancel, "PC->Sc", "Sc->PC". Every rule is
// in PresetKeyEditor.

#include <array>

#include "editors/code/PresetKeyEditor.h"
#include "editors/kit/TableDlg.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vorn {

class CPresetKeyDlg : public TableDlg {
    Q_OBJECT
public:
    explicit CPresetKeyDlg(QWidget* parent = nullptr);

    const PresetKeyEditor& editor() const { return editor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

protected:
    void saveAndClose() override { onOk(); }

private:
    void buildWidgets();
    void readControls();
    void writeControls();
    void showPluEntry(bool shown);
    // Tells a discount number outside 1 to 9 and puts the focus on it; false then.
    bool checkDiscountNumber();

    void onKey(int button);
    void onAdd();
    void onLayer();
    void onOperatorKeys(int n);
    void onDiscount();
    void onOk();
    void onSend();
    void onReceive();

    PresetKeyEditor editor_;
    std::array<QPushButton*, presetkey::kKeysPerLayer> keyButtons_{};
    QPushButton* layer_ = nullptr;
    QSpinBox* operatorKeys_ = nullptr;
    QCheckBox* discount_ = nullptr;
    QLabel* discountLabel_ = nullptr;
    QLineEdit* discountNumber_ = nullptr;
    QLabel* pluLabel_ = nullptr;
    QLineEdit* pluEntry_ = nullptr;
    QPushButton* add_ = nullptr;
    std::array<QCheckBox*, 6> options_{};
    QLabel* references_ = nullptr;  // the keys that point to a PLU the PLU file does not have
};

}  // namespace vorn
