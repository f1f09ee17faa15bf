#include "editors/code/BarcodeDlg.h"

#include <QWidget>

#include "editors/code/BarcodeTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Barcode Numbers",
    .listCaption = "No    BarCode",
    .fieldsCaption = "No    BarCode",
    .focusNumberAfterAdd = true,
    .valueUpperCase = true,
    .choiceCaption = "Type",
    .choices = {"UPC", "EAN"},
    .cancelCaption = "CanCel",
};
}  // namespace

CBarcodeDlg::CBarcodeDlg(QWidget* parent) : NumberedTableDlg(barcodeTable(), kLayout, parent) {}

}  // namespace vorn
