#include "editors/AdvTextDlg.h"

#include <QWidget>

#include "editors/AdvertisementTable.h"
#include "editors/RecordText.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Advertisement Text Numbers",
    .listCaption = "    No.    Advertisement Text  ",
    .fieldsCaption = "    No.        Advertisement Text",
    .valueOverflowAdds = true,
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
