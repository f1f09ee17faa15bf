#include "editors/text/HeaderBottomDlg.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "widgets/QtText.h"
#include "widgets/TextBox.h"

namespace vorn {

namespace {

// Each text field is this many characters wide and shows this many lines.
constexpr int kTextColumns = 40;
constexpr int kTextLines = 4;

void readSide(const TextBox* text, const QCheckBox* centred, const QLineEdit* font,
              LabelSide& side) {
    side.text = text->text();
    side.centred = centred->isChecked() ? 1 : 0;
    side.font = fromQString(font->text());
}

}  // namespace

CHeaderBottomDlg::CHeaderBottomDlg(QWidget* parent)
    : SingleRecordDlg("Label Header/Bottom", CancelPlace::Last, parent) {
    header_ = buildSide("Header", "header");
    bottom_ = buildSide("Bottom", "bottom");
    fieldsLayout()->addStretch(1);
    setTabOrder(header_.font, bottom_.text);
    finishFields(header_.text, bottom_.font);

    texts_.open();
    writeFields();
}

CHeaderBottomDlg::SideFields CHeaderBottomDlg::buildSide(const char* caption, const char* name) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), this);
    SideFields side;
    side.text = new TextBox(box);
    side.text->setObjectName(QString::fromLatin1(name));
    side.text->setAccessibleName(box->title());
    side.text->setShape(kTextColumns, kTextLines, TextBox::Wrap::None);
    side.text->setMaxLength(headerbottom::kFieldLength);
    side.centred = new QCheckBox(QStringLiteral("Centralize"), box);
    side.centred->setObjectName(QString::fromLatin1(name) + "Centred");
    side.font = new QLineEdit(box);
    side.font->setObjectName(QString::fromLatin1(name) + "Font");
    side.font->setMaxLength(headerbottom::kFontLength);
    side.font->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), side.font));
    const int cw = side.font->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    side.font->setFixedWidth(cw * (headerbottom::kFontLength + 4));
    auto* fontLabel = new QLabel(QStringLiteral("Font:"), box);
    fontLabel->setBuddy(side.font);
    side.font->setAccessibleName(fontLabel->text());
    // The text box shows the side as it will be printed: centred or not.
    TextBox* text = side.text;
    connect(side.centred, &QCheckBox::toggled, text, &TextBox::setCentred);

    auto* options = new QHBoxLayout;
    options->addWidget(side.centred);
    options->addSpacing(cw * 3);
    options->addWidget(fontLabel);
    options->addWidget(side.font);
    options->addStretch(1);
    auto* column = new QVBoxLayout(box);
    column->addWidget(side.text);
    column->addLayout(options);
    fieldsLayout()->addWidget(box);
    return side;
}

void CHeaderBottomDlg::readFields() {
    readSide(header_.text, header_.centred, header_.font, texts_.header);
    readSide(bottom_.text, bottom_.centred, bottom_.font, texts_.bottom);
}

void CHeaderBottomDlg::writeFields() {
    const auto write = [](const LabelSide& side, const SideFields& fields) {
        fields.text->setText(side.text);
        fields.centred->setChecked(side.centred != 0);
        fields.text->setCentred(side.centred != 0);
        fields.font->setText(toQString(side.font));
    };
    write(texts_.header, header_);
    write(texts_.bottom, bottom_);
}

void CHeaderBottomDlg::focusRefused(HeaderBottom::Field refused) {
    if (refused == HeaderBottom::Field::HeaderFont) {
        header_.font->setFocus();
    } else if (refused == HeaderBottom::Field::BottomFont) {
        bottom_.font->setFocus();
    }
}

bool CHeaderBottomDlg::save() {
    HeaderBottom::Field refused = HeaderBottom::Field::None;
    const bool saved = texts_.save(&refused);
    writeFields();
    focusRefused(refused);
    return saved;
}

void CHeaderBottomDlg::send() {
    HeaderBottom::Field refused = HeaderBottom::Field::None;
    texts_.send(&refused);
    focusRefused(refused);
}

}  // namespace vorn
