#include "editors/numbered/OperatorDlg.h"

#include <QWidget>

#include "editors/numbered/OperatorTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Operator Numbers",
    .listCaption = "   No        Operator Numbers",
    .fieldsCaption = "   No        Operatorname",
    .focusNumberOnOpen = true,
};
}  // namespace

COperatorDlg::COperatorDlg(QWidget* parent) : NumberedTableDlg(operatorTable(), kLayout, parent) {}

}  // namespace vorn
