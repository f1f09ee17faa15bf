#pragma once
// CExtraTextDlg: the extra text editor. The text field wraps at 36 characters, and the
// text goes to the scale as the field shows it; "OK" first adds what the fields hold.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CExtraTextDlg : public NumberedTableDlg {
public:
    explicit CExtraTextDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
