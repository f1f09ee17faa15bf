#include "editors/numbered/TareDlg.h"

#include <QWidget>

#include "editors/numbered/TareTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Tare Numbers",
    .listCaption = " No  Tare(lb)",
    .fieldsCaption = " No    Tare(lb)",
    .numericValue = true,
    .valueDecimals = 3,
};
}  // namespace

CTareDlg::CTareDlg(QWidget* parent) : NumberedTableDlg(tareTable(), kLayout, parent) {}

}  // namespace vorn
