#pragma once
// CStoreAddressDlg: the store address, two centred lines of 36 characters as the labels print
// them.

#include "editors/kit/SingleRecordDlg.h"
#include "editors/text/StoreAddress.h"

namespace vorn {

class TextBox;

class CStoreAddressDlg : public SingleRecordDlg {
    Q_OBJECT
public:
    explicit CStoreAddressDlg(QWidget* parent = nullptr);

    const StoreAddress& record() const { return address_; }

protected:
    void readFields() override;
    void writeFields() override;
    bool save() override { return address_.save(); }
    void send() override { address_.send(); }
    void receive() override { address_.receive(); }

private:
    StoreAddress address_;
    TextBox* text_ = nullptr;
};

}  // namespace vorn
