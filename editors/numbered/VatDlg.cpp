#include "editors/numbered/VatDlg.h"

#include <QWidget>

#include "editors/numbered/VatTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "VAT",
    .listCaption = "  No     VAT(%)",
    .fieldsCaption = "  No     VAT(%)",
    .focusNumberAfterAdd = true,
    .valueCentred = true,
};
}  // namespace

CVatDlg::CVatDlg(QWidget* parent) : NumberedTableDlg(vatTable(), kLayout, parent) {}

}  // namespace vorn
