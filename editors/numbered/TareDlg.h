#pragma once
// CTareDlg: the tare editor; the weight field is a numeric entry field of 5 characters with 3
// decimals.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CTareDlg : public NumberedTableDlg {
public:
    explicit CTareDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
