#include "editors/text/MarqueeDlg.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widgets/QtText.h"

namespace vorn {

namespace {
// The field shows this many characters; a longer message scrolls within it.
constexpr int kShownColumns = 64;
}  // namespace

CMarqueeDlg::CMarqueeDlg(QWidget* parent)
    : SingleRecordDlg("Marquee Message", CancelPlace::AfterOk, parent) {
    auto* label = new QLabel(QStringLiteral("Marquee Message"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName("message");
    text_->setAccessibleName(label->text());
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setMaxLength(static_cast<int>(marquee::kTextWidth));
    text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                           (kShownColumns + 2));
    label->setBuddy(text_);
    fieldsLayout()->addWidget(label);
    fieldsLayout()->addWidget(text_);
    fieldsLayout()->addStretch(1);
    finishFields(text_, text_);

    message_.open();
    writeFields();
}

void CMarqueeDlg::readFields() {
    message_.text = fromQString(text_->text());
}

void CMarqueeDlg::writeFields() {
    text_->setText(toQString(message_.text));
    text_->setCursorPosition(0);
}

}  // namespace vorn
