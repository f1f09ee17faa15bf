#pragma once
// CBarcodeDlg: the barcode format editor, with the barcode type as two radio buttons.
// Choosing a type asks first and empties the list.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CBarcodeDlg : public NumberedTableDlg {
public:
    explicit CBarcodeDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
