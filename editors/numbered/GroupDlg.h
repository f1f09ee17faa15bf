#pragma once
// CGroupDlg: the article group editor. Enter in the name field adds the row; elsewhere it acts as
// "OK".

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CGroupDlg : public NumberedTableDlg {
public:
    explicit CGroupDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
