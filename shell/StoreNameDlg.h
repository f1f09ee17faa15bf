#pragma once
// "Store Name": the name of a store, at most 50 characters.

#include "shell/NameEntryDlg.h"
#include "shell/StoreList.h"

namespace vorn {

class CStoreNameDlg : public CNameEntryDlg {
public:
    explicit CStoreNameDlg(QWidget* parent, const std::string& name = {})
        : CNameEntryDlg(parent, "Store Name", "Store Name", name, &storeNameProblem) {}
};

}  // namespace vorn
