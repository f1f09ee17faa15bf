#pragma once
// "Add Scale Name": the name of a scale, at most 10 characters so that it fits its slot in the
// store entry.

#include "shell/NameEntryDlg.h"
#include "shell/StoreList.h"

namespace vorn {

class CScaleNameDlg : public CNameEntryDlg {
public:
    explicit CScaleNameDlg(QWidget* parent, const std::string& name = {})
        : CNameEntryDlg(parent, "Add Scale Name", "Scale Name", name, &scaleNameProblem) {}
};

}  // namespace vorn
