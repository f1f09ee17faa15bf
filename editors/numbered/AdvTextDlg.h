#pragma once
// CAdvTextDlg: the advertisement text editor. The text field holds two lines of 36
// characters, as the scale shows them; typing past them adds the row, as if "Add" were
// pressed.

#include "editors/kit/NumberedTableDlg.h"

namespace vorn {

class CAdvTextDlg : public NumberedTableDlg {
public:
    explicit CAdvTextDlg(QWidget* parent = nullptr);
};

}  // namespace vorn
