#pragma once
// CDefaultLabelDlg: "Default Label" for one kind of label, named at the top left. The label
// number, the fonts, the alignment, the store address, the advertising and extra texts and the
// three dates, with OK, Cancel, "PC->Sc" and "Sc->PC". Every rule is in DefaultLabel.

#include <array>

#include "editors/kit/TableDlg.h"
#include "editors/setup/DefaultLabel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vorn {

class CDefaultLabelDlg : public TableDlg {
    Q_OBJECT
public:
    CDefaultLabelDlg(const DefaultLabelKind& kind, QWidget* parent = nullptr);

    const DefaultLabel& label() const { return label_; }

protected:
    void saveAndClose() override { onOk(); }

private:
    void buildWidgets();
    void readControls();
    void writeControls();
    // After a failed check: the fields shown again and the failing one focused.
    void showProblem(LabelField field);
    // Shows what the fields as typed name that the text tables do not have.
    void showReferences();

    void onOk();
    void onSend();
    void onRequest();

    DefaultLabel label_;
    std::array<QLineEdit*, kLabelFieldCount> texts_{};
    std::array<QRadioButton*, 3> alignment_{};
    QCheckBox* storeAddress_ = nullptr;
    QComboBox* packingFormat_ = nullptr;
    QComboBox* bestBeforeFormat_ = nullptr;
    QComboBox* sellByFormat_ = nullptr;
    QLabel* references_ = nullptr;
};

}  // namespace vorn
