#pragma once
// COperatorDlg: the operator editor.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class COperatorDlg : public NumberedTableDlg {
public:
    explicit COperatorDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
