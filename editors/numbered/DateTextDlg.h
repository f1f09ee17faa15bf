#pragma once
// CDateTextDlg: the date text editor.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CDateTextDlg : public NumberedTableDlg {
public:
    explicit CDateTextDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
