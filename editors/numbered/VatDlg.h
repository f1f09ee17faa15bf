#pragma once
// CVatDlg: the VAT rate editor; both fields are checked while the user types.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CVatDlg : public NumberedTableDlg {
public:
    explicit CVatDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
