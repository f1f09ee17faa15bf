#pragma once
// CPluEditDlg: the editor of one PLU item. It shows the form of the values it is given, lets
// the user change them, runs the checks of OK and hands back the accepted values; "Save
// Default" and "Load Default" keep one set of values in PLUdft.dat. The rules are PluForm's.

#include <QDialog>
#include <map>
#include <optional>

#include "editors/kit/TableReferences.h"
#include "plu/PluForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vorn {

class CNumEdit;

class CPluEditDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on the form of the values: decoded ones for "Edit", a new PLU's for "Add".
    CPluEditDlg(const PluValues& values, QWidget* parent = nullptr);

    // The values after OK: prices in hundredths, the fixweight in thousandths.
    const PluValues& accepted() const { return form_.values; }

    // Runs the editor modally; the accepted values after OK, else no value.
    static std::optional<PluValues> run(const PluValues& values, QWidget* parent);

private:
    void buildWidgets();
    QLineEdit* digitEdit(const char* name, const char* accessibleName, int maxLength);
    QLabel* label(const char* text);
    void readForm();
    void writeForm();
    void showFixweightIfByCount();
    // Shows what the fields as typed name that the group, tare and text tables do not have.
    void showReferences();
    void onOk();
    void onSaveDefault();
    void onLoadDefault();

    PluForm form_;

    QLineEdit* vatNumber_ = nullptr;
    QLineEdit* pluNumber_ = nullptr;
    QLineEdit* itemNumber_ = nullptr;
    QLineEdit* description1_ = nullptr;
    QLineEdit* fontSize1_ = nullptr;
    QLineEdit* description2_ = nullptr;
    QLineEdit* fontSize2_ = nullptr;
    CNumEdit* price_ = nullptr;
    QLineEdit* groupNumber_ = nullptr;
    QCheckBox* discount_ = nullptr;
    QLineEdit* tareNumber_ = nullptr;
    QCheckBox* byCount_ = nullptr;
    QCheckBox* openPrice_ = nullptr;
    QLabel* fixweightLabel_ = nullptr;
    CNumEdit* fixweight_ = nullptr;
    QLabel* fixweightUnit_ = nullptr;
    QLineEdit* labelNumber_ = nullptr;
    QLineEdit* advertisingText_ = nullptr;
    QRadioButton* alignment_[3] = {};
    QCheckBox* printStoreAddress_ = nullptr;
    QLineEdit* extraText_ = nullptr;
    QLineEdit* extraFontSize_ = nullptr;
    struct DateGroup {
        QLineEdit* dateText = nullptr;
        QComboBox* format = nullptr;
        QCheckBox* cross = nullptr;
        QLineEdit* days = nullptr;
    };
    DateGroup pack_;
    DateGroup bestBefore_;
    DateGroup sellBy_;
    std::map<PluFormField, QWidget*> fieldWidgets_;
    QLabel* references_ = nullptr;
    KnownNumbers known_;
};

}  // namespace vorn
