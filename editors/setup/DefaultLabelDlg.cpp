#include "editors/setup/DefaultLabelDlg.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editors/kit/TableButtons.h"
#include "widgets/QtText.h"

namespace vorn {

namespace {

// The longest entry of each text field; 0: no limit.
constexpr int kMaxLengths[kLabelFieldCount] = {2, 2, 2, 0, 2, 3, 1, 1, 1, 3, 3};
constexpr const char* kNames[kLabelFieldCount] = {
    "labelNumber", "tlu1Font",       "tlu2Font",   "fontSize",       "advertisingText", "extraText",
    "packingText", "bestBeforeText", "sellByText", "bestBeforeDays", "sellByDays"};

}  // namespace

CDefaultLabelDlg::CDefaultLabelDlg(const DefaultLabelKind& kind, QWidget* parent)
    : TableDlg(parent), label_(kind) {
    setWindowTitle("Default Label");
    buildWidgets();
    label_.open();
    writeControls();
}

void CDefaultLabelDlg::buildWidgets() {
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(kNames[i]);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        if (kMaxLengths[i] > 0) {
            edit->setMaxLength(kMaxLengths[i]);
        }
        edit->setFixedWidth(charWidth * std::max(kMaxLengths[i], 3) + 16);
        texts_[i] = edit;
        connect(edit, &QLineEdit::textEdited, this, &CDefaultLabelDlg::showReferences);
    }
    auto text = [this](LabelField f) { return texts_[static_cast<std::size_t>(f)]; };
    // A field under its label; its accessible name is the label's text.
    auto labelled = [](QFormLayout* form, const char* caption, QWidget* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        field->setAccessibleName(label->text().trimmed());
        form->addRow(label, field);
    };
    auto formatList = [this](int entries, int* code) {
        auto* list = new QComboBox(this);
        for (int e = 0; e < entries; ++e) {
            list->addItem(defaultlabel::kFormatNames[e]);
        }
        // The record keeps its code until the user picks an entry.
        connect(list, &QComboBox::activated, this, [code](int entry) { *code = entry; });
        return list;
    };
    DefaultLabelFields& f = label_.fields();

    auto* kindName = new QLabel(QString::fromLatin1(label_.kind().name), this);
    kindName->setFrameShape(QFrame::StyledPanel);
    kindName->setFrameShadow(QFrame::Sunken);
    kindName->setMargin(4);

    auto* general = new QFormLayout;
    labelled(general, "LabelNo", text(LabelField::LabelNumber));
    labelled(general, "TLU1 Font:", text(LabelField::Tlu1Font));
    labelled(general, "TLU2 Font:", text(LabelField::Tlu2Font));
    labelled(general, "Advertising Text No.", text(LabelField::AdvertisingText));
    labelled(general, "Extra Text No.", text(LabelField::ExtraText));
    labelled(general, " Font Size", text(LabelField::FontSize));
    storeAddress_ = new QCheckBox("Print Store Address", this);
    general->addRow(storeAddress_);

    auto* align = new QGroupBox("Align", this);
    auto* alignLayout = new QVBoxLayout(align);
    const char* alignments[] = {"Left", "Center", "Auto"};
    for (std::size_t i = 0; i < alignment_.size(); ++i) {
        alignment_[i] = new QRadioButton(alignments[i], align);
        alignLayout->addWidget(alignment_[i]);
    }

