#pragma once
// CMarqueeDlg: the marquee message that the scale scrolls on its display, one line of up to
// 100 characters.

#include "editors/kit/SingleRecordDlg.h"
#include "editors/text/MarqueeMessage.h"

class QLineEdit;

namespace vorn {

class CMarqueeDlg : public SingleRecordDlg {
    Q_OBJECT
public:
    explicit CMarqueeDlg(QWidget* parent = nullptr);

    const MarqueeMessage& record() const { return message_; }

protected:
    void readFields() override;
    void writeFields() override;
    bool save() override { return message_.save(); }
    void send() override { message_.send(); }
    void receive() override { message_.receive(); }

private:
    MarqueeMessage message_;
    QLineEdit* text_ = nullptr;
};

}  // namespace vorn
