#include "editors/numbered/AdvTextDlg.h"

#include <QWidget>

#include "editors/kit/RecordText.h"
#include "editors/numbered/AdvertisementTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Advertisement Text Numbers",
    .listCaption = "    No.    Advertisement Text  ",
    .fieldsCaption = "    No.        Advertisement Text",
    .numberRightAligned = true,
    .valueLines = 2,
    .valueColumns = static_cast<int>(kScaleLineLength),
    .valueWrap = TextBox::Wrap::Anywhere,
    .valueLineLimit = 2,
    .listColumns = 60,
};
}  // namespace

CAdvTextDlg::CAdvTextDlg(QWidget* parent)
    : NumberedTableDlg(advertisementTable(), kLayout, parent) {}

}  // namespace vorn