    auto dateGroup = [&](const char* caption, LabelField textField, QComboBox* list,
                         QLineEdit* days) {
        auto* group = new QGroupBox(caption, this);
        auto* form = new QFormLayout(group);
        labelled(form, "DateTextNo:", text(textField));
        labelled(form, "PrintFomat:", list);
        list->view()->setAccessibleName(list->accessibleName());
        if (days != nullptr) {
            labelled(form, "days:", days);
        }
        return group;
    };
    packingFormat_ = formatList(defaultlabel::kPackingFormats, &f.packingFormat);
    bestBeforeFormat_ = formatList(defaultlabel::kDateFormats, &f.bestBeforeFormat);
    sellByFormat_ = formatList(defaultlabel::kDateFormats, &f.sellByFormat);
    auto* dates = new QHBoxLayout;
    dates->addWidget(dateGroup("PackageDate", LabelField::PackingDateText, packingFormat_, nullptr),
                     0, Qt::AlignTop);
    dates->addWidget(dateGroup("BestBeforeDate", LabelField::BestBeforeDateText, bestBeforeFormat_,
                               text(LabelField::BestBeforeDays)),
                     0, Qt::AlignTop);
    dates->addWidget(dateGroup("SellByDate", LabelField::SellByDateText, sellByFormat_,
                               text(LabelField::SellByDays)),
                     0, Qt::AlignTop);

    const TableButtons buttons = tableButtons(
        this, CancelPlace::AfterOk, [this] { onOk(); }, [this] { onSend(); },
        [this] { onRequest(); });

    auto* upper = new QHBoxLayout;
    upper->addLayout(general);
    upper->addSpacing(16);
    upper->addWidget(align, 0, Qt::AlignTop);
    upper->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(kindName, 0, Qt::AlignLeft);
    left->addLayout(upper);
    left->addLayout(dates);
    // The texts that the fields name and the text tables do not have.
    references_ = new QLabel(this);
    references_->setObjectName("references");
    references_->setWordWrap(true);
    references_->setStyleSheet("color: #b00000");
    left->addWidget(references_);
    left->addStretch(1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(12);
    top->addLayout(buttons.layout);
}

void CDefaultLabelDlg::readControls() {
    DefaultLabelFields& f = label_.fields();
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        f.texts[i] = fromQString(texts_[i]->text());
    }
    for (std::size_t i = 0; i < alignment_.size(); ++i) {
        if (alignment_[i]->isChecked()) {
            f.alignment = static_cast<int>(i);
        }
    }
    f.storeAddress = storeAddress_->isChecked();
}

void CDefaultLabelDlg::writeControls() {
    const DefaultLabelFields& f = label_.fields();
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        texts_[i]->setText(toQString(f.texts[i]));
    }
    // An alignment code the dialog does not know leaves every radio button off.
    for (QRadioButton* r : alignment_) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
    if (f.alignment >= 0 && f.alignment < static_cast<int>(alignment_.size())) {
        alignment_[static_cast<std::size_t>(f.alignment)]->setChecked(true);
    }
    storeAddress_->setChecked(f.storeAddress);
    packingFormat_->setCurrentIndex(formatEntry(f.packingFormat, defaultlabel::kPackingFormats));
    bestBeforeFormat_->setCurrentIndex(formatEntry(f.bestBeforeFormat, defaultlabel::kDateFormats));
    sellByFormat_->setCurrentIndex(formatEntry(f.sellByFormat, defaultlabel::kDateFormats));
    showReferences();
}

void CDefaultLabelDlg::showReferences() {
    DefaultLabelFields fields = label_.fields();
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        fields.texts[i] = fromQString(texts_[i]->text());
    }
    QStringList lines;
    for (const std::string& problem : danglingReferences(
             defaultLabelReferences(fields, label_.kind().name), label_.knownNumbers())) {
        lines << toQString(problem);
    }
    references_->setText(lines.join('\n'));
    references_->setVisible(!lines.isEmpty());
}

void CDefaultLabelDlg::showProblem(LabelField field) {
    writeControls();
    texts_[static_cast<std::size_t>(field)]->setFocus();
}

void CDefaultLabelDlg::onOk() {
    readControls();
    if (const std::optional<LabelField> failed = label_.check()) {
        showProblem(*failed);
        return;
    }
    if (label_.save()) {
        accept();
    }
}

void CDefaultLabelDlg::onSend() {
    readControls();
    if (const std::optional<LabelField> failed = label_.check()) {
        showProblem(*failed);
        return;
    }
    label_.send();
    writeControls();
}

void CDefaultLabelDlg::onRequest() {
    readControls();
    label_.request();
    writeControls();
}

}  // namespace vorn
