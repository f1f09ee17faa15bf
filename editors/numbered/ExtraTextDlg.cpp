#include "editors/numbered/ExtraTextDlg.h"

#include <QWidget>

#include "editors/kit/RecordText.h"
#include "editors/numbered/ExtraTextTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Extra Text Number",
    .listCaption = "Extra Text",
    .fieldsCaption = "No.",
    .valueCaption = "Text",
    .focusValueAfterAdd = true,
    .valueLines = 10,
    .valueColumns = static_cast<int>(kScaleLineLength),
    .valueWrap = TextBox::Wrap::Words,
    .listColumns = 60,
};
}  // namespace

CExtraTextDlg::CExtraTextDlg(QWidget* parent)
    : NumberedTableDlg(extraTextTable(), kLayout, parent) {}

}  // namespace vorn
