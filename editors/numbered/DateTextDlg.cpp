#include "editors/numbered/DateTextDlg.h"

#include <QWidget>

#include "editors/numbered/DateTextTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Date Text Numbers",
    .listCaption = "No         DateText",
    .fieldsCaption = "No",
    .valueCaption = " DateText",
    .tabStopDialogUnits = 13,
};
}  // namespace

CDateTextDlg::CDateTextDlg(QWidget* parent) : NumberedTableDlg(dateTextTable(), kLayout, parent) {}

}  // namespace vorn
