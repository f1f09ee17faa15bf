#include "editors/numbered/GroupDlg.h"

#include <QWidget>

#include "editors/numbered/GroupTable.h"

namespace vorn {

namespace {
const NumberedTableLayout kLayout{
    .caption = "Group Numbers",
    .listCaption = "    No.   Group Name",
    .fieldsCaption = "    No.     Group Name",
    .addIsDefault = false,
    .valueEnterAdds = true,
};
}  // namespace

CGroupDlg::CGroupDlg(QWidget* parent) : NumberedTableDlg(groupTable(), kLayout, parent) {}

}  // namespace vorn
