#include "editors/text/StoreAddressDlg.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "editors/kit/RecordText.h"
#include "widgets/TextBox.h"

namespace vorn {

CStoreAddressDlg::CStoreAddressDlg(QWidget* parent)
    : SingleRecordDlg("Store Address", CancelPlace::AfterOk, parent) {
    auto* label = new QLabel(QStringLiteral("Store Address"), this);
    text_ = new TextBox(this);
    text_->setObjectName("address");
    text_->setAccessibleName(label->text());
    text_->setShape(static_cast<int>(kScaleLineLength), storeaddress::kFieldLines,
                    TextBox::Wrap::Anywhere);
    text_->setMaxLines(storeaddress::kFieldLines);
    text_->setMaxLength(storeaddress::kFieldLength);
    text_->setCentred(true);
    label->setBuddy(text_);
    fieldsLayout()->addWidget(label);
    fieldsLayout()->addWidget(text_);
    fieldsLayout()->addStretch(1);
    finishFields(text_, text_);

    address_.open();
    writeFields();
}

void CStoreAddressDlg::readFields() {
    address_.text = text_->text();
}

void CStoreAddressDlg::writeFields() {
    text_->setText(address_.text);
}

}  // namespace vorn
